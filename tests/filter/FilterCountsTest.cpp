// Counts worked out by hand, and what the conditions that read earlier draws do at the
// history's first draws.
#include "FilterEngine.h"

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::filter;

namespace {

Condition shaped(ShapeSet shapes)
{
    Condition c;
    c.kind = ConditionKind::Shape;
    c.shapes = shapes;
    return c;
}

FilterCounts countsOf(FilterPart part, Selection selection, std::vector<Condition> conditions)
{
    const std::vector<HistoryRow> rows;
    FilterEngine engine(rows);
    engine.setConditions({part, selection, std::move(conditions)});
    return engine.counts();
}

uint32_t numbersOf(FilterPart part, Condition c)
{
    return countsOf(part, Selection::Direct, {c}).remaining;
}

HistoryRow draw(Digits digits)
{
    HistoryRow row;
    row.own = DrawCodes::fromDigits(digits, 1);
    return row;
}

} // namespace

TEST(FilterCounts, HandWorkedNumbers)
{
    // a + b + c = 10 with digits 0-9: C(12, 2) = 66, less the three with a digit of 10 or more.
    EXPECT_EQ(numbersOf(FilterPart::FrontThree, conditionOf(ConditionKind::Sum, "10")), 63u);
    EXPECT_EQ(numbersOf(FilterPart::FrontThree, shaped(shapeBit(Shape::Six))), 720u);
    EXPECT_EQ(numbersOf(FilterPart::MiddleThree, shaped(shapeBit(Shape::Three))), 270u);
    EXPECT_EQ(numbersOf(FilterPart::Five, shaped(shapeBit(Shape::Group120))), 30240u);
    // Two pairs and a single: 10·9·8/2 choices of digits, 5!/(2!·2!) orders.
    EXPECT_EQ(numbersOf(FilterPart::Five, shaped(shapeBit(Shape::Group30))), 360u * 30u);
    EXPECT_EQ(numbersOf(FilterPart::BackFour, shaped(shapeBit(Shape::Group4))), 90u * 4u);
    EXPECT_EQ(numbersOf(FilterPart::Five, conditionOf(ConditionKind::Span, "0")), 10u);
    // Two of three big: 3 places · 5³.
    EXPECT_EQ(numbersOf(FilterPart::FrontThree, conditionOf(ConditionKind::BigSmall, "2:1")), 375u);
    EXPECT_EQ(numbersOf(FilterPart::BackThree, conditionOf(ConditionKind::PrimeComposite, "3:0")), 125u);
    // All three of 0 3 6 9.
    EXPECT_EQ(numbersOf(FilterPart::BackThree, conditionOf(ConditionKind::Mod3, "3:0:0")), 64u);
    // {a, a+1, a+2} for a = 0 … 7, in 6 orders.
    EXPECT_EQ(numbersOf(FilterPart::FrontThree, conditionOf(ConditionKind::Consecutive, "3")), 48u);
    // Sums 0 and 10: 00, and 19 … 91.
    EXPECT_EQ(numbersOf(FilterPart::FrontTwo, conditionOf(ConditionKind::SumTail, "0")), 10u);

    Condition bankers;
    bankers.kind = ConditionKind::Bankers;
    bankers.digits = {1};
    EXPECT_EQ(numbersOf(FilterPart::BackTwo, bankers), 100u - 81u);
    bankers.digits = {1, 2};
    bankers.count = 2;
    bankers.rule = BankerRule::Exactly;
    EXPECT_EQ(numbersOf(FilterPart::BackTwo, bankers), 2u);
    Condition kill;
    kill.kind = ConditionKind::Kill;
    kill.digits = {0};
    kill.position = 1;
    EXPECT_EQ(numbersOf(FilterPart::FrontTwo, kill), 90u);
    Condition position;
    position.kind = ConditionKind::Position;
    position.positions = {DigitSet{1, 2}, DigitSet{3}, DigitSet::all()};
    EXPECT_EQ(numbersOf(FilterPart::FrontThree, position), 20u);
}

TEST(FilterCounts, GroupsCountMultisetsAndWeighTheirOrders)
{
    // a ≤ b ≤ c with a sum of 10: 5 with a 0, 4 with a 1, 3 with a 2 and 334.
    const FilterCounts sum =
        countsOf(FilterPart::FrontThree, Selection::Group, {conditionOf(ConditionKind::Sum, "10")});
    EXPECT_EQ(sum.remainingGroups, 13u);
    EXPECT_EQ(sum.remaining, 63u);
    EXPECT_DOUBLE_EQ(sum.remainingShare, 0.063);
    EXPECT_EQ(sum.partGroups, 220u);

    const FilterCounts pairs =
        countsOf(FilterPart::BackTwo, Selection::Group, {shaped(shapeBit(Shape::Pair))});
    EXPECT_EQ(pairs.remainingGroups, 10u);
    EXPECT_EQ(pairs.partGroups, 55u);
    EXPECT_EQ(countsOf(FilterPart::Five, Selection::Group, {}).partGroups, 2002u);
}

