#include "CombinationSearch.h"
#include "TestHistory.h"

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::testing;

namespace {

constexpr int32_t I0 = kFirstIssue;

SearchRequest combination(std::array<int, 5> reference, int k, bool free)
{
    SearchRequest request = wholeHistory();
    request.reference = reference;
    request.combinationWidth = k;
    request.freePositions = free;
    return request;
}

std::vector<int32_t> issues(std::initializer_list<int> rows)
{
    std::vector<int32_t> result;
    for (int r : rows)
        result.push_back(I0 + r);
    return result;
}

// Row r + 1 is judged by the draw of row r.
const std::vector<DrawRecord> &history()
{
    static const std::vector<DrawRecord> records = recordsOf({
        {1, 2, 3, 4, 5}, // row 1: the reference itself
        {5, 4, 3, 2, 1}, // row 2: the same digits in another order
        {1, 9, 9, 9, 9}, // row 3: one value, at its position
        {9, 9, 9, 9, 1}, // row 4: one value, elsewhere
        {9, 9, 9, 9, 9}, // row 5: none
        {1, 2, 3, 4, 0}, // row 6: four at their positions
        {0, 0, 0, 0, 0},
    });
    return records;
}

} // namespace

TEST(CombinationSearchTest, OnePositionOutOfFive)
{
    EXPECT_EQ(combinationHits(history(), combination({1, 2, 3, 4, 5}, 1, true)),
              issues({1, 2, 3, 4, 6}));
    EXPECT_EQ(combinationHits(history(), combination({1, 2, 3, 4, 5}, 1, false)),
              issues({1, 2, 3, 6}));
}

TEST(CombinationSearchTest, AllFivePositions)
{
    EXPECT_EQ(combinationHits(history(), combination({1, 2, 3, 4, 5}, 5, true)), issues({1, 2}));
    EXPECT_EQ(combinationHits(history(), combination({1, 2, 3, 4, 5}, 5, false)), issues({1}));
    EXPECT_EQ(combinationHits(history(), combination({1, 2, 3, 4, 5}, 4, false)), issues({1, 6}));
}

TEST(CombinationSearchTest, WidthsOutsideOneToFiveMarkNothing)
{
    for (int k : {0, 6, 7, -1}) {
        for (bool free : {true, false}) {
            const auto request = combination({9, 9, 9, 9, 9}, k, free);
            EXPECT_TRUE(combinationHits(history(), request).empty()) << k << free;
        }
    }
}

TEST(CombinationSearchTest, RepeatedReferenceValuesNeedRepeatedDraws)
{
    const auto records =
        recordsOf({{3, 1, 1, 1, 1}, {3, 3, 1, 1, 1}, {5, 3, 1, 1, 1}, {3, 0, 0, 0, 0}});
    // Only (3, 3) at positions 1 and 2 can make a pair: two 3s needed.
    EXPECT_EQ(combinationHits(records, combination({3, 3, 8, 8, 8}, 2, true)), issues({2}));
    // (3, 5) at positions 1 and 2: one of each.
    EXPECT_EQ(combinationHits(records, combination({3, 5, 8, 8, 8}, 2, true)), issues({3}));
}

TEST(CombinationSearchTest, ABadValueSpoilsOnlyTheCombinationsHoldingIt)
{
    // With k = 1 the other four positions still find their values.
    EXPECT_EQ(combinationHits(history(), combination({-1, 2, 3, 4, 77}, 1, true)),
              issues({1, 2, 6}));
    EXPECT_EQ(combinationHits(history(), combination({-1, 2, 3, 4, 77}, 1, false)),
              issues({1, 2, 6}));
    // With k = 5 the one combination holds it.
    EXPECT_TRUE(combinationHits(history(), combination({1, 2, 3, 4, 10}, 5, true)).empty());
    // 单双 has only 0 and 1; a 2 cannot join.
    SearchRequest request = combination({1, 0, 2, 2, 2}, 2, true);
    request.kind = Kind::OddEven;
    EXPECT_EQ(combinationHits(history(), request), issues({1, 2, 6}));
}

TEST(CombinationSearchTest, RowsWithoutACompareDrawNeverMatch)
{
    // Reference 0s: the oldest row's shifted columns hold 0 but it has no previous draw; with
    // N = 2 the first two rows have no draw two issues earlier.
    const auto records = recordsOf({{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}});
    for (bool free : {true, false}) {
        SearchRequest request = combination({0, 0, 0, 0, 0}, 3, free);
        EXPECT_EQ(combinationHits(records, request), issues({1, 2})) << free;
        request.previousDraw = false;
        request.earlierDistance = 2;
        EXPECT_EQ(combinationHits(records, request), issues({2})) << free;
    }
}

TEST(CombinationSearchTest, TheUnionOverCombinations)
{
    // Rows matching different pairs all count; a row matching several counts once.
    const auto records =
        recordsOf({{1, 2, 0, 0, 0}, {0, 0, 3, 4, 0}, {1, 2, 3, 4, 5}, {0, 0, 0, 0, 0}});
    EXPECT_EQ(combinationHits(records, combination({1, 2, 3, 4, 5}, 2, false)), issues({1, 2, 3}));
}
