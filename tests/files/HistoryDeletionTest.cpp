#include "HistoryDeletion.h"
#include "FilesTestSupport.h"
#include "Game.h"
#include "ProgramFiles.h"

#include <QFileInfo>

using namespace quorlent;
using quorlent::testing::ProgramFolder;
using quorlent::testing::readBytes;
using quorlent::testing::writeBytes;

namespace {

// The original game: these draws are numbered by its issues.
constexpr Game kGame = Game::standard();

} // namespace

class DeletionTest : public ProgramFolder
{
protected:
    QString backup() const { return programfiles::backupPath(m_folder); }

    void seedOneDay()
    {
        seed({{160908076, {3, 1, 3, 3, 0}},
              {160908077, {9, 8, 7, 6, 5}},
              {160908078, {0, 0, 1, 2, 4}}});
    }
};

TEST_F(DeletionTest, LastCountRemovesTheNewestAcrossADayBoundary)
{
    seed({{160907119, {1, 2, 3, 4, 5}},
          {160907120, {6, 7, 8, 9, 0}},
          {160908001, {5, 5, 5, 5, 5}},
          {160908002, {4, 4, 4, 4, 4}}});
    const FileOpResult result = deleteLastDraws(m_store, m_folder, 2, 1);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.removed, 2);
    EXPECT_EQ(result.count, 2);
    EXPECT_TRUE(result.compacted);
    EXPECT_EQ(issues(), (std::vector<int32_t>{160907119, 160907120}));
    EXPECT_EQ(rowsOnDisk(), m_store.rows());
    // The backup holds the kept draws, oldest first, and nothing else.
    EXPECT_EQ(readBytes(backup()), QByteArray("160907119 12345\r\n160907120 67890\r\n"));
    EXPECT_EQ(kGame.next(m_store.newest()->sqqh, QDate()), 160908001);
}

TEST_F(DeletionTest, DeleteToKeepsUpToTheEnteredIssue)
{
    seedOneDay();
    const auto k = parseDeleteToEntry("20160908077");
    ASSERT_EQ(k, 160908077);
    const FileOpResult result = deleteToIssue(m_store, m_folder, *k, 1);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.removed, 1);
    EXPECT_EQ(issues(), (std::vector<int32_t>{160908076, 160908077}));
    EXPECT_EQ(rowsOnDisk(), m_store.rows());
    EXPECT_EQ(readBytes(backup()), QByteArray("160908076 31330\r\n160908077 98765\r\n"));
}

TEST_F(DeletionTest, DeleteToWithTheDefaultEntryRemovesNothingButRebuilds)
{
    seedOneDay();
    const std::vector<HistoryRow> before = m_store.rows();
    const QString entry = deleteToDefaultEntry(kGame.next(m_store.newest()->sqqh, QDate()));
    EXPECT_EQ(entry, "20160908078");
    const FileOpResult result = deleteToIssue(m_store, m_folder, *parseDeleteToEntry(entry), 1);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.removed, 0);
    EXPECT_EQ(m_store.rows(), before);
    // Every row went through the rebuild: the third now carries the first one's texts.
    EXPECT_EQ(storedRow(2, "txtHisPreLst, txtHisPreLstHm"), "31330|1X3 1X1 2X3 3X3 1X0 ");

    // After sequence 120 the next issue is the next day's 001; the default still keeps all.
    seed({{160908120, {1, 1, 1, 1, 1}}});
    const QString late = deleteToDefaultEntry(kGame.next(160908120, QDate()));
    ASSERT_TRUE(deleteToIssue(m_store, m_folder, *parseDeleteToEntry(late), 1).ok);
    EXPECT_EQ(m_store.size(), 4u);
}

TEST_F(DeletionTest, DeletingBelowTheOldestOrMoreThanAllEmptiesTheHistory)
{
    seedOneDay();
    FileOpResult result = deleteToIssue(m_store, m_folder, 160908075, 1);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.removed, 3);
    EXPECT_TRUE(m_store.empty());
    EXPECT_TRUE(rowsOnDisk().empty());
    EXPECT_EQ(readBytes(backup()), QByteArray());

    seedOneDay();
    result = deleteLastDraws(m_store, m_folder, 1000000, 1);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.removed, 3);
    EXPECT_TRUE(m_store.empty());
    EXPECT_TRUE(rowsOnDisk().empty());
}

TEST_F(DeletionTest, RebuiltRowsTakeTheSegmentBaseInForce)
{
    seed({{160908076, {9, 8, 7, 6, 5}}, {160908077, {0, 1, 2, 3, 4}}, {160908078, {1, 1, 1, 1, 1}}},
         1);
    ASSERT_TRUE(deleteLastDraws(m_store, m_folder, 1, 0).ok);
    EXPECT_EQ(storedRow(0, "L1F||L2F||L3F||L4F||L5F"), "44332");
    EXPECT_EQ(storedRow(1, "L1F||L2F||L3F||L4F||L5F, L1FS||L2FS||L3FS||L4FS||L5FS"), "00112|44332");
}

