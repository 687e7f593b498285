#include "AppFixture.h"

#include "FileChooser.h"
#include "HistoryGameDialog.h"
#include "HistoryStore.h"

#include <QLabel>
#include <QMenu>
#include <QStatusBar>

using namespace quorlent;

class HistoriesTest : public AppFixture
{
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        qputenv("QUORLENT_NOW", "2026-04-21T21:30:00");
    }
    void TearDown() override { qunsetenv("QUORLENT_NOW"); }

    void typeDraw(const char *digits)
    {
        box("MaskEdBox1(1)")->setFocus();
        for (int i = 1; i <= 5; ++i)
            QTest::keyClick(box(QStringLiteral("MaskEdBox1(%1)").arg(i).toUtf8()), digits[i - 1]);
    }
    // 历史管理 → 新建历史库, answered with `name` and the offered schedule `schedule`.
    void createHistory(const QString &name, int schedule)
    {
        whenModal<HistoryGameDialog>([=](HistoryGameDialog *dialog) {
            dialog->setName(name);
            dialog->setSchedule(schedule);
            dialog->accept();
        });
        action("mnuNewHistory")->trigger();
    }
    QAction *recent(int n) { return action(QStringLiteral("mnuRecent(%1)").arg(n).toUtf8()); }
    QString status() { return window().statusBar()->currentMessage(); }
    int historyRows() { return find<QTableView>("MSFlexGrid1")->model()->rowCount(); }
};

TEST_F(HistoriesTest, ADailyGameNumbersItsDrawsByYearAndRemembersTheirDates)
{
    open();
    createHistory(QStringLiteral("排列五"), 3);
    EXPECT_EQ(window().windowTitle(), "Quorlent — 排列五");
    EXPECT_TRUE(QFileInfo::exists(folder() + "/排列五.mdb"));
    EXPECT_EQ(box("Text1")->text(), "2026001"); // nothing to go on from: this year's first

    // The issue shown can be typed over; one that is not the game's is refused, nothing stored.
    box("Text1")->setText("2026-1");
    typeDraw("09033");
    EXPECT_EQ(historyRows(), 0);
    EXPECT_TRUE(status().contains("期号应为 年份+三位序号，如 2026101")) << status().toStdString();

    box("Text1")->setText("2026101");
    QTest::keyClick(box("MaskEdBox1(5)"), Qt::Key_Backspace);
    QTest::keyClick(box("MaskEdBox1(5)"), '3');
    ASSERT_EQ(historyRows(), 1);
    const HistoryRow &row = window().history().rows().back();
    EXPECT_EQ(window().history().game().displayForm(row.sqqh), "2026101");
    EXPECT_EQ(row.date, 20260421);
    EXPECT_EQ(box("Text1")->text(), "2026102");
    EXPECT_EQ(find<QTableView>("MSFlexGrid1")->model()->index(0, 0).data().toString(), "2026101");
}

TEST_F(HistoriesTest, SwitchingKeepsEachHistorysDrawsBoxesAndGame)
{
    storeSeries(160908001, 120); // a whole day of the original game
    open();
    EXPECT_EQ(window().windowTitle(), "Quorlent");
    const QString defaultNext = box("Text1")->text();
    const QString defaultEnd = box("Text3(1)")->text();
    EXPECT_EQ(defaultNext, "20160909001");

    createHistory(QStringLiteral("九十六"), 1);
    EXPECT_EQ(historyRows(), 0);
    EXPECT_EQ(box("Text3(1)")->text(), "2013001"); // an empty history's boxes, as at start-up
    box("Text1")->setText("2017032896");
    typeDraw("12345");
    EXPECT_EQ(box("Text1")->text(), "2017032901"); // after a day's 96th, the next day's 01
    EXPECT_EQ(box("Text3(1)")->text(), "2017032896");

    // Back to the default history through the recently used ones.
    ASSERT_NE(recent(1), nullptr);
    recent(1)->trigger();
    EXPECT_EQ(window().windowTitle(), "Quorlent");
    EXPECT_EQ(historyRows(), 120);
    EXPECT_EQ(window().history().game(), Game::standard());
    EXPECT_EQ(box("Text1")->text(), defaultNext);
    EXPECT_EQ(box("Text3(1)")->text(), defaultEnd);

    // The program starts on the history it was closed on.
    recent(1)->trigger();
    EXPECT_EQ(window().windowTitle(), "Quorlent — 九十六");
    close();
    open();
    EXPECT_EQ(window().windowTitle(), "Quorlent — 九十六");
    EXPECT_EQ(historyRows(), 1);
    EXPECT_EQ(window().history().game().drawsPerDay(), 96);
    EXPECT_EQ(box("Text1")->text(), "2017032901");
}

TEST_F(HistoriesTest, AGameIsChangedOnlyWhileTheHistoryIsEmpty)
{
    storeSeries(160908001, 3);
    open();
    whenModal<HistoryGameDialog>([](HistoryGameDialog *dialog) {
        EXPECT_NE(dialog->findChild<QLabel *>("lblGameLocked"), nullptr);
        dialog->setName(QStringLiteral("时时彩"));
        dialog->accept();
    });
    action("mnuGame")->trigger();
    EXPECT_EQ(window().windowTitle(), "Quorlent — 时时彩");
    EXPECT_EQ(window().history().game(), Game::standard());

    // A file that is not a history is never opened, and the open one stays.
    QFile foreign(folder() + "/foreign.mdb");
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("Standard Jet DB");
    foreign.close();
    FileChooser::setNextFileName(foreign.fileName());
    action("mnuOpenHistory")->trigger();
    EXPECT_EQ(historyRows(), 3);
    EXPECT_TRUE(status().contains("不是本程序的历史库"));
    foreign.open(QIODevice::ReadOnly);
    EXPECT_EQ(foreign.readAll(), "Standard Jet DB");
}

TEST_F(HistoriesTest, AnEmptyHistorysHintFitsItsGame)
{
    open();
    auto *hint = find<QLabel>("lblEmptyHint");
    EXPECT_TRUE(hint->text().contains("示例历史号码.txt"));

    // The daily game has a sample of its own, read through the preview.
    createHistory(QStringLiteral("排列五"), 3);
    ASSERT_TRUE(hint->isVisibleTo(&window()));
    EXPECT_TRUE(hint->text().contains("历史号码/示例每天一期.csv")) << hint->text().toStdString();
    EXPECT_FALSE(hint->text().contains("示例历史号码.txt"));
    EXPECT_TRUE(hint->text().contains("“2026001 12345”")) << "a line in the game's own form";

    // A game without a sample is told how to read in the user's own file.
    createHistory(QStringLiteral("每天96期"), 1);
    EXPECT_TRUE(hint->text().contains("不适合本历史库")) << hint->text().toStdString();
    EXPECT_TRUE(hint->text().contains("“2026042101 12345”"));
    EXPECT_FALSE(hint->text().contains("示例每天一期.csv"));
}
