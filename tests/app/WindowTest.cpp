#include "AppFixture.h"

#include "BacktestDialog.h"
#include "HelpWindow.h"
#include "HistoryStore.h"
#include "OutcomeChartView.h"
#include "SearchResult.h"
#include "TrendChartModel.h"
#include "TrendChartWindow.h"
#include "TrendView.h"

#include <QBarCategoryAxis>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>
#include <QValueAxis>

using namespace quorlent;

class WindowTest : public AppFixture
{
  protected:
    QLineEdit *entry(int i) { return box(QStringLiteral("MaskEdBox1(%1)").arg(i).toUtf8()); }
    void typeDraw(const char *digits)
    {
        entry(1)->setFocus();
        for (int i = 1; i <= 5; ++i)
            QTest::keyClick(entry(i), digits[i - 1]);
    }
    QString status() { return window().statusBar()->currentMessage(); }
    QLabel *staleLine() { return find<QLabel>("lblStale"); }
    int hits() { return find<QTableView>("MSFlexGrid2")->model()->rowCount(); }
    // What the follow search finds now with the window's options, computed apart from the window.
    size_t expectedHits(const std::array<bool, 5> &positions)
    {
        SearchRequest request;
        request.freePositions = true;
        const auto &rows = window().history().rows();
        for (int p = 0; p < 5; ++p)
            request.reference[p] = rows.back().own[Kind::Number][p];
        request.selected = positions;
        request.rangeStart = box("Text3(0)")->text();
        request.rangeEnd = box("Text3(1)")->text();
        return runFollowSearch(rows, request, TallyOptions{}).hits.size();
    }
    static bool inside(const QWidget *w)
    {
        const QRect screen = w->screen()->availableGeometry();
        return screen.contains(w->geometry());
    }
};

TEST_F(WindowTest, TheMenuBarHoldsThePopUpsActionsAndTheHelp)
{
    open();
    QMenuBar *bar = window().menuBar();
    auto *lsgl = find<QMenu>("mnuLsgl");
    auto *set = find<QMenu>("mnuSet");
    auto *help = find<QMenu>("mnuHelp");
    auto *analysis = find<QMenu>("mnuFenxi");
    EXPECT_EQ(bar->actions(), (QList<QAction *>{lsgl->menuAction(), analysis->menuAction(),
                                                set->menuAction(), help->menuAction()}));
    // The pop-up menus are the menu bar's own: the same actions, reachable both ways.
    for (const char *name : {"mnuDcls", "mnuErase", "mnuClear", "mnuDlzd", "mnuEszhzd", "mnuQueqi"})
        EXPECT_TRUE(lsgl->actions().contains(action(name))) << name;
    for (const char *name : {"mnuFrontPage", "mnuDescrb", "numYanshiDown", "mnuAbout"}) {
        EXPECT_TRUE(help->actions().contains(action(name))) << name;
        EXPECT_TRUE(set->actions().contains(action(name))) << name;
    }
    EXPECT_EQ(action("mnuShuoming")->shortcut(), QKeySequence(QKeySequence::HelpContents));

    // 使用说明 opens the help shipped with the program, inside the screen.
    action("mnuShuoming")->trigger();
    auto *helpWindow = window().findChild<HelpWindow *>();
    ASSERT_NE(helpWindow, nullptr);
    const QString text = helpWindow->browser()->toPlainText();
    for (const char *term : {"自由位", "固定位", "0 = 小（0–4），1 = 大（5–9）", "平均遗漏", "χ²",
                             "朴素基准", "Wilson"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(term))) << term;
    EXPECT_TRUE(inside(helpWindow));
}

TEST_F(WindowTest, AClickAnywhereInADigitBoxLetsTheDigitIn)
{
    storeSeries(170112001, 3);
    open();
    QLineEdit *first = entry(1);
    // The right half of the box, past the "_": the digit used to be lost there.
    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(first->width() - 4, first->height() / 2));
    QTest::keyClick(first, '7');
    EXPECT_EQ(first->text(), "7");
    EXPECT_TRUE(entry(2)->hasFocus());
    for (int i = 2; i <= 5; ++i) {
        QTest::mouseClick(entry(i), Qt::LeftButton, {}, QPoint(entry(i)->width() - 4, 5));
        QTest::keyClick(entry(i), char('0' + i));
    }
    // The draw is stored and the status line says which.
    EXPECT_EQ(window().history().size(), 4u);
    EXPECT_EQ(status(), "已存入 20170112004 期：7 2 3 4 5");
}

