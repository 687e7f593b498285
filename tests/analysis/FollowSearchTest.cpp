#include "FollowSearch.h"
#include "TestHistory.h"

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::testing;

namespace {

constexpr int32_t I0 = kFirstIssue; // issue of the oldest row; row r has I0 + r

SearchRequest freeRequest(std::array<int, 5> reference, std::array<bool, 5> selected)
{
    SearchRequest request = wholeHistory();
    request.freePositions = true;
    request.reference = reference;
    request.selected = selected;
    return request;
}

SearchRequest fixedRequest(std::array<int, 5> reference, std::array<bool, 5> selected)
{
    SearchRequest request = freeRequest(reference, selected);
    request.freePositions = false;
    return request;
}

std::vector<int32_t> issues(std::initializer_list<int> rows)
{
    std::vector<int32_t> result;
    for (int r : rows)
        result.push_back(I0 + r);
    return result;
}

} // namespace

TEST(FollowSearchTest, FreePositionsNeedTheReferenceMultisetAnywhere)
{
    // Row r is judged by row r - 1's draw.
    const auto records = recordsOf({
        {3, 3, 5, 0, 0}, // row 1 follows: two 3s and a 5, at the reference positions
        {5, 1, 3, 2, 3}, // row 2 follows: two 3s and a 5, elsewhere
        {3, 5, 1, 1, 1}, // row 3 follows: one 3 only
        {5, 5, 3, 9, 9}, // row 4 follows: one 3 only
        {3, 3, 3, 3, 5}, // row 5 follows: more than enough
        {0, 0, 0, 0, 0},
    });
    const auto request = freeRequest({3, 3, 5, 8, 8}, {true, true, true, false, false});
    EXPECT_EQ(followHits(records, request), issues({1, 2, 5}));

    // The order of the reference values does not matter, their multiplicity does.
    EXPECT_EQ(followHits(records, freeRequest({5, 3, 3, 8, 8}, {true, true, true, false, false})),
              issues({1, 2, 5}));
    EXPECT_EQ(followHits(records, freeRequest({3, 5, 0, 0, 0}, {true, true, false, false, false})),
              issues({1, 2, 3, 4, 5}));
}

TEST(FollowSearchTest, NoPositionSelectedMakesEveryRowOfTheRangeAHit)
{
    const auto records = recordsOf({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 0}, {1, 1, 1, 1, 1}});
    for (bool free : {true, false}) {
        for (bool previous : {true, false}) {
            SearchRequest request = freeRequest({9, 9, 9, 9, 9}, {});
            request.freePositions = free;
            request.previousDraw = previous;
            request.earlierDistance = 3;
            // Including the oldest row, which has no compared draw at all.
            EXPECT_EQ(followHits(records, request), issues({0, 1, 2}));
        }
    }
}

TEST(FollowSearchTest, ValuesOutsideTheKindMatchNothing)
{
    const auto records = recordsOf({{7, 7, 7, 7, 7}, {7, 7, 7, 7, 7}, {7, 7, 7, 7, 7}});
    // Free positions: one bad value leaves the whole search without hits, even though the other
    // selected value matches everywhere.
    for (int bad : {-1, 10, 99}) {
        EXPECT_TRUE(followHits(records, freeRequest({7, bad, 0, 0, 0}, {true, true})).empty())
            << bad;
        EXPECT_TRUE(followHits(records, fixedRequest({7, bad, 0, 0, 0}, {true, true})).empty())
            << bad;
    }
    // 大小 has only 0 and 1: a 7 typed on the manual tab finds nothing.
    SearchRequest request = freeRequest({7, 0, 0, 0, 0}, {true});
    request.kind = Kind::BigSmall;
    EXPECT_TRUE(followHits(records, request).empty());
    request.reference = {1, 0, 0, 0, 0};
    EXPECT_EQ(followHits(records, request), issues({1, 2}));
    // A bad value on a position that is not selected is not read.
    EXPECT_EQ(followHits(records, freeRequest({7, -5, 0, 0, 0}, {true, false})), issues({1, 2}));
}

TEST(FollowSearchTest, EveryKindComparesItsOwnCodes)
{
    // Digits 1 3 5 7 9: all small-or-big mixed, all odd, segments (base 1) 1 2 3 4 5.
    const auto records = recordsOf({{1, 3, 5, 7, 9}, {0, 2, 4, 6, 8}, {0, 0, 0, 0, 0}});
    SearchRequest request = freeRequest({1, 1, 1, 0, 0}, {true, true, true, false, false});
    request.kind = Kind::OddEven; // three odd digits
    EXPECT_EQ(followHits(records, request), issues({1}));
    request.reference = {0, 0, 0, 0, 0};
    request.selected = {true, true, true, true, true};
    EXPECT_EQ(followHits(records, request), issues({2}));

    request.kind = Kind::BigSmall;
    request.reference = {1, 1, 1, 0, 0}; // three big and two small: only 1 3 5 7 9
    EXPECT_EQ(followHits(records, request), issues({1}));
    request.selected = {true, true, false, true, false}; // two big, one small: both
    EXPECT_EQ(followHits(records, request), issues({1, 2}));

    // Both earlier draws have the segments 1 2 3 4 5 (base 1).
    request.kind = Kind::Segment;
    request.reference = {2, 1, 0, 0, 0};
    request.selected = {true, true, false, false, false};
    EXPECT_EQ(followHits(records, request), issues({1, 2}));
    request.freePositions = false;
    EXPECT_TRUE(followHits(records, request).empty());
    request.reference = {1, 2, 0, 0, 0};
    EXPECT_EQ(followHits(records, request), issues({1, 2}));
}