TEST(FilterCounts, AnInvalidConditionIsNotApplied)
{
    const FilterCounts counts =
        countsOf(FilterPart::FrontTwo, Selection::Direct,
                 {conditionOf(ConditionKind::Sum, "0-3"), conditionOf(ConditionKind::Sum, "20-10")});
    EXPECT_EQ(counts.remaining, 10u); // 00 01 02 03 10 11 12 20 21 30
    EXPECT_FALSE(counts.conditions[1]);
}

// 前二 of three draws: 12, 13, 44. Worked out by hand from the omissions before each draw.
TEST(FilterCounts, ConditionsOnEarlierDrawsAtTheFirstDraws)
{
    const std::vector<HistoryRow> rows{draw({1, 2, 0, 0, 0}), draw({1, 3, 0, 0, 0}),
                                       draw({4, 4, 0, 0, 0})};
    FilterEngine engine(rows);
    Condition cold = conditionOf(ConditionKind::Cold, "1-2");
    cold.threshold = 2;
    Condition hot = conditionOf(ConditionKind::Hot, "2");
    hot.threshold = 0;
    engine.setConditions(
        {FilterPart::FrontTwo, Selection::Direct, {conditionOf(ConditionKind::Repeat, "0"), cold, hot}});
    const RecordTable r = engine.records(RecordWindow::All);

    // 重号 0: the first draw has none before it and passes, keeping every number; 13 repeats
    // the 1 of 12 (no 1 and no 2: 64 numbers kept); 44 repeats nothing of 13 (64 kept).
    EXPECT_EQ(r.conditions[0]->passes, 2);
    EXPECT_DOUBLE_EQ(r.conditions[0]->keptShare, (1 + 0.64 + 0.64) / 3);
    // 冷号 omission ≥ 2 at one position or both: every omission is 0 before the first draw and
    // at most 1 before the second, so nothing is cold. Before 44, 万位 has 9 cold digits (all
    // but 1) and 千位 8 (all but 2 and 3): 44 passes, and 100 − 1·2 numbers do.
    EXPECT_EQ(r.conditions[1]->passes, 1);
    EXPECT_DOUBLE_EQ(r.conditions[1]->keptShare, 0.98 / 3);
    // 热号 omission 0 at both positions: before the first draw every digit is hot; then only
    // the digits of the draw before, so 13 and 44 fail and one number in a hundred is kept.
    EXPECT_EQ(r.conditions[2]->passes, 1);
    EXPECT_DOUBLE_EQ(r.conditions[2]->keptShare, (1 + 0.01 + 0.01) / 3);
    // Together: 12 fails 冷号, 13 重号, 44 热号. Nothing passes 冷号 before the second draw,
    // and before 44 热号 keeps only 13, which 重号 removes.
    EXPECT_EQ(r.together.passes, 0);
    EXPECT_DOUBLE_EQ(r.together.keptShare, 0.0);

    // For the draw to come: no 4 (81 numbers); cold 万位 all but 1 and 4, 千位 all but 3 and 4
    // (100 − 2·2); hot 4 at both positions (one number).
    const FilterCounts c = engine.counts();
    EXPECT_EQ(c.conditions[0]->numbers, 81u);
    EXPECT_EQ(c.conditions[1]->numbers, 96u);
    EXPECT_EQ(c.conditions[2]->numbers, 1u);

    engine.setConditions(
        {FilterPart::FrontTwo, Selection::Direct, {conditionOf(ConditionKind::Repeat, "0"), cold}});
    // Before 44 the numbers without 1 and 3 all have a cold 万位: 64 of 100.
    const Record together = engine.records(RecordWindow::All).together;
    EXPECT_EQ(together.passes, 1);
    EXPECT_DOUBLE_EQ(together.keptShare, 0.64 / 3);
    // Without draws there is nothing to judge.
    const std::vector<HistoryRow> none;
    FilterEngine empty(none);
    empty.setConditions(engine.conditions());
    EXPECT_EQ(empty.records(RecordWindow::All).together.draws, 0);
    EXPECT_EQ(empty.counts().conditions[0]->numbers, 100u);
    EXPECT_EQ(empty.counts().conditions[1]->numbers, 0u);
}
