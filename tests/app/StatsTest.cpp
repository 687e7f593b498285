#include "AppFixture.h"
#include "BacktestChartView.h"
#include "BacktestDialog.h"
#include "FileChooser.h"
#include "HistoryStore.h"
#include "OutcomeChartView.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>

using namespace quorlent;

class StatsTest : public AppFixture
{
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        // 300 draws: position 3 always holds 3, the others run through the digits.
        storeSeries(160908001, 300);
        open();
        option("Option1(0)")->click();                  // 固定位
        find<QCheckBox>("Check1(1)")->setChecked(true); // the newest draw has 9 there
    }
    OutcomeChartView *chart() { return find<OutcomeChartView>("chartOutcome"); }
    QString statsLine() { return find<QLabel>("lblOutcomeStats")->text(); }
    BacktestDialog *openBacktest()
    {
        find<QPushButton>("cmdHuice")->click();
        return find<BacktestDialog>("BacktestDialog");
    }
};

TEST_F(StatsTest, OutcomeChartShowsCountsAndTheExpectedLineForEachResultKind)
{
    EXPECT_LE(window().minimumSizeHint().width(), 1366);
    EXPECT_LE(window().minimumSizeHint().height(), 768 - 40);
    const int outcomes[] = {10, 2, 2, 5};
    const double shares[] = {0.1, 0.5, 0.5, 0.2};
    for (int kind = 0; kind < 4; ++kind) {
        option(QStringLiteral("Option4(%1)").arg(kind).toUtf8())->click();
        find<QPushButton>("Command1")->click();
        const auto &stats = chart()->statistics();
        SCOPED_TRACE(kind);
        ASSERT_EQ(chart()->outcomeAxis()->count(), outcomes[kind]);
        ASSERT_EQ(stats.counted, 29) << "the draws after a 9 at position 1";
        // The line lies at hits × share and spans every bar.
        const QList<QPointF> line = chart()->expectedLine()->points();
        ASSERT_EQ(line.size(), 2);
        EXPECT_DOUBLE_EQ(line[0].y(), 29 * shares[kind]);
        EXPECT_DOUBLE_EQ(line[1].y(), 29 * shares[kind]);
        EXPECT_DOUBLE_EQ(line[0].x(), -0.5);
        EXPECT_DOUBLE_EQ(line[1].x(), outcomes[kind] - 0.5);
        for (int i = 0; i < outcomes[kind]; ++i) {
            EXPECT_EQ(chart()->plainBars()->at(i) + chart()->standoutBars()->at(i),
                      stats.outcomes[i].count);
            EXPECT_EQ(chart()->outcomeAxis()->at(i),
                      Tally::outcomeLabel(Kind(kind), stats.outcomes[i].value));
        }
        EXPECT_TRUE(statsLine().startsWith(QStringLiteral("命中 29 期，统计 29 个值")))
            << statsLine().toStdString();
    }
    // 段数 base 1 gives the segments 1..5; with 29 values 5.8 are expected: testable.
    EXPECT_TRUE(statsLine().contains(QStringLiteral("自由度 4"))) << statsLine().toStdString();
}

TEST_F(StatsTest, AnOutcomeFarFromChanceIsSetApart)
{
    option("Option5(3)")->click(); // position 3 always holds 3
    find<QPushButton>("Command1")->click();
    EXPECT_EQ(chart()->standoutBars()->at(3), 29);
    EXPECT_EQ(chart()->plainBars()->at(3), 0);
    EXPECT_TRUE(chart()->barToolTip(3).contains(QStringLiteral("显著偏离随机")));
    EXPECT_FALSE(chart()->barToolTip(4).contains(QStringLiteral("显著偏离随机")));
    // 2.9 expected per digit: too few for the chi-squared test.
    EXPECT_TRUE(statsLine().contains(QStringLiteral("样本太少"))) << statsLine().toStdString();
    EXPECT_FALSE(statsLine().contains(QStringLiteral("p ="))) << statsLine().toStdString();

    option("Option2(5)")->click(); // 组选 over positions 1..3: 87 values, 8.7 expected
    find<QPushButton>("Command1")->click();
    EXPECT_TRUE(statsLine().contains(QStringLiteral("显著偏离随机（p < 0.001）")))
        << statsLine().toStdString();
    EXPECT_FALSE(find<QLabel>("lblOutcomeStats")->toolTip().isEmpty());
}

TEST_F(StatsTest, ChartsSaveAsImagesFromTheirContextMenu)
{
    find<QPushButton>("Command1")->click();
    const QString path = QDir(folder()).filePath("chart.png");
    FileChooser::setNextFileName(path);
    ASSERT_EQ(chart()->contextMenuPolicy(), Qt::ActionsContextMenu);
    chart()->saveAction()->trigger();
    EXPECT_EQ(chart()->saveAction()->text(), QStringLiteral("保存图片(&S)"));
    EXPECT_FALSE(QImage(path).isNull());
    EXPECT_TRUE(window().statusBar()->currentMessage().contains(QStringLiteral("图片已保存")));
    EXPECT_TRUE(FileChooser::lastRequest().proposedName.endsWith(".png"));
}

