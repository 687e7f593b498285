#include "TrendChart.h"

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::trend;

namespace {

HistoryRow draw(int32_t sqqh, Digits digits)
{
    HistoryRow row;
    row.sqqh = sqqh;
    row.own = DrawCodes::fromDigits(digits, 1);
    return row;
}

// 万位 of eight draws across a year end; the other positions are always 0. The issue 170101002
// is missing. Draws by index:
//   0 161231117 7    1 161231118 3    2 161231119 3    3 161231120 3
//   4 170101001 3    5 170101003 1    6 170101004 7    7 170101005 1
// The window 近 5 期 holds draws 3-7 and the missing 170101002 between draws 4 and 5.
std::vector<HistoryRow> yearEndHistory()
{
    const std::pair<int32_t, int> draws[] = {{161231117, 7}, {161231118, 3}, {161231119, 3},
                                             {161231120, 3}, {170101001, 3}, {170101003, 1},
                                             {170101004, 7}, {170101005, 1}};
    std::vector<HistoryRow> rows;
    for (auto [sqqh, d] : draws)
        rows.push_back(draw(sqqh, {uint8_t(d), 0, 0, 0, 0}));
    return rows;
}

std::vector<int64_t> omissions(const TrendChart &chart, int column)
{
    std::vector<int64_t> out;
    for (size_t i = 0; i < chart.rowCount(); ++i) {
        if (!chart.isMissingRow(i))
            out.push_back(chart.row(i).omission[size_t(column)]);
    }
    return out;
}

} // namespace

TEST(TrendStatistics, HandMadeWindowFromItsFirstDraw)
{
    const auto rows = yearEndHistory();
    TrendChart chart(rows);
    chart.setOrigin(StatsOrigin::WindowStart);
    chart.setWindow(TrendWindow::latest(5));
    ASSERT_EQ(chart.rowCount(), 6u);
    EXPECT_TRUE(chart.isMissingRow(2));
    EXPECT_EQ(chart.row(2).issue, 170101002);
    EXPECT_EQ(chart.missingInWindow(), 1);
    const TrendStatistics &s = chart.statistics();

    // 万位 3 is drawn at 3 and 4 (a run at the window's start; the earlier 1, 2 are not counted),
    // then missed at 5, 6, 7: omissions 0 0 1 2 3. The missing draw adds nothing.
    const int three = positionColumn(0, 3);
    EXPECT_EQ(omissions(chart, three), (std::vector<int64_t>{0, 0, 1, 2, 3}));
    EXPECT_EQ(s[three].occurrences, 2);
    EXPECT_DOUBLE_EQ(s[three].expected, 0.5); // 5 draws × 1/10
    EXPECT_EQ(s[three].current, 3);
    EXPECT_EQ(s[three].maxOmission, 3);
    EXPECT_DOUBLE_EQ(s[three].averageOmission, 1.0); // (5 − 2) ÷ (2 + 1)
    EXPECT_EQ(s[three].maxRun, 2);

    // 万位 7 (draw 6 only): 1 2 3 0 1; average (5 − 1) ÷ 2 = 2.
    const int seven = positionColumn(0, 7);
    EXPECT_EQ(omissions(chart, seven), (std::vector<int64_t>{1, 2, 3, 0, 1}));
    EXPECT_EQ(s[seven].maxOmission, 3);
    EXPECT_EQ(s[seven].current, 1);
    EXPECT_DOUBLE_EQ(s[seven].averageOmission, 2.0);

    // 万位 1 (draws 5 and 7): 1 2 0 1 0, current 0, never two in a row.
    const int one = positionColumn(0, 1);
    EXPECT_EQ(omissions(chart, one), (std::vector<int64_t>{1, 2, 0, 1, 0}));
    EXPECT_EQ(s[one].current, 0);
    EXPECT_EQ(s[one].maxRun, 1);

    // 9 never appears anywhere: 1..5 at 万位 and in 号码分布; average 5 ÷ 1.
    for (int column : {positionColumn(0, 9), spreadColumn(9)}) {
        EXPECT_EQ(omissions(chart, column), (std::vector<int64_t>{1, 2, 3, 4, 5})) << column;
        EXPECT_EQ(s[column].occurrences, 0);
        EXPECT_EQ(s[column].current, 5);
        EXPECT_EQ(s[column].maxOmission, 5);
        EXPECT_DOUBLE_EQ(s[column].averageOmission, 5.0);
        EXPECT_EQ(s[column].maxRun, 0);
    }
    EXPECT_DOUBLE_EQ(s[spreadColumn(9)].expected, 5 * (1 - 0.9 * 0.9 * 0.9 * 0.9 * 0.9));

    // 0 is in every draw (positions 2-5): 号码分布 0 runs all five; counted once per draw.
    EXPECT_EQ(s[spreadColumn(0)].occurrences, 5);
    EXPECT_EQ(s[spreadColumn(0)].maxRun, 5);
    EXPECT_DOUBLE_EQ(s[spreadColumn(0)].averageOmission, 0.0);
    EXPECT_EQ(chart.row(0).features.counts[0], 4);

    // 遗漏分层: 万位 3 was last seen at draw 4 (row 1): rows after it are shaded, 9 everywhere.
    EXPECT_FALSE(chart.row(1).layered[size_t(three)]);
    EXPECT_TRUE(chart.row(3).layered[size_t(three)]);
    EXPECT_TRUE(chart.row(0).layered[size_t(positionColumn(0, 9))]);
}

