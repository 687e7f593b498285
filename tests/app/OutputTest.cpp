#include "AppFixture.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>

using namespace quorlent;

// Points the opener at a program that records what it is asked to open.
class OutputTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        qputenv("QUORLENT_RECORD_LINES", m_recorder.filePath("opened.txt").toUtf8());
        qputenv("QUORLENT_OPENER", QUORLENT_OPEN_RECORDER);
    }
    void TearDown() override
    {
        qunsetenv("QUORLENT_OPENER");
        qunsetenv("QUORLENT_RECORD_LINES");
    }

    QStringList opened()
    {
        QFile file(m_recorder.filePath("opened.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    void doubleClick(const char *grid)
    {
        QTest::mouseDClick(find<QTableView>(grid)->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    }

private:
    QTemporaryDir m_recorder;
};

TEST_F(OutputTest, TextExportOpensTheWrittenFile)
{
    storeDraws({{70908077, {1, 2, 3, 4, 5}}, {70908078, {0, 0, 0, 0, 1}}});
    open();
    find<QPushButton>("Command4")->click();
    const QString path = QDir(folder()).filePath("更新至070908078期历史号码.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "20070908077 12345\r\n20070908078 00001\r\n");
    QTRY_COMPARE(opened(), QStringList{path});
}

TEST_F(OutputTest, DoubleClickExportsEachGridToItsWorkbook)
{
    storeDraws({{160908001, {1, 2, 3, 4, 5}}, {160908002, {6, 7, 8, 9, 0}}});
    open();
    doubleClick("MSFlexGrid1");
    const QString lishi = QDir(folder()).filePath("lishi.xls");
    EXPECT_TRUE(QFile::exists(lishi));
    QTRY_COMPARE(opened(), QStringList{lishi});

    find<QPushButton>("Command1")->click();
    doubleClick("MSFlexGrid2");
    doubleClick("MSFlexGrid3");
    const QString jiansuo = QDir(folder()).filePath("Jiansuo.xls");
    const QString jieguo = QDir(folder()).filePath("Jieguo.xls");
    QTRY_COMPARE(opened().size(), 3);
    EXPECT_TRUE(opened().contains(jiansuo));
    EXPECT_TRUE(opened().contains(jieguo));
    QFile workbook(jieguo);
    ASSERT_TRUE(workbook.open(QIODevice::ReadOnly));
    EXPECT_TRUE(workbook.read(8).startsWith("\xD0\xCF\x11\xE0")) << "a compound file";

    // The menu entry exports the history grid too, replacing the file without a question.
    QFile::remove(lishi);
    action("mnuDcls")->trigger();
    EXPECT_TRUE(QFile::exists(lishi));
}

TEST_F(OutputTest, HelpLinksGoToTheBrowser)
{
    open();
    // One after the other: openers started at once may record in any order.
    action("mnuFrontPage")->trigger();
    QTRY_COMPARE(opened().size(), 1);
    action("mnuDescrb")->trigger();
    QTRY_COMPARE(opened().size(), 2);
    action("numYanshiDown")->trigger();
    QTRY_COMPARE(opened().size(), 3);
    for (const QString &address : opened())
        EXPECT_TRUE(address.startsWith("https://")) << address.toStdString();
    EXPECT_TRUE(opened().at(1).endsWith(".pdf"));
}
