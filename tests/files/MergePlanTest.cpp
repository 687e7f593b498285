#include "MergePlan.h"

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::import;

namespace {

HistoryRow row(int32_t sqqh, const Digits &digits)
{
    HistoryRow stored;
    stored.sqqh = sqqh;
    stored.own = DrawCodes::fromDigits(digits, 1);
    return stored;
}

} // namespace

TEST(MergePlanTest, EachFileDrawIsNewTheSameOrAConflict)
{
    const std::vector<HistoryRow> stored{row(26101, {1, 1, 1, 1, 1}), row(26102, {2, 2, 2, 2, 2}),
                                         row(26104, {4, 4, 4, 4, 4})};
    const std::vector<HistoryLine> draws{{26102, {2, 2, 2, 2, 2}, 20260422},
                                         {26103, {3, 3, 3, 3, 3}, 20260423},
                                         {26104, {4, 4, 4, 4, 0}, 0},
                                         {26105, {5, 5, 5, 5, 5}, 0}};
    const std::vector<qsizetype> lines{2, 3, 4, 5};
    const MergePlan plan = MergePlan::of(stored, draws, lines);
    EXPECT_EQ(plan.newDraws, (std::vector<HistoryLine>{draws[1], draws[3]}));
    EXPECT_EQ(plan.newDrawLines, (std::vector<qsizetype>{3, 5}));
    EXPECT_EQ(plan.sameIssues, (std::vector<int32_t>{26102}));
    ASSERT_EQ(plan.conflicts.size(), 1u);
    EXPECT_EQ(plan.conflicts[0].sqqh, 26104);
    EXPECT_EQ(plan.conflicts[0].storedDigits, (Digits{4, 4, 4, 4, 4}));
    EXPECT_EQ(plan.conflicts[0].fileDigits, (Digits{4, 4, 4, 4, 0}));
    EXPECT_EQ(plan.conflicts[0].line, 4);
    EXPECT_FALSE(plan.onlyAfterNewest); // 26103 falls between stored draws

    const MergePlan later = MergePlan::of(stored, std::vector<HistoryLine>{draws[3]}, lines);
    EXPECT_TRUE(later.onlyAfterNewest);
    EXPECT_EQ(MergePlan::of({}, draws, lines).newDraws, draws);
}