TEST_F(WindowTest, ResultsOfAnEarlierHistoryAreMarkedUntilTheNextSearch)
{
    storeSeries(160908001, 200);
    open();
    find<QCheckBox>("Check1(1)")->setChecked(true);
    find<QPushButton>("Command1")->click();
    EXPECT_FALSE(staleLine()->isVisibleTo(&window()));
    typeDraw("12345");
    EXPECT_TRUE(staleLine()->isVisibleTo(&window()));
    EXPECT_EQ(staleLine()->text(), "结果基于新增开奖之前的历史，按 检索 刷新");
    find<QPushButton>("Command1")->click();
    EXPECT_FALSE(staleLine()->isVisibleTo(&window()));
}

TEST_F(WindowTest, LiveResultsFollowOptionsAndNewDraws)
{
    storeSeries(160908001, 200);
    open();
    find<QCheckBox>("Check1(1)")->setChecked(true);
    find<QPushButton>("Command1")->click();
    find<QCheckBox>("chkLive")->setChecked(true);
    EXPECT_EQ(stored("bolShishi"), "True");

    // An option: the tally switches to 大小 at once.
    option("Option4(1)")->click();
    window().flushLiveSearch();
    EXPECT_EQ(find<QTableView>("MSFlexGrid3")->model()->rowCount(), 2);

    // A position ticked: the hits are those of the new search.
    find<QCheckBox>("Check1(2)")->setChecked(true);
    window().flushLiveSearch();
    EXPECT_EQ(size_t(hits()), expectedHits({true, true, false, false, false}));

    // A new draw: searched again with it as the reference, nothing marked.
    typeDraw("31330");
    window().flushLiveSearch();
    EXPECT_EQ(size_t(hits()), expectedHits({true, true, false, false, false}));
    EXPECT_FALSE(staleLine()->isVisibleTo(&window()));
    EXPECT_TRUE(status().startsWith("已存入")) << "a live run leaves the entry's word";

    // A half-typed issue keeps the last result, marked.
    const int before = hits();
    box("Text3(1)")->setText("2016");
    QTest::keyClick(box("Text3(1)"), '0'); // an edit by the user
    window().flushLiveSearch();
    EXPECT_EQ(hits(), before);
    EXPECT_TRUE(staleLine()->isVisibleTo(&window()));
}

TEST_F(WindowTest, SearchesThatMeanNothingSaySo)
{
    storeSeries(160908001, 50);
    open();
    find<QPushButton>("Command1")->click(); // no position ticked
    EXPECT_EQ(status(), "未选择检索位：每一期都算命中");
    auto *width = find<QComboBox>("Combo1");
    // At start-up the list's item is the width shown, so the arrow keys step from it.
    EXPECT_EQ(width->currentText(), "2");
    EXPECT_EQ(width->currentIndex(), 1);
    width->setFocus();
    width->setEditText("6");
    find<QPushButton>("Command2")->setFocus(); // leaving the box takes the width
    find<QPushButton>("Command2")->click();
    EXPECT_EQ(status(), "组合位数 6 大于 5 个位置：没有组合可比");
    EXPECT_EQ(hits(), 0);
}

TEST_F(WindowTest, AnEmptyHistorySaysHowToBeginAndItsChartShowsNoNumbers)
{
    open();
    auto *hint = find<QLabel>("lblEmptyHint");
    EXPECT_TRUE(hint->isVisibleTo(&window()));
    EXPECT_TRUE(hint->text().contains("示例历史号码.txt"));
    auto *chart = find<OutcomeChartView>("chartOutcome");
    for (QAbstractAxis *axis : chart->chart()->axes())
        EXPECT_FALSE(axis->labelsVisible());
    typeDraw("12345");
    EXPECT_FALSE(hint->isVisibleTo(&window()));
}

TEST_F(WindowTest, EveryWindowOpensInsideTheScreen)
{
    storeSeries(160908001, 300);
    open();
    ASSERT_EQ(window().screen()->availableGeometry().size(), QSize(1366, 768));
    EXPECT_TRUE(inside(&window()));
    find<QPushButton>("cmdZoushi")->click();
    auto *trend = window().findChild<TrendChartWindow *>();
    ASSERT_NE(trend, nullptr);
    EXPECT_TRUE(inside(trend)) << trend->geometry().x() << "," << trend->geometry().y() << " "
                               << trend->width() << "x" << trend->height() << " min "
                               << trend->minimumSizeHint().width() << "x"
                               << trend->minimumSizeHint().height();
    // The newest draw is in view.
    const auto rows = trend->chartView()->rowsInView();
    EXPECT_EQ(rows.second, trend->chartModel().rowCount() - 1);

    find<QPushButton>("cmdHuice")->click();
    auto *backtest = window().findChild<BacktestDialog *>();
    ASSERT_NE(backtest, nullptr);
    EXPECT_TRUE(inside(backtest));
    auto *close = backtest->findChild<QPushButton *>("cmdBacktestClose");
    ASSERT_NE(close, nullptr);
    close->click();
    EXPECT_FALSE(backtest->isVisible());
}
