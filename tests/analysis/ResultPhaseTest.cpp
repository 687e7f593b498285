#include "HistoryDb.h"
#include "SearchResult.h"
#include "TestHistory.h"

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::testing;

namespace {

struct Ranked
{
    QString outcome;
    int64_t count;
    QString percent;
    bool operator==(const Ranked &) const = default;
};

std::ostream &operator<<(std::ostream &os, const Ranked &r)
{
    return os << r.outcome.toStdString() << " " << r.count << " " << r.percent.toStdString();
}

std::vector<Ranked> ranking(const Tally &tally)
{
    std::vector<Ranked> rows;
    for (const TallyEntry &e : tally.ranked())
        rows.push_back({tally.label(e.value), e.count, tally.percentText(e.count)});
    return rows;
}

TallyOptions options(bool group, int position, Kind kind = Kind::Number, int base = 1)
{
    return {group, position, kind, base};
}

} // namespace

TEST(TallyTest, DirectSelectionCountsOnePositionOfEachHit)
{
    const auto records =
        recordsOf({{0, 0, 7, 0, 0}, {1, 1, 7, 1, 1}, {2, 2, 2, 2, 2}, {3, 3, 9, 3, 3}});
    // No position selected: all four rows are hits.
    const SearchResult result =
        followBothWays(records, wholeHistory(), options(false, 3, Kind::Number));
    ASSERT_EQ(result.hits.size(), 4u);
    EXPECT_EQ(result.tally.total(), 4);
    const std::vector<Ranked> expected{
        {"7", 2, "50.000%"}, {"2", 1, "25.000%"}, {"9", 1, "25.000%"}, {"0", 0, "0.000%"},
        {"1", 0, "0.000%"},  {"3", 0, "0.000%"},  {"4", 0, "0.000%"},  {"5", 0, "0.000%"},
        {"6", 0, "0.000%"},  {"8", 0, "0.000%"}};
    EXPECT_EQ(ranking(result.tally), expected);

    // Carcu gets all ten values, in ascending order, zero counts included.
    ScratchDb scratch(records);
    ASSERT_TRUE(scratch.db().writeTally(result.tally.carcuRows()));
    Statement carcu = scratch.db().sql().prepare("SELECT Nmb, Count FROM Carcu ORDER BY rowid");
    std::vector<std::pair<int, int64_t>> stored;
    while (carcu.step() == SQLITE_ROW)
        stored.emplace_back(static_cast<int>(carcu.columnInt(0)), carcu.columnInt(1));
    const std::vector<std::pair<int, int64_t>> expectedCarcu{
        {0, 0}, {1, 0}, {2, 1}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 2}, {8, 0}, {9, 1}};
    EXPECT_EQ(stored, expectedCarcu);
}

TEST(TallyTest, GroupSelectionTalliesPositionsOneToTheChosenOne)
{
    const auto records =
        recordsOf({{1, 1, 1, 1, 1}, {1, 2, 3, 4, 5}, {5, 5, 5, 5, 5}, {0, 0, 0, 0, 9}});
    const SearchResult five = followBothWays(records, wholeHistory(), options(true, 5));
    EXPECT_EQ(five.tally.total(), 20);
    const std::vector<Ranked> expected{
        {"1", 6, "30.000%"}, {"5", 6, "30.000%"}, {"0", 4, "20.000%"}, {"2", 1, "5.000%"},
        {"3", 1, "5.000%"},  {"4", 1, "5.000%"},  {"9", 1, "5.000%"},  {"6", 0, "0.000%"},
        {"7", 0, "0.000%"},  {"8", 0, "0.000%"}};
    EXPECT_EQ(ranking(five.tally), expected);

    // Positions 1..3 of four hits: twelve values; 直选 of the same position: four.
    const SearchResult three = followBothWays(records, wholeHistory(), options(true, 3));
    EXPECT_EQ(three.tally.total(), 12);
    EXPECT_EQ(three.tally.byValue()[1].count, 4); // 1 1 1, 1 2 3
    EXPECT_EQ(followBothWays(records, wholeHistory(), options(false, 3)).tally.total(), 4);
}

TEST(TallyTest, BigSmallAndOddEvenAreLabelledButListedAsCodes)
{
    const auto records = recordsOf({{9, 0, 0, 0, 0}, {8, 0, 0, 0, 0}, {3, 0, 0, 0, 0}});
    const SearchResult big =
        followBothWays(records, wholeHistory(), options(false, 1, Kind::BigSmall));
    EXPECT_EQ(ranking(big.tally),
              (std::vector<Ranked>{{"大", 2, "66.667%"}, {"小", 1, "33.333%"}}));
    EXPECT_EQ(big.tally.carcuRows(), (std::vector<std::pair<int, int64_t>>{{0, 1}, {1, 2}}));
    // The hit list shows the code 1 of a big digit, not its label.
    EXPECT_EQ(big.hitList.cell(rowsOf(records), 0, HitListLayout::FirstPosition), "1");

    const SearchResult odd =
        followBothWays(records, wholeHistory(), options(false, 1, Kind::OddEven));
    EXPECT_EQ(ranking(odd.tally),
              (std::vector<Ranked>{{"单", 2, "66.667%"}, {"双", 1, "33.333%"}}));
    EXPECT_EQ(odd.hitList.cell(rowsOf(records), 1, HitListLayout::FirstPosition), "0");
}