TEST(FollowSearchTest, EarlierDrawsWithNOfOneAndThree)
{
    const auto records = recordsOf({
        {4, 4, 4, 4, 4}, // the oldest draw
        {1, 1, 1, 1, 1},
        {2, 2, 2, 2, 2},
        {3, 3, 3, 3, 3}, // row 3: the draw three issues earlier is the oldest
        {4, 0, 0, 0, 0},
        {5, 5, 5, 5, 5},
        {6, 6, 6, 6, 6}, // row 6: three issues earlier is 3 3 3 3 3
        {4, 4, 4, 4, 4},
    });
    SearchRequest request = freeRequest({4, 4, 0, 0, 0}, {true, true});
    const auto previous = followHits(records, request);
    EXPECT_EQ(previous, issues({1}));

    request.previousDraw = false;
    request.earlierDistance = 1;
    EXPECT_EQ(followHits(records, request), previous);
    request.earlierDistance = 0; // no meaning of its own: as 1
    EXPECT_EQ(followHits(records, request), previous);

    request.earlierDistance = 3;
    EXPECT_EQ(followHits(records, request), issues({3}));
    request.reference = {3, 3, 3, 3, 3};
    request.selected = {true, true, true, true, true};
    EXPECT_EQ(followHits(records, request), issues({6}));

    // Fixed positions compare the same draws.
    request.freePositions = false;
    EXPECT_EQ(followHits(records, request), issues({6}));
    request.reference = {4, 4, 4, 4, 4};
    EXPECT_EQ(followHits(records, request), issues({3}));
}

TEST(FollowSearchTest, FixedPositionsAndTheOldestRow)
{
    // The shifted columns of the oldest row hold 0, which must not pass for a draw.
    const auto records = recordsOf({{0, 0, 0, 0, 5}, {0, 5, 5, 5, 5}, {1, 5, 5, 5, 5}});
    EXPECT_EQ(followHits(records, fixedRequest({0, 0, 0, 0, 0}, {true})), issues({1, 2}));
    EXPECT_EQ(followHits(records, fixedRequest({0, 5, 0, 0, 0}, {true, true})), issues({2}));

    // A 5 at position 3 of the draw before, not anywhere in it.
    EXPECT_EQ(followHits(records, fixedRequest({0, 0, 5, 0, 0}, {false, false, true})),
              issues({2}));
    EXPECT_EQ(followHits(records, freeRequest({0, 0, 5, 0, 0}, {false, false, true})),
              issues({1, 2}));
}

TEST(FollowSearchTest, FixedEarlierDrawsNeverMatchRowsWithoutOne)
{
    // Every digit 0: with N = 3 the first three rows have no draw three issues earlier, and
    // their shifted columns hold 0 like the reference.
    const auto records = recordsOf(
        {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}});
    SearchRequest request = fixedRequest({0, 0, 0, 0, 0}, {true, false, true});
    request.previousDraw = false;
    request.earlierDistance = 3;
    EXPECT_EQ(followHits(records, request), issues({3, 4}));
    request.earlierDistance = 9;
    EXPECT_TRUE(followHits(records, request).empty());
}

TEST(FollowSearchTest, FreeAndFixedReadTheirOwnSourcesWhenTheyDisagree)
{
    // A second run started afresh after the third row: row 3 has no stored previous draw. And
    // the oldest row was written after a draw that is no longer stored.
    const DrawCodes gone = DrawCodes::fromDigits({8, 8, 8, 8, 8}, 1);
    DrawRun first(nullptr, &gone);
    std::vector<DrawRecord> records{first.append(I0, {1, 1, 1, 1, 1}, 1),
                                    first.append(I0 + 1, {2, 2, 2, 2, 2}, 1),
                                    first.append(I0 + 2, {3, 3, 3, 3, 3}, 1)};
    DrawRun second;
    records.push_back(second.append(I0 + 3, {4, 4, 4, 4, 4}, 1));
    records.push_back(second.append(I0 + 4, {5, 5, 5, 5, 5}, 1));

    // Free positions use the stored previous draw: the oldest row follows 8 8 8 8 8.
    EXPECT_EQ(followHits(records, freeRequest({8, 0, 0, 0, 0}, {true})), issues({0}));
    // Row 3 has no previous draw, in either mode.
    EXPECT_TRUE(followHits(records, freeRequest({3, 0, 0, 0, 0}, {true})).empty());
    EXPECT_TRUE(followHits(records, fixedRequest({3, 0, 0, 0, 0}, {true})).empty());
    // Fixed positions shift the own values of the row before. The oldest row has none: though
    // it has a stored previous draw, neither a reference 8 nor the 0 its shifted column would
    // hold finds it.
    EXPECT_TRUE(followHits(records, fixedRequest({8, 0, 0, 0, 0}, {true})).empty());
    EXPECT_TRUE(followHits(records, fixedRequest({0, 0, 0, 0, 0}, {true})).empty());
    SearchRequest earlier = fixedRequest({0, 0, 0, 0, 0}, {true});
    earlier.previousDraw = false;
    earlier.earlierDistance = 1; // N = 1 is the draw just before, with the same guard
    EXPECT_TRUE(followHits(records, earlier).empty());
}
