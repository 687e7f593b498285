// The probability that the money runs out, against every sequence of outcomes enumerated.

#include "RuinChance.h"

#include <gtest/gtest.h>

#include <random>

using namespace quorlent::plan;

namespace {

// Every way the draws can fall, each with its probability: the sum over those that run out.
double enumerated(const ChanceBets &bets, const Progression &progression, size_t i, Money balance,
                  int state)
{
    if (i == bets.sequence.size())
        return 0;
    const ChanceBet &bet = bets.kinds[bets.sequence[i]];
    const int64_t m = progression.multiplier(state);
    const Money cost = bet.costAtOne * m;
    if (balance < cost)
        return 1;
    double ruined = 0;
    double missing = 1;
    for (const auto &[prize, p] : bet.prizes) {
        ruined += p * enumerated(bets, progression, i + 1, balance - cost + prize * m, 0);
        missing -= p;
    }
    return ruined + missing * enumerated(bets, progression, i + 1, balance - cost,
                                         progression.afterMiss(state));
}

TEST(RuinChance, AgreesWithEveryOutcomeEnumerated)
{
    const std::vector<ChanceBet> kinds = {
        {200, {{2000, 0.1}}},                    // 定位胆, one bet
        {400, {{32000, 0.003}, {16000, 0.006}}}, // 三星组选, a 组三 and a 组六 bet
        {400, {{200, 0.3}, {400, 0.4}}},         // 大小单双, bets that can both win
        {1000, {{2000, 0.5}}},                   // five of ten digits
    };
    const std::vector<Progression> progressions = {
        Progression::flat(1), Progression::flat(3), Progression::doubling(1, 8),
        Progression::doubling(2, 5), Progression::list({1, 2, 5})};
    std::mt19937 rng(24);
    for (int trial = 0; trial < 60; ++trial) {
        ChanceBets bets;
        bets.kinds = kinds;
        const int n = 6 + trial % 7;
        for (int i = 0; i < n; ++i)
            bets.sequence.push_back(uint32_t(rng() % kinds.size()));
        const Progression &progression = progressions[size_t(trial) % progressions.size()];
        const Money start = Money(100 + rng() % 4000);
        SCOPED_TRACE(trial);
        const RuinChance dp = ruinChance(bets, progression, start);
        ASSERT_EQ(dp.status, RuinChance::Status::Exact);
        EXPECT_NEAR(dp.probability, enumerated(bets, progression, 0, start, 0), 1e-12);
    }
}

TEST(RuinChance, StopsRatherThanApproximate)
{
    ChanceBets bets;
    bets.kinds = {{200, {{1700, 0.1}}}};
    bets.sequence.assign(20000, 0);
    const RuinChance limited = ruinChance(bets, Progression::doubling(1, 64), 1'000'000, 10'000);
    EXPECT_EQ(limited.status, RuinChance::Status::TooMuchWork);
    EXPECT_NE(limited.text().indexOf(QStringLiteral("无法")), -1);
    // What it does give is the exact probability over the draws it followed, a floor for the
    // range's own.
    for (const Money start : {Money(1'000'000), Money(20'000)}) {
        const RuinChance stopped = ruinChance(bets, Progression::doubling(1, 64), start, 10'000);
        ASSERT_EQ(stopped.status, RuinChance::Status::TooMuchWork);
        ASSERT_GT(stopped.draws, 0u);
        ChanceBets followed = bets;
        followed.sequence.resize(stopped.draws);
        const RuinChance prefix = ruinChance(followed, Progression::doubling(1, 64), start);
        ASSERT_EQ(prefix.status, RuinChance::Status::Exact);
        EXPECT_EQ(stopped.probability, prefix.probability);
        EXPECT_NE(stopped.text().indexOf(QString::number(stopped.draws)), -1);
        if (start == 20'000)
            EXPECT_GT(stopped.probability, 0.01);
    }
    // With nothing to pay there is nothing to run out of.
    EXPECT_EQ(ruinChance({}, Progression::flat(1), 0).probability, 0);
}

} // namespace
