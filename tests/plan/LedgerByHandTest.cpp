// Ledgers worked out by hand on ten draws, one for each kind of play, from each source of a plan.

#include "Condition.h"
#include "PlanRun.h"
#include "PlanTestHistory.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quorlent;
using namespace quorlent::plan;

namespace {

const std::vector<HistoryRow> &tenDraws()
{
    static const std::vector<HistoryRow> rows = plantest::planRows({
        {1, 2, 3, 4, 5},
        {1, 2, 3, 9, 9},
        {5, 5, 1, 0, 7},
        {0, 0, 0, 3, 3},
        {1, 2, 3, 4, 5},
        {9, 8, 7, 6, 5},
        {3, 2, 1, 4, 4},
        {1, 1, 2, 2, 8},
        {6, 7, 8, 9, 0},
        {1, 3, 2, 5, 4},
    });
    return rows;
}

PlanDefinition typed(const char *play, const char *numbers)
{
    PlanDefinition d = PlanDefinition::defaults(Game::standard());
    d.source = SourceKind::Typed;
    d.typed.text = QString::fromUtf8(numbers);
    d.play = QLatin1String(play);
    d.startBalance = 100 * kCentsPerYuan;
    d.range = PlanRange::all();
    return d;
}

struct HandCase
{
    const char *what;
    std::function<PlanDefinition()> plan;
    const char *marks; // per draw: W 中, M 挂, - no proposal
    int cost;          // 元, in all
    int prize;
    int balance; // at the end
};

// Each row: the bets, and how the ten draws meet them (prizes of the 时时彩 table, 2 元 a bet).
const HandCase kCases[] = {
    // 12345 and 98765: draws 1, 5 and 6 win 100,000 each.
    {"五星直选", [] { return typed("five-direct", "12345\n98765"); }, "WMMMWWMMMM", 40, 300000,
     300060},
    // 123 wins as 组六 (160) on 123, 123, 123, 321, 132; 155 as 组三 (320) on 551.
    {"前三组选", [] { return typed("front-three-group", "321 155"); }, "WWWMWMWMMW", 40, 1120,
     1180},
    {"后三组三", [] { return typed("back-three-pair", "399 033 414"); }, "MWMWMMWMMM", 60, 960,
     1000},
    {"中三组六", [] { return typed("middle-three-distinct", "234 987"); }, "WMMMWMMMWM", 40, 480,
     540},
    // 45 wins on 45, 45 and 54; the 对子 44 wins nothing.
    {"后二组选", [] { return typed("back-two-group", "45, 52"); }, "WMMMWMMMMW", 40, 150, 210},
    // 大 and 单 on the 个位: 5, 9, 7, 5, 5 win both (4 元), 3 and 8 one (2 元).
    {"大小单双", [] { return typed("attribute-5", "大单"); }, "WWWWWWMWMM", 40, 24, 84},
    // 杀号 0-4 everywhere: the 百位 bets 5-9, winning 10 元 on 7 and 8.
    {"定位胆 杀号",
     [] {
         PlanDefinition d = typed("position-3", "");
         d.source = SourceKind::Digits;
         d.digits.killedEverywhere = 0x1f;
         return d;
     },
     "MMMMMWMMWM", 100, 20, 20},
    // The search with no position selected tallies every draw before: its top 个位 digit is 5
    // from the second draw on (3 before the fifth, the smallest of four equal counts).
    {"定位胆 检索",
     [] {
         PlanDefinition d = typed("position-5", "");
         d.source = SourceKind::Search;
         d.search.request.selected = {};
         return d;
     },
     "-MMMMWMMMM", 18, 10, 92},
    // 缩水 后三 和值 9 leaves 55 numbers; 144 is one of them.
    {"后三直选 缩水",
     [] {
         PlanDefinition d = typed("back-three-direct", "");
         d.source = SourceKind::Scheme;
         d.scheme.set.part = filter::FilterPart::BackThree;
         d.scheme.set.conditions = {filter::conditionOf(filter::ConditionKind::Sum, "9")};
         return d;
     },
     "MMMMMMWMMM", 1100, 1000, 0},
};

TEST(LedgerByHand, EachPlayOnTenDraws)
{
    for (const HandCase &c : kCases) {
        SCOPED_TRACE(c.what);
        const PlanRun run = runPlan(tenDraws(), Game::standard(), c.plan());
        ASSERT_TRUE(run.ok()) << (run.errors.empty() ? "" : run.errors[0].text().toStdString());
        const Ledger &ledger = *run.ledger;
        std::string marks;
        for (size_t r = 0; r < ledger.rowCount(); ++r) {
            const Ledger::Status s = ledger.status(r);
            marks += s == Ledger::Status::Win ? 'W' : s == Ledger::Status::Miss ? 'M' : '-';
        }
        EXPECT_EQ(marks, c.marks);
        const LedgerSummary &sum = ledger.summary();
        EXPECT_EQ(sum.totalCost, c.cost * kCentsPerYuan);
        EXPECT_EQ(sum.totalPrize, c.prize * kCentsPerYuan);
        EXPECT_EQ(sum.finalBalance, c.balance * kCentsPerYuan);
        EXPECT_EQ(ledger.balance(9), c.balance * kCentsPerYuan);
    }
}

TEST(LedgerByHand, DoublingAfterMissesUpToTheCap)
{
    // 定胆 万位 1, 千位 2 or 3: the bets 12 and 13 of 前二直选 win 100 元 on draws 1, 2, 5, 10.
    PlanDefinition d = typed("front-two-direct", "");
    d.source = SourceKind::Digits;
    d.digits.required = {0b10, 0b1100, 0, 0, 0};
    d.progression = Progression::doubling(1, 4);
    const PlanRun run = runPlan(tenDraws(), Game::standard(), d);
    ASSERT_TRUE(run.ok());
    const Ledger &ledger = *run.ledger;
    const int multipliers[] = {1, 1, 1, 2, 4, 1, 2, 4, 4, 4};
    const int balances[] = {196, 292, 288, 280, 664, 660, 652, 636, 620, 1004};
    for (size_t r = 0; r < 10; ++r) {
        EXPECT_EQ(ledger.multiplier(r), multipliers[r]) << r;
        EXPECT_EQ(ledger.cost(r), 4 * multipliers[r] * kCentsPerYuan) << r;
        EXPECT_EQ(ledger.balance(r), balances[r] * kCentsPerYuan) << r;
    }
    const LedgerSummary &s = ledger.summary();
    EXPECT_EQ(s.totalCost, 96 * kCentsPerYuan);
    EXPECT_EQ(s.totalPrize, 1000 * kCentsPerYuan);
    EXPECT_EQ(s.deepestDrawdown, 44 * kCentsPerYuan);
    EXPECT_EQ(s.drawdownPeak, 4);
    EXPECT_EQ(s.drawdownLow, 8);
    EXPECT_EQ(s.longestMisses, 4);
    EXPECT_EQ(s.longestMissesEnd, 8);
    EXPECT_EQ(s.longestWins, 2);
    EXPECT_EQ(s.currentWins, 1);
    EXPECT_EQ(s.currentMisses, 0);
    // Four wins in ten at a chance of 2/100 a draw.
    EXPECT_DOUBLE_EQ(s.chanceHitRate, 0.02);
    EXPECT_LT(s.pValue, 0.001);
    EXPECT_EQ(s.verdict, QStringLiteral("显著偏离随机（p < 0.001）"));
    // The bets pay 100 元 on two in a hundred draws: 2 元 of every 4 come back on average.
    EXPECT_DOUBLE_EQ(s.chanceReturn(), 0.5);

    // A list of multipliers starts again after its last one; the proposals stay as they were.
    ASSERT_FALSE(run.ledger->setStaking(Progression::list({1, 3}), 100 * kCentsPerYuan));
    const int listed[] = {1, 1, 1, 3, 1, 1, 3, 1, 3, 1};
    for (size_t r = 0; r < 10; ++r)
        EXPECT_EQ(ledger.multiplier(r), listed[r]) << r;
}

TEST(LedgerByHand, TheMoneyRunsOutWhereTheBetsCostMoreThanTheBalance)
{
    PlanDefinition d = typed("position-3", "");
    d.source = SourceKind::Digits;
    d.digits.killedEverywhere = 0x1f;
    d.startBalance = 45 * kCentsPerYuan;
    const PlanRun run = runPlan(tenDraws(), Game::standard(), d);
    ASSERT_TRUE(run.ok());
    EXPECT_EQ(run.ledger->summary().firstShort, 4); // 5 元 left before the fifth draw's 10
    EXPECT_EQ(run.ledger->summary().finalBalance, -35 * kCentsPerYuan);
    EXPECT_EQ(run.ledger->summary().lowestBalance, -35 * kCentsPerYuan);
}

} // namespace
