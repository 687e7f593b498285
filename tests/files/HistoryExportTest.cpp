#include "HistoryExport.h"
#include "FilesTestSupport.h"
#include "HistoryImport.h"

#include <QFileInfo>

using namespace quorlent;
using quorlent::testing::ProgramFolder;
using quorlent::testing::readBytes;

using ExportTest = ProgramFolder;

TEST_F(ExportTest, WritesDisplayFormLinesOldestFirstNamedAfterTheNewestIssue)
{
    seed({{160908078, {3, 5, 3, 0, 5}}, {70908078, {0, 0, 9, 8, 7}}, {70908077, {1, 2, 3, 4, 5}}});
    const FileOpResult result = exportHistoryText(m_store, m_folder);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.count, 3);
    EXPECT_EQ(result.path, file(QStringLiteral("更新至160908078期历史号码.txt")));
    EXPECT_EQ(readBytes(result.path), QByteArray("20070908077 12345\r\n"
                                                 "20070908078 00987\r\n"
                                                 "20160908078 35305\r\n"));
    // The export is not a history file: importing it changes nothing.
    EXPECT_FALSE(importHistoryFile(m_store, result.path, 1).ok);
    EXPECT_EQ(m_store.size(), 3u);
}

TEST_F(ExportTest, KeepsTheNineDigitsOfAnIssueOf2007InTheName)
{
    seed({{70908078, {0, 1, 2, 3, 4}}});
    const FileOpResult result = exportHistoryText(m_store, m_folder);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(QFileInfo(result.path).fileName(), QStringLiteral("更新至070908078期历史号码.txt"));
    EXPECT_EQ(readBytes(result.path), QByteArray("20070908078 01234\r\n"));
}

TEST_F(ExportTest, OverwritesAnEarlierExportOfTheSameNewestIssue)
{
    seed({{160908077, {1, 1, 1, 1, 1}}, {160908078, {2, 2, 2, 2, 2}}});
    const QString first = exportHistoryText(m_store, m_folder).path;
    quorlent::testing::writeBytes(first, "something longer than the export will be\r\n"
                                         "and a second line\r\n"
                                         "and a third line\r\n");
    const FileOpResult again = exportHistoryText(m_store, m_folder);
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.path, first);
    EXPECT_EQ(readBytes(first), QByteArray("20160908077 11111\r\n20160908078 22222\r\n"));
}

TEST_F(ExportTest, AnEmptyHistoryWritesNoFile)
{
    const QStringList before = QDir(m_folder).entryList(QDir::Files);
    const FileOpResult result = exportHistoryText(m_store, m_folder);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.isEmpty());
    EXPECT_TRUE(result.path.isEmpty());
    EXPECT_EQ(QDir(m_folder).entryList(QDir::Files), before);
}
