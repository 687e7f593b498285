// Plans whose numbers differ from draw to draw: the numbers before each draw against the 缩水
// engine told of every draw, and a ledger of more proposals than it keeps bets for against the
// bets made afresh for each row.

#include "BetSet.h"
#include "Condition.h"
#include "FilterEngine.h"
#include "PlanRun.h"
#include "PlanTestHistory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <optional>

using namespace quorlent;
using namespace quorlent::plan;

namespace {

filter::Condition omission(filter::ConditionKind kind, const char *values, int threshold,
                           bool atPositions)
{
    filter::Condition c = filter::conditionOf(kind, values);
    c.threshold = threshold;
    c.atPositions = atPositions;
    return c;
}

TEST(PlanManyProposals, NumbersBeforeEachDrawAsTheEngineLeavesThem)
{
    std::mt19937 rng(7);
    const std::vector<HistoryRow> rows = plantest::randomPlanRows(rng, 700);
    using K = filter::ConditionKind;
    std::vector<filter::ConditionSet> sets(4);
    sets[0].part = filter::FilterPart::FrontThree;
    sets[0].conditions = {filter::conditionOf(K::Sum, "8-19"), filter::conditionOf(K::Repeat, "1"),
                          omission(K::Cold, "0-1", 6, true)};
    sets[1].part = filter::FilterPart::BackTwo;
    sets[1].conditions = {omission(K::Hot, "1-2", 3, false), filter::conditionOf(K::Repeat, "0")};
    sets[2].part = filter::FilterPart::MiddleThree;
    sets[2].selection = filter::Selection::Group;
    sets[2].conditions = {omission(K::Cold, "1", 4, false), omission(K::Hot, "0, 2", 2, true),
                          filter::conditionOf(K::Span, "2-7")};
    sets[3].part = filter::FilterPart::Five;
    sets[3].conditions = {filter::conditionOf(K::Repeat, "2-3"), filter::conditionOf(K::Sum, "x"),
                          omission(K::Cold, "5", 2, true)};
    sets[3].conditions[2].enabled = false; // switched off: left out
    for (size_t i = 0; i < sets.size(); ++i) {
        SCOPED_TRACE(i);
        SchemeSource source;
        source.set = sets[i];
        const size_t begin = i == 0 ? 0 : 150, end = 600; // from the first draw too
        const PlanProposals proposals = schemeProposals(rows, begin, end, source);
        ASSERT_EQ(proposals.rowCount(), end - begin);
        std::vector<HistoryRow> before(rows.begin(), rows.begin() + ptrdiff_t(begin));
        filter::FilterEngine engine(before);
        engine.setConditions(sets[i]);
        auto expected = [&] {
            return Proposal::ofNumbers(
                filter::firstPosition(sets[i].part), filter::digitCount(sets[i].part),
                sets[i].selection == filter::Selection::Group, engine.remainingValues());
        };
        for (size_t t = begin; t < end; ++t) {
            ASSERT_EQ(*proposals.at(t - begin), expected()) << t;
            before.push_back(rows[t]);
            engine.rowsAppended();
        }
        before.insert(before.end(), rows.begin() + ptrdiff_t(end), rows.end());
        engine.rowsAppended();
        EXPECT_EQ(*proposals.nextProposal(), expected());
    }
}

TEST(PlanManyProposals, ProgressRisesAndACancelStopsTheRun)
{
    std::mt19937 rng(3);
    const std::vector<HistoryRow> rows = plantest::randomPlanRows(rng, 3000);
    SchemeSource source;
    source.set.part = filter::FilterPart::FrontTwo;
    source.set.conditions = {filter::conditionOf(filter::ConditionKind::Repeat, "0")};
    std::atomic<bool> cancel = false;
    std::vector<int64_t> done;
    PlanControl control;
    control.cancel = &cancel;
    control.progress = [&](int64_t d, int64_t total) {
        EXPECT_EQ(total, 2500);
        done.push_back(d);
        cancel = d >= 1000; // as the window's 取消 would, from another thread
    };
    const PlanProposals proposals = schemeProposals(rows, 500, 3000, source, control);
    EXPECT_TRUE(proposals.cancelled);
    ASSERT_GE(done.size(), 3u);
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
    EXPECT_LT(done.back(), 1500);
    cancel = false;
    done.clear();
    control.progress = [&](int64_t d, int64_t) { done.push_back(d); };
    EXPECT_FALSE(schemeProposals(rows, 500, 3000, source, control).cancelled);
    ASSERT_FALSE(done.empty());
    EXPECT_EQ(done.back(), 2500);
}

TEST(PlanManyProposals, LedgerOfManyProposalsAgreesWithBetsMadeForEachRow)
{
    std::mt19937 rng(11);
    const std::vector<HistoryRow> rows = plantest::randomPlanRows(rng, 6000);
    PlanDefinition d = PlanDefinition::defaults(Game::standard());
    d.source = SourceKind::Scheme;
    d.scheme.set.part = filter::FilterPart::FrontThree;
    d.scheme.set.conditions = {filter::conditionOf(filter::ConditionKind::Repeat, "0-1"),
                               omission(filter::ConditionKind::Cold, "0-1", 10, true)};
    d.play = QStringLiteral("front-three-direct");
    d.range = PlanRange::all();
    const PlanRun run = runPlan(rows, Game::standard(), d);
    ASSERT_TRUE(run.ok());
    Ledger &ledger = *run.ledger;
    const PlanProposals &proposals = ledger.proposals();
    ASSERT_GT(proposals.pool.size(), Ledger::kKeptBetSets);

    const Play &wrong = *playById(QStringLiteral("back-two-direct"));
    ASSERT_TRUE(ledger.setPlay(wrong, d.prizes)); // the numbers have no 后二
    EXPECT_EQ(ledger.play(), playById(d.play));

    // Each play twice, the second time after others: a play kept aside comes back the same.
    std::vector<const Play *> order;
    for (const Play &play : plays()) {
        if (play.first + play.count <= 3)
            order.push_back(&play);
    }
    const size_t once = order.size();
    for (size_t i = 0; i < once; ++i)
        order.push_back(order[(i * 5) % once]);
    for (const Play *play : order) {
        SCOPED_TRACE(play->id);
        ASSERT_FALSE(ledger.setPlay(*play, d.prizes));
        Money cost = 0, prize = 0;
        int64_t wins = 0;
        for (size_t r = 0; r < ledger.rowCount(); ++r) {
            const BetSetResult made = BetSet::make(*proposals.at(r), *play);
            ASSERT_TRUE(made.bets);
            ASSERT_EQ(ledger.betCount(r), made.bets->count()) << r;
            ASSERT_EQ(ledger.wins(r), made.bets->wins(ledger.draw(r).digits())) << r;
            if (r % 997 == 0)
                ASSERT_EQ(ledger.bets(r)->values(), made.bets->values()) << r;
            cost += ledger.cost(r);
            prize += ledger.prize(r);
            wins += ledger.wins(r) > 0;
            if (made.bets->count() > 0)
                EXPECT_EQ(ledger.cost(r), Money(made.bets->count()) * d.prizes.price);
        }
        const LedgerSummary &s = ledger.summary();
        EXPECT_EQ(s.totalCost, cost);
        EXPECT_EQ(s.totalPrize, prize);
        EXPECT_EQ(s.wins, wins);
        EXPECT_EQ(ledger.nextBets()->values(),
                  BetSet::make(*proposals.nextProposal(), *play).bets->values());
        const ChanceBets chance = ledger.chanceBets();
        ASSERT_EQ(chance.kinds.size(), proposals.pool.size());
        for (size_t i = 0; i < proposals.pool.size(); i += 613) {
            const BetSet bets = *BetSet::make(proposals.pool[i], *play).bets;
            EXPECT_EQ(chance.kinds[i].costAtOne, Money(bets.count()) * d.prizes.price);
            ASSERT_EQ(chance.kinds[i].prizes.size(), bets.chanceOutcomes().size());
            for (size_t j = 0; j < bets.chanceOutcomes().size(); ++j)
                EXPECT_EQ(chance.kinds[i].prizes[j].second, bets.chanceOutcomes()[j].probability);
        }
    }
}

} // namespace

