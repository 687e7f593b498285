#include "MissingDrawCheck.h"
#include "TrendChart.h"

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::trend;

namespace {

const Game kDaily = *Game::make(1, IssueForm::YearSequence4);
const Game k96 = *Game::make(96, IssueForm::DateSequence2);

HistoryRow draw(int32_t sqqh, int32_t date = 0)
{
    HistoryRow row{};
    row.sqqh = sqqh;
    row.date = date;
    return row;
}

// One draw a day from 2 Dec 2025 to the end of the year (sequences 336..365), a pause of nine
// days for the Spring Festival, then 2026 from 001 on.
std::vector<HistoryRow> dailyAcrossTheYearEnd(int drawsOf2026)
{
    std::vector<HistoryRow> rows;
    QDate day(2025, 12, 2);
    for (int s = 336; s <= 365; ++s, day = day.addDays(1))
        rows.push_back(draw(kDaily.issueOfYear(2025, s), Game::dateNumber(day)));
    day = QDate(2026, 1, 1);
    for (int s = 1; s <= drawsOf2026; ++s, day = day.addDays(1)) {
        if (day == QDate(2026, 2, 16))
            day = day.addDays(9); // no draws during the pause; the sequence goes on
        rows.push_back(draw(kDaily.issueOfYear(2026, s), Game::dateNumber(day)));
    }
    return rows;
}

} // namespace

TEST(GameSchedule, ADailyGameMissesOnlyWhatItsYearsSequencesLeaveOut)
{
    auto rows = dailyAcrossTheYearEnd(102);
    EXPECT_TRUE(checkMissingDraws(rows, kDaily).clean());

    // 2026100 followed by 2026102: 2026101 is missing, and nothing else.
    rows.erase(rows.end() - 2);
    auto report = checkMissingDraws(rows, kDaily);
    ASSERT_EQ(report.missing.size(), 1u);
    EXPECT_EQ(kDaily.displayForm(report.missing[0].first), "2026101");
    EXPECT_EQ(report.missing[0].count, 1);
    EXPECT_TRUE(report.shortDays.empty()); // pauses are not known in advance

    // A year always starts at 001: a year whose first stored draw is 003 misses two.
    rows = dailyAcrossTheYearEnd(10);
    rows.erase(rows.begin() + 30, rows.begin() + 32);
    report = checkMissingDraws(rows, kDaily);
    ASSERT_EQ(report.missing.size(), 1u);
    EXPECT_EQ(kDaily.displayForm(report.missing[0].first), "2026001");
    EXPECT_EQ(kDaily.displayForm(report.missing[0].last), "2026002");
}

TEST(GameSchedule, TheTrendChartOfADailyGameShowsItsDraws)
{
    const auto rows = dailyAcrossTheYearEnd(101);
    TrendChart chart(rows, kDaily);
    chart.setWindow(TrendWindow::latest(100));
    EXPECT_EQ(chart.rowCount(), 100u);
    chart.setWindow(TrendWindow::all());
    EXPECT_EQ(chart.rowCount(), rows.size());
    EXPECT_EQ(chart.missingInWindow(), 0);
    // 今天 is the day a draw was drawn on, from its kept date.
    chart.setWindow(TrendWindow::ofDay(QDate(2026, 2, 25)));
    ASSERT_EQ(chart.rowCount(), 1u);
    EXPECT_EQ(kDaily.displayForm(chart.row(0).issue), "2026047");
    chart.setWindow(TrendWindow::ofDay(QDate(2026, 2, 20))); // in the pause
    EXPECT_EQ(chart.rowCount(), 0u);
}

TEST(GameSchedule, NinetySixADayRollsOverAfterItsLastDraw)
{
    std::vector<HistoryRow> rows;
    for (int32_t day : {170328, 170329})
        for (int s = 1; s <= 96; ++s)
            rows.push_back(draw(day * 100 + s));
    TrendChart chart(rows, k96);
    chart.setWindow(TrendWindow::all());
    EXPECT_EQ(chart.rowCount(), 192u); // 96 of one day followed by 01 of the next: no gap
    EXPECT_TRUE(checkMissingDraws(rows, k96).clean());

    rows.erase(rows.begin() + 95); // 2017032896
    auto report = checkMissingDraws(rows, k96);
    ASSERT_EQ(report.missing.size(), 1u);
    EXPECT_EQ(k96.displayForm(report.missing[0].first), "2017032896");
    ASSERT_EQ(report.shortDays.size(), 1u);
    EXPECT_EQ(report.shortDays[0].stored, 95);

    // 同期号: draw 96 of each day; the day without it is the one missing line.
    TrendChart same(rows, k96);
    same.setSameDraw(96);
    same.setWindow(TrendWindow::all());
    EXPECT_EQ(same.rowCount(), 1u); // only 2017032996: the first day has none before it
    rows.push_back(draw(17033001));
    rows.push_back(draw(17033096));
    TrendChart later(rows, k96);
    later.setSameDraw(96);
    later.setWindow(TrendWindow::all());
    ASSERT_EQ(later.rowCount(), 2u);
    EXPECT_FALSE(later.isMissingRow(0));
}