TEST_F(StatsTest, BacktestRunsWithTheWindowsOptionsAndShowsItsFigures)
{
    option("Option5(3)")->click();
    BacktestDialog *dialog = openBacktest();
    ASSERT_TRUE(dialog->isVisible());
    QSignalSpy ended(dialog, &BacktestDialog::runEnded);
    find<QPushButton>("cmdBacktestStart")->click();
    ASSERT_TRUE(ended.wait(20000));

    BacktestRequest expected;
    expected.request.rangeStart = find<QLineEdit>("Text3(0)")->text();
    expected.request.rangeEnd = find<QLineEdit>("Text3(1)")->text();
    expected.request.freePositions = false;
    expected.request.selected = {true, false, false, false, false};
    expected.tally.position = 3;
    const BacktestResult direct = runBacktest(window().history().rows(), expected);
    const BacktestResult &shown = dialog->result();
    EXPECT_EQ(shown.steps, direct.steps);
    EXPECT_EQ(shown.skippedDraws, direct.skippedDraws);
    // Position 3 always holds 3: every earlier hit says 3, and every prediction hits.
    EXPECT_EQ(shown.hits(), shown.trials());
    EXPECT_GT(shown.scoredDraws(), 250);
    EXPECT_TRUE(find<QLabel>("lblBacktestFigures")->text().contains(QStringLiteral("100.00%")));
    EXPECT_TRUE(
        find<QLabel>("lblBacktestVerdict")->text().contains(QStringLiteral("显著高于随机")));
    auto *curve = find<BacktestChartView>("chartBacktest");
    EXPECT_DOUBLE_EQ(curve->searchLine()->points().last().y(), 100.0);
    EXPECT_DOUBLE_EQ(curve->chanceLine()->points().first().y(), 10.0);

    // Combination search, chosen in the dialog.
    find<QRadioButton>("optBacktestCombination")->click();
    find<QPushButton>("cmdBacktestStart")->click();
    ASSERT_TRUE(ended.wait(20000));
    expected.search = BacktestRequest::Search::Combination;
    expected.request.combinationWidth = 2;
    EXPECT_EQ(dialog->result().steps, runBacktest(window().history().rows(), expected).steps);

    // Not while the window's history commands are off (an update running).
    find<QPushButton>("cmdHuice")->setEnabled(false);
    EXPECT_FALSE(find<QPushButton>("cmdBacktestStart")->isEnabled());
    find<QPushButton>("cmdHuice")->setEnabled(true);
    EXPECT_TRUE(find<QPushButton>("cmdBacktestStart")->isEnabled());
}

TEST_F(StatsTest, CancelAndAHistoryChangeStopTheBacktest)
{
    BacktestDialog *dialog = openBacktest();
    QSignalSpy ended(dialog, &BacktestDialog::runEnded);
    auto *status = find<QLabel>("lblBacktestStatus");

    find<QPushButton>("cmdBacktestStart")->click();
    EXPECT_TRUE(dialog->isRunning());
    EXPECT_FALSE(find<QPushButton>("cmdBacktestStart")->isEnabled());
    find<QPushButton>("cmdBacktestCancel")->click();
    EXPECT_EQ(status->text(), QStringLiteral("回测已取消。"));
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(dialog->result().scoredDraws(), 0) << "a cancelled run shows no figures";
    EXPECT_TRUE(find<QLabel>("lblBacktestFigures")->text().isEmpty());

    const size_t before = window().history().size();
    find<QPushButton>("cmdBacktestStart")->click();
    ASSERT_TRUE(window().history().deleteNewest());
    EXPECT_EQ(status->text(), QStringLiteral("历史号码已改变，回测已取消。"));
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(dialog->result().scoredDraws(), 0);
    EXPECT_EQ(window().history().size(), before - 1);

    // Closing the window in the middle of a run ends the run first.
    find<QPushButton>("cmdBacktestStart")->click();
    EXPECT_TRUE(dialog->isRunning());
    close();
}

TEST(BacktestChart, ABaselineOnTheSearchsLineIsDashedAndSaidToCoincide)
{
    BacktestResult result;
    result.chanceRate = 0.1;
    for (int i = 0; i < 40; ++i)
        result.steps.push_back({0, 1, 1, 1, uint8_t(i % 3 == 0), uint8_t(i % 3 == 0)});
    BacktestChartView chart;
    chart.setResult(result);
    EXPECT_EQ(chart.baselineLine()->points(), chart.searchLine()->points());
    EXPECT_EQ(chart.baselineLine()->pen().style(), Qt::DashLine);
    EXPECT_EQ(chart.baselineLine()->name(), "朴素基准（与检索预测重合）");

    // Apart at a single draw: two lines of their own, the plain legend.
    result.steps[7].baselineHits = 1 - result.steps[7].hits;
    chart.setResult(result);
    EXPECT_EQ(chart.baselineLine()->pen().style(), Qt::SolidLine);
    EXPECT_EQ(chart.baselineLine()->name(), "朴素基准");
}
