#include "HistoryImport.h"
#include "FilesTestSupport.h"
#include "ProgramFiles.h"

using namespace quorlent;
using quorlent::testing::ProgramFolder;
using quorlent::testing::writeBytes;

namespace {

const char *const kOwnAndPrevious = "SQQH, QQH, L1A||L2A||L3A||L4A||L5A, "
                                    "L1AS||L2AS||L3AS||L4AS||L5AS, L1AP||L2AP||L3AP||L4AP||L5AP, "
                                    "L1FS||L2FS||L3FS||L4FS||L5FS, txtHisLst, txtHisLstHm";
const char *const kEarlierTexts =
    "txtHisPreLst, txtHisPreLstHm, txtHisPreLstDx, txtHisPreLstDs, txtHisPreLstDuan";

} // namespace

class ImportTest : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        seed({{160101001, {1, 1, 1, 1, 1}}, {160101002, {2, 2, 2, 2, 2}}});
        m_before = m_store.rows();
    }

    FileOpResult importBytes(const QByteArray &bytes, const QString &name = "draws.txt",
                             int segmentBase = 1)
    {
        writeBytes(file(name), bytes);
        return importHistoryFile(m_store, file(name), segmentBase);
    }

    void expectUnchanged(const FileOpResult &result)
    {
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.message.isEmpty());
        EXPECT_EQ(m_store.rows(), m_before);
        EXPECT_EQ(rowsOnDisk(), m_before);
    }

    std::vector<HistoryRow> m_before;
};

TEST_F(ImportTest, ThreeLinesReplaceTheHistoryAndCarryTheirPredecessors)
{
    const FileOpResult result =
        importBytes("160908076 31330\r\n160908077 98765\r\n160908078 00124\r\n");
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.count, 3);
    EXPECT_EQ(result.skippedLines, 0);
    EXPECT_EQ(issues(), (std::vector<int32_t>{160908076, 160908077, 160908078}));
    EXPECT_EQ(rowsOnDisk(), m_store.rows());

    EXPECT_EQ(storedRow(0, kOwnAndPrevious), "160908076|160908077|31330|00000|00000|00000||");
    EXPECT_EQ(storedRow(1, kOwnAndPrevious),
              "160908077|160908078|98765|31330|00000|21221|31330|1X3 1X1 2X3 3X3 1X0 ");
    EXPECT_EQ(storedRow(2, kOwnAndPrevious),
              "160908078|160908079|00124|98765|31330|55443|98765|1X9 1X8 1X7 1X6 1X5 ");
    // The codes of the other kinds follow the same draws.
    EXPECT_EQ(storedRow(2, "L1BS||L5BS, L1ES||L5ES, txtHisLstDx, txtHisLstDs"),
              "11|11|1X1 2X1 3X1 4X1 5X1 |1X1 1X0 2X1 2X0 3X1 ");
    // The import does not write the earlier-draw texts.
    EXPECT_EQ(storedRow(2, kEarlierTexts), "||||");
}