TEST(TrendStatistics, HandMadeWindowCarryingTheHistoryBefore)
{
    const auto rows = yearEndHistory();
    TrendChart chart(rows);
    chart.setWindow(TrendWindow::latest(5));
    chart.setOrigin(StatsOrigin::Carried);
    const TrendStatistics &s = chart.statistics();
    // 万位 3's run 1-4 started before the window: 最大连出 4. Its omissions are unchanged.
    EXPECT_EQ(s[positionColumn(0, 3)].maxRun, 4);
    EXPECT_EQ(omissions(chart, positionColumn(0, 3)), (std::vector<int64_t>{0, 0, 1, 2, 3}));
    // 万位 7 was last seen at draw 0: 3 4 5 0 1, 最大遗漏 5.
    EXPECT_EQ(omissions(chart, positionColumn(0, 7)), (std::vector<int64_t>{3, 4, 5, 0, 1}));
    EXPECT_EQ(s[positionColumn(0, 7)].maxOmission, 5);
    // 9 is counted from the first draw of all: 4..8.
    EXPECT_EQ(omissions(chart, positionColumn(0, 9)), (std::vector<int64_t>{4, 5, 6, 7, 8}));
    EXPECT_EQ(s[positionColumn(0, 9)].current, 8);
    // The run of 0 in 号码分布 goes back to draw 0: 8.
    EXPECT_EQ(s[spreadColumn(0)].maxRun, 8);
    // Carrying does not change what the window holds.
    EXPECT_EQ(s[positionColumn(0, 3)].occurrences, 2);
    EXPECT_DOUBLE_EQ(s[positionColumn(0, 9)].averageOmission, 5.0);
}

// 同期号 2 over four days: day 3 has no draw 2, so the chart shows it missing in place and counts
// on over it. Draws 1 of each day are not counted.
TEST(TrendStatistics, SameDrawCountsOnlyThatDrawOfEachDay)
{
    std::vector<HistoryRow> rows{draw(160227001, {5, 0, 0, 0, 0}), draw(160227002, {1, 0, 0, 0, 0}),
                                 draw(160228001, {1, 0, 0, 0, 0}), draw(160228002, {2, 0, 0, 0, 0}),
                                 draw(160229001, {1, 0, 0, 0, 0}), draw(160229003, {1, 0, 0, 0, 0}),
                                 draw(160301002, {2, 0, 0, 0, 0})};
    TrendChart chart(rows);
    chart.setSameDraw(2);
    chart.setWindow(TrendWindow::all());
    ASSERT_EQ(chart.rowCount(), 4u);
    EXPECT_TRUE(chart.isMissingRow(2));
    EXPECT_EQ(chart.row(2).issue, 160229002);
    EXPECT_EQ(chart.row(3).issue, 160301002);
    // 万位 1: drawn on day 1, then 1 2 (the missing day 3 is no draw).
    EXPECT_EQ(omissions(chart, positionColumn(0, 1)), (std::vector<int64_t>{0, 1, 2}));
    // 万位 2: 1 0 0, a run of two across the missing day.
    EXPECT_EQ(omissions(chart, positionColumn(0, 2)), (std::vector<int64_t>{1, 0, 0}));
    EXPECT_EQ(chart.statistics()[positionColumn(0, 2)].maxRun, 2);
    // 近 2 期 from its first draw: 万位 1 is not seen, 1 2.
    chart.setWindow(TrendWindow::latest(2));
    chart.setOrigin(StatsOrigin::WindowStart);
    EXPECT_EQ(omissions(chart, positionColumn(0, 1)), (std::vector<int64_t>{1, 2}));
    EXPECT_EQ(chart.statistics()[positionColumn(0, 1)].maxOmission, 2);
}

TEST(TrendStatistics, FeaturesOfADraw)
{
    const DrawFeatures a = featuresOf({1, 2, 3, 4, 5});
    EXPECT_EQ(a.sum, 15);
    EXPECT_EQ(a.span, 4);
    EXPECT_EQ(a.bigSmallText(), "1:4");
    EXPECT_EQ(a.oddEvenText(), "3:2");
    EXPECT_EQ(a.shapes, (std::array<Shape, 3>{Shape::Distinct, Shape::Distinct, Shape::Distinct}));
    const DrawFeatures b = featuresOf({9, 9, 9, 5, 9});
    EXPECT_EQ(b.sum, 41);
    EXPECT_EQ(b.span, 4);
    EXPECT_EQ(b.bigSmallText(), "5:0");
    EXPECT_EQ(b.shapes, (std::array<Shape, 3>{Shape::Triple, Shape::Pair, Shape::Pair}));
    EXPECT_EQ(shapeName(Shape::Triple), "豹子");
    EXPECT_EQ(shapeName(Shape::Pair), "组三");
    EXPECT_EQ(shapeName(Shape::Distinct), "组六");
    EXPECT_EQ(featuresOf({0, 0, 0, 0, 0}).span, 0);
}