namespace {

// Every play within a part, on a ledger of more proposals than it keeps bets for, against the
// bets made afresh for each row: counts, wins, and what chance gives, summed as the ledger does.
// The proposals are random sets of the part's numbers, from almost none to most of them.
TEST(PlanManyProposals, EveryPartsPlaysAgreeWithBetsMadeForEachRow)
{
    std::mt19937 rng(5);
    const std::vector<HistoryRow> rows = plantest::randomPlanRows(rng, 5000);
    const PrizeTable prizes = PlanDefinition::defaults(Game::standard()).prizes;
    for (const auto &[first, count] : {std::pair{1, 3}, {2, 3}, {0, 2}, {3, 2}, {4, 1}}) {
        PlanProposals proposals;
        proposals.end = rows.size();
        const uint32_t size = count == 3 ? 1000 : count == 2 ? 100 : 10;
        for (size_t r = 0; r < rows.size(); ++r) {
            std::vector<uint32_t> values;
            const double share = std::uniform_real_distribution<double>(0, 0.7)(rng);
            for (uint32_t v = 0; v < size; ++v) {
                if (std::bernoulli_distribution(share)(rng))
                    values.push_back(v);
            }
            proposals.pool.push_back(Proposal::ofNumbers(first, count, false, values));
            proposals.byRow.push_back(r % 9 == 0 ? PlanProposals::kNone : uint32_t(r));
        }
        Ledger ledger(rows, std::move(proposals));
        const std::vector<Proposal> &pool = ledger.proposals().pool;
        // Taken before a change of play, the ruin probability's bets are still the earlier play's.
        std::optional<Ledger::ChanceSource> earlier;
        ChanceBets earlierBets;
        for (const Play &play : plays()) {
            if (play.first < first || play.first + play.count > first + count)
                continue;
            SCOPED_TRACE(play.id);
            ASSERT_FALSE(ledger.setPlay(play, prizes));
            if (earlier) {
                const ChanceBets held = earlier->bets();
                EXPECT_EQ(held.kinds, earlierBets.kinds);
                EXPECT_EQ(held.sequence, earlierBets.sequence);
            }
            double chancePrize = 0, chanceSum = 0;
            int64_t betDraws = 0;
            for (size_t r = 0; r < ledger.rowCount(); ++r) {
                if (!ledger.proposals().at(r)) {
                    ASSERT_EQ(ledger.status(r), Ledger::Status::NoProposal);
                    continue;
                }
                const BetSet made = *BetSet::make(*ledger.proposals().at(r), play).bets;
                ASSERT_EQ(ledger.betCount(r), made.count()) << r;
                ASSERT_EQ(ledger.wins(r), made.wins(ledger.draw(r).digits())) << r;
                if (made.count() == 0)
                    continue;
                ++betDraws;
                EXPECT_EQ(ledger.cost(r), Money(made.count()) * prizes.price);
                for (const ChanceOutcome &o : made.chanceOutcomes())
                    chancePrize += o.probability * o.wins * double(prizes.prize(o.line));
                chanceSum += made.hitChance();
            }
            const LedgerSummary &s = ledger.summary();
            ASSERT_EQ(s.betDraws, betDraws);
            EXPECT_EQ(s.chancePrize, chancePrize);
            EXPECT_EQ(s.chanceHitRate, chanceSum / double(betDraws));
            const ChanceBets chance = ledger.chanceBets();
            for (size_t i = 0; i < pool.size(); i += 211) {
                const BetSet bets = *BetSet::make(pool[i], play).bets;
                ASSERT_EQ(chance.kinds[i].prizes.size(), bets.chanceOutcomes().size());
                for (size_t j = 0; j < bets.chanceOutcomes().size(); ++j)
                    EXPECT_EQ(chance.kinds[i].prizes[j].second,
                              bets.chanceOutcomes()[j].probability);
            }
            earlier = ledger.chanceSource();
            earlierBets = chance;
        }
    }
}

} // namespace