TEST(TallyTest, SegmentRowsFollowTheCurrentBase)
{
    // Stored with base 1: the first digits 0, 2, 9, 9 are the segments 1, 2, 5, 5.
    const auto records =
        recordsOf({{0, 0, 0, 0, 0}, {2, 0, 0, 0, 0}, {9, 0, 0, 0, 0}, {9, 0, 0, 0, 0}}, 1);
    const SearchResult one =
        followBothWays(records, wholeHistory(), options(false, 1, Kind::Segment, 1));
    EXPECT_EQ(one.tally.carcuRows(),
              (std::vector<std::pair<int, int64_t>>{{1, 1}, {2, 1}, {3, 0}, {4, 0}, {5, 2}}));
    EXPECT_EQ(ranking(one.tally).front(), (Ranked{"5", 2, "50.000%"}));

    // Base 0 now: the rows are 0..4, the stored 5s have none, yet they stay in the total.
    const SearchResult zero =
        followBothWays(records, wholeHistory(), options(false, 1, Kind::Segment, 0));
    EXPECT_EQ(zero.tally.carcuRows(),
              (std::vector<std::pair<int, int64_t>>{{0, 0}, {1, 1}, {2, 1}, {3, 0}, {4, 0}}));
    EXPECT_EQ(zero.tally.total(), 4);
    EXPECT_EQ(ranking(zero.tally).front(), (Ranked{"1", 1, "25.000%"}));
}

TEST(TallyTest, NoHitsLeaveZerosAndNoShares)
{
    const auto records = recordsOf({{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}});
    SearchRequest request = wholeHistory();
    request.selected = {true};
    request.reference = {9, 0, 0, 0, 0};
    const SearchResult none = followBothWays(records, request, options(true, 5));
    EXPECT_TRUE(none.hits.empty());
    EXPECT_EQ(none.tally.total(), 0);
    ASSERT_EQ(none.tally.ranked().size(), 10u);
    for (const Ranked &r : ranking(none.tally)) {
        EXPECT_EQ(r.count, 0);
        EXPECT_EQ(r.percent, "0.000%");
    }
}

TEST(TallyTest, SharesHaveThreeDecimalsRoundedHalfUp)
{
    EXPECT_EQ(percentText(1, 3), "33.333%");
    EXPECT_EQ(percentText(2, 3), "66.667%");
    EXPECT_EQ(percentText(1, 64), "1.563%"); // 1.5625 exactly
    EXPECT_EQ(percentText(1, 8), "12.500%");
    EXPECT_EQ(percentText(7, 7), "100.000%");
    EXPECT_EQ(percentText(0, 5), "0.000%");
    EXPECT_EQ(percentText(3, 0), "0.000%");
    // Counts beyond 32 bits.
    EXPECT_EQ(percentText(3'000'000'001, 6'000'000'000), "50.000%");
    EXPECT_EQ(percentText(1, 5'000'000), "0.000%");
    EXPECT_EQ(percentText(1, 200'000), "0.001%"); // 0.0005 rounds up
}

TEST(HitListTest, ColumnsOfOneHit)
{
    // Issues of 2005 keep their leading zero after the "20".
    const auto records = recordsOf(
        {{9, 8, 7, 6, 5}, {1, 2, 3, 4, 5}, {0, 0, 0, 0, 0}, {6, 6, 6, 6, 6}}, 1, 51231119);
    const auto rows = rowsOf(records);
    HitListLayout layout{Kind::Segment, true, 1};
    EXPECT_EQ(layout.header(0), "期号");
    EXPECT_EQ(layout.header(1), "第1位");
    EXPECT_EQ(layout.header(5), "第5位");
    EXPECT_EQ(layout.header(6), "上期开奖");
    EXPECT_EQ(layout.cell(rows, 0, 0), "20051231119");
    EXPECT_EQ(layout.cell(rows, 2, 0),
              "20060101001");                // after the 120th draw of the year's last day
    EXPECT_EQ(layout.cell(rows, 1, 1), "1"); // digit 1, segment 1 (base 1)
    EXPECT_EQ(layout.cell(rows, 1, 5), "3"); // digit 5
    EXPECT_EQ(layout.cell(rows, 0, 6), "");
    EXPECT_EQ(layout.cell(rows, 1, 6), "98765");

    // 前 3 期: the digits of the draw three issues earlier, none for the first rows.
    layout = {Kind::Number, false, 3};
    EXPECT_EQ(layout.header(6), "前期开奖");
    EXPECT_EQ(layout.cell(rows, 1, 6), "");
    EXPECT_EQ(layout.cell(rows, 2, 6), "");
    EXPECT_EQ(layout.cell(rows, 3, 6), "98765");
    EXPECT_EQ(layout.cell(rows, 3, 1), "6");
}

TEST(HitListTest, OnlyTheComparedDrawDependsOnUpperOrEarlier)
{
    const auto records =
        recordsOf({{1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}, {0, 0, 0, 0, 0}, {6, 7, 8, 9, 0}});
    SearchRequest request = wholeHistory();
    const TallyOptions tally = options(true, 4);
    const SearchResult previous = followBothWays(records, request, tally);
    request.previousDraw = false;
    request.earlierDistance = 2;
    const SearchResult earlier = followBothWays(records, request, tally);
    EXPECT_EQ(previous.hits, earlier.hits);
    EXPECT_EQ(ranking(previous.tally), ranking(earlier.tally));
    const auto rows = rowsOf(records);
    EXPECT_EQ(previous.hitList.cell(rows, 3, 6), "00000");
    EXPECT_EQ(earlier.hitList.cell(rows, 3, 6), "54321");
}