TEST_F(ImportTest, LinesThatAreNoDrawAreSkippedWithoutBreakingTheRun)
{
    const FileOpResult result = importBytes("开奖期号 开奖号码\r\n"
                                            "\r\n"
                                            "160908076 31330\r\n"
                                            "   \r\n"
                                            " 160908077 55555\r\n"  // leading blank
                                            "20160908077 55555\r\n" // display form
                                            "35305\r\n"             // digits without issue
                                            "000000000 44444\r\n"   // issue 0
                                            "160908077 98765\r\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.count, 2);
    EXPECT_EQ(result.skippedLines, 7);
    EXPECT_EQ(issues(), (std::vector<int32_t>{160908076, 160908077}));
    // The previous draw of the second row is the last accepted line, not a skipped one.
    EXPECT_EQ(storedRow(1, "L1A||L2A||L3A||L4A||L5A, txtHisLst"), "98765|31330");
}

TEST_F(ImportTest, KeepsFileOrderAndRepeats)
{
    const FileOpResult result = importBytes("160908078 11111\n160908076 22222\n160908078 33333\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.count, 3);
    // Read back in issue order (equal issues as stored), each derived from the line before it in
    // the file.
    EXPECT_EQ(storedRow(0, "SQQH, L1A, txtHisLst"), "160908076|2|11111");
    EXPECT_EQ(storedRow(1, "SQQH, L1A, txtHisLst, L1AP"), "160908078|1||0");
    EXPECT_EQ(storedRow(2, "SQQH, L1A, txtHisLst, L1AP"), "160908078|3|22222|1");
    EXPECT_EQ(rowsOnDisk(), m_store.rows());
}

TEST_F(ImportTest, ReadsEveryLineEndingEncodingAndTheLastLineWithoutEnd)
{
    // UTF-8 mark, LF, CR alone, CR LF, and no end on the last line.
    const FileOpResult result =
        importBytes("\xEF\xBB\xBF"
                    "160908076 31330\n160908077 98765\r160908078 00124\r\n160908079 77777");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(issues(), (std::vector<int32_t>{160908076, 160908077, 160908078, 160908079}));
    EXPECT_EQ(result.skippedLines, 0);

    // Notepad's "Unicode": UTF-16 with its byte-order mark.
    const QString wide = QStringLiteral("期号 号码\r\n180101001 24680\r\n");
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char *>(wide.utf16()), wide.size() * 2);
    const FileOpResult unicode = importBytes(utf16);
    ASSERT_TRUE(unicode.ok) << unicode.message.toStdString();
    EXPECT_EQ(issues(), (std::vector<int32_t>{180101001}));

    // A header that is not UTF-8 (GBK "期号") does not make the draws unreadable.
    const FileOpResult latin = importBytes("\xC6\xDA\xBA\xC5\r\n170101001 12345\r\n");
    ASSERT_TRUE(latin.ok);
    EXPECT_EQ(issues(), (std::vector<int32_t>{170101001}));
}

TEST_F(ImportTest, ChoosesFilesByTheirLastThreeCharacters)
{
    const QByteArray draws = "160908076 31330\r\n";
    EXPECT_TRUE(importBytes(draws, "UPPER.TXT").ok);
    EXPECT_EQ(issues(), (std::vector<int32_t>{160908076}));
    EXPECT_TRUE(importBytes("160908077 31330\r\n", "mixed.TxT").ok);
    EXPECT_EQ(issues(), (std::vector<int32_t>{160908077}));

    m_before = m_store.rows();
    expectUnchanged(importBytes(draws, "draws.csv"));
    expectUnchanged(importBytes(draws, "draws.txt.bak"));
    expectUnchanged(importHistoryFile(m_store, QString(), 1)); // the dialog was cancelled
}

TEST_F(ImportTest, AFileWithoutDrawsLeavesTheHistoryAsItWas)
{
    // What the text export writes: display-form lines.
    expectUnchanged(importBytes("20160908076 31330\r\n20160908077 98765\r\n"));
    expectUnchanged(importBytes(""));
    expectUnchanged(importBytes("\r\n\r\n"));
    expectUnchanged(importHistoryFile(m_store, file("missing.txt"), 1));
    ASSERT_TRUE(QDir(m_folder).mkdir("folder.txt"));
    expectUnchanged(importHistoryFile(m_store, file("folder.txt"), 1));
}

TEST_F(ImportTest, UsesTheSegmentBaseInForce)
{
    ASSERT_TRUE(importBytes("160908076 09090\r\n", "draws.txt", 0).ok);
    EXPECT_EQ(storedRow(0, "L1F||L2F||L3F||L4F||L5F"), "04040");
    ASSERT_TRUE(importBytes("160908076 09090\r\n", "draws.txt", 1).ok);
    EXPECT_EQ(storedRow(0, "L1F||L2F||L3F||L4F||L5F"), "15151");
}

class RebuildTest : public ImportTest
{
protected:
    FileOpResult rebuildFrom(const QByteArray &backup, int segmentBase = 1)
    {
        writeBytes(programfiles::backupPath(m_folder), backup);
        return rebuildFromBackup(m_store, m_folder, segmentBase);
    }
};

TEST_F(RebuildTest, FillsTheEarlierDrawTextsFromTwoRowsBefore)
{
    const FileOpResult result =
        rebuildFrom("  160908076 31330  \r\n160908077 98765\r\n 160908078 00124\r\n");
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.count, 3);
    EXPECT_EQ(issues(), (std::vector<int32_t>{160908076, 160908077, 160908078}));
    EXPECT_EQ(storedRow(0, kOwnAndPrevious), "160908076|160908077|31330|00000|00000|00000||");
    EXPECT_EQ(storedRow(1, kOwnAndPrevious),
              "160908077|160908078|98765|31330|00000|21221|31330|1X3 1X1 2X3 3X3 1X0 ");
    EXPECT_EQ(storedRow(0, kEarlierTexts), "||||");
    EXPECT_EQ(storedRow(1, kEarlierTexts), "||||");
    EXPECT_EQ(storedRow(2, kEarlierTexts),
              "31330|1X3 1X1 2X3 3X3 1X0 |1X0 2X0 3X0 4X0 5X0 |1X1 2X1 3X1 4X1 1X0 |"
              "1X2 1X1 2X2 3X2 2X1 ");
    EXPECT_EQ(rowsOnDisk(), m_store.rows());
}

TEST_F(RebuildTest, RecomputesEveryRowWithTheSegmentBaseInForce)
{
    // Rows written with base 1; the rebuild after a change to base 0 rewrites all of them.
    ASSERT_TRUE(rebuildFrom("160908076 98765\r\n160908077 01234\r\n", 0).ok);
    EXPECT_EQ(storedRow(0, "L1F||L2F||L3F||L4F||L5F"), "44332");
    EXPECT_EQ(storedRow(1, "L1F||L2F||L3F||L4F||L5F, L1FS||L2FS||L3FS||L4FS||L5FS"), "00112|44332");
    EXPECT_EQ(storedRow(1, "txtHisLstDuan"), "1X4 2X4 1X3 2X3 1X2 ");
}

TEST_F(RebuildTest, AMissingOrUselessBackupLeavesTheHistoryAsItWas)
{
    expectUnchanged(rebuildFromBackup(m_store, m_folder, 1));
    expectUnchanged(rebuildFrom(""));
    expectUnchanged(rebuildFrom("20160908076 31330\r\n160908077 353\r\n"));
}