TEST(DeletionEntryTest, DeleteToTakesElevenDigitsWithoutTheirFirstTwo)
{
    EXPECT_EQ(parseDeleteToEntry("20160908077"), 160908077);
    EXPECT_EQ(parseDeleteToEntry(" 20070908001 "), 70908001);
    EXPECT_EQ(parseDeleteToEntry("20000000001"), 1);
    for (const char *entry :
         {"", "  ", "20000000000", "160908077", "2016090807", "201609080777", "30160908077",
          "20160908O77", "2016 908077", "-20160908077", "20160908077.0", "２０160908077"}) {
        EXPECT_FALSE(parseDeleteToEntry(QString::fromUtf8(entry))) << entry;
    }
    EXPECT_EQ(deleteToDefaultEntry(70908079), "20070908078");
}

TEST(DeletionEntryTest, CountMustBeAPositiveWholeNumber)
{
    EXPECT_EQ(parseDeleteCountEntry("1"), 1);
    EXPECT_EQ(parseDeleteCountEntry(" 3 "), 3);
    EXPECT_EQ(parseDeleteCountEntry("0002"), 2);
    EXPECT_EQ(parseDeleteCountEntry("1000000"), 1000000);
    for (const char *entry :
         {"", "0", "-1", "+1", "1.5", "1e3", "abc", "3期", "３", "99999999999999999999"}) {
        EXPECT_FALSE(parseDeleteCountEntry(QString::fromUtf8(entry))) << entry;
    }
}

TEST_F(DeletionTest, UnusableRequestsChangeNothingNotEvenTheBackup)
{
    seedOneDay();
    const std::vector<HistoryRow> before = m_store.rows();
    const QByteArray oldBackup = "150101001 11111\r\n";
    writeBytes(backup(), oldBackup);

    for (const FileOpResult &result :
         {deleteToIssue(m_store, m_folder, 0, 1), deleteToIssue(m_store, m_folder, -5, 1),
          deleteLastDraws(m_store, m_folder, 0, 1), deleteLastDraws(m_store, m_folder, -1, 1)}) {
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.message.isEmpty());
    }
    EXPECT_EQ(m_store.rows(), before);
    EXPECT_EQ(rowsOnDisk(), before);
    EXPECT_EQ(readBytes(backup()), oldBackup);
}

TEST_F(DeletionTest, ABackupThatCannotBeWrittenLeavesTheHistoryAsItWas)
{
    seedOneDay();
    const std::vector<HistoryRow> before = m_store.rows();
    ASSERT_TRUE(QDir(m_folder).mkdir("lsbf.txt"));
    const FileOpResult result = deleteLastDraws(m_store, m_folder, 1, 1);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.isEmpty());
    EXPECT_EQ(m_store.rows(), before);
    EXPECT_EQ(rowsOnDisk(), before);
}

TEST_F(DeletionTest, AFailedCompactionDoesNotUndoTheDeletion)
{
    seedOneDay();
    ASSERT_TRUE(QDir(m_folder).mkpath("VarniboTmp.mdb/inside")); // the copy cannot be replaced
    const FileOpResult last = deleteLastDraws(m_store, m_folder, 1, 1);
    EXPECT_TRUE(last.ok);
    EXPECT_FALSE(last.compacted);
    EXPECT_TRUE(last.message.contains(QStringLiteral("压缩失败"))) << last.message.toStdString();
    const FileOpResult newest = deleteNewestDraw(m_store);
    EXPECT_TRUE(newest.ok);
    EXPECT_FALSE(newest.compacted);
    EXPECT_EQ(issues(), (std::vector<int32_t>{160908076}));
    EXPECT_EQ(rowsOnDisk(), m_store.rows());
    // The store still writes to its database.
    seed({{160908077, {1, 2, 3, 4, 5}}});
    EXPECT_EQ(rowsOnDisk(), m_store.rows());
}

TEST_F(DeletionTest, DeleteNewestRemovesOneDrawAndCompacts)
{
    seedOneDay();
    const FileOpResult result = deleteNewestDraw(m_store);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.removed, 1);
    EXPECT_TRUE(result.compacted);
    EXPECT_EQ(issues(), (std::vector<int32_t>{160908076, 160908077}));
    EXPECT_EQ(rowsOnDisk(), m_store.rows());
    EXPECT_TRUE(QFileInfo::exists(file("VarniboTmp.mdb")));
    // The next-issue display proposes 078 again.
    EXPECT_EQ(kGame.next(m_store.newest()->sqqh, QDate()), 160908078);
    // The store works on the reopened file.
    seed({{160908078, {7, 7, 7, 7, 7}}});
    EXPECT_EQ(rowsOnDisk(), m_store.rows());
}

TEST_F(DeletionTest, DeleteNewestOnAnEmptyHistoryDoesNothing)
{
    const FileOpResult result = deleteNewestDraw(m_store);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.isEmpty());
    EXPECT_TRUE(m_store.empty());
    EXPECT_TRUE(m_store.isOpen());
}

TEST_F(DeletionTest, ClearEmptiesWithoutCompacting)
{
    seedOneDay();
    const FileOpResult result = clearHistory(m_store);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.removed, 3);
    EXPECT_FALSE(result.compacted);
    EXPECT_TRUE(m_store.empty());
    EXPECT_TRUE(rowsOnDisk().empty());
    EXPECT_FALSE(QFileInfo::exists(file("VarniboTmp.mdb")));
}
