#pragma once

#include "Money.h"

#include <QString>

#include <cstdint>

namespace quorlent::plan {

// What a ledger adds up to over its range.
struct LedgerSummary
{
    int64_t rows = 0;       // draws of the range
    int64_t noProposal = 0; // too few earlier draws: nothing proposed, neither 中 nor 挂
    int64_t noBet = 0;      // a proposal the play makes no bet of
    int64_t betDraws = 0;   // draws with bets
    int64_t wins = 0;       // 中
    int64_t misses() const { return betDraws - wins; }

    // 连中 and 连挂, counted over the draws with bets: the run at the newest such draw, and the
    // longest with the row it ends at (-1: none).
    int64_t currentWins = 0;
    int64_t currentMisses = 0;
    int64_t longestWins = 0;
    int64_t longestMisses = 0;
    int64_t longestWinsEnd = -1;
    int64_t longestMissesEnd = -1;

    double hitRate = 0; // wins ÷ betDraws
    double wilsonLow = 0;
    double wilsonHigh = 1;
    // The mean, over the draws with bets, of the chance that the draw wins: the share of the
    // play's draws the bets cover (注数 ÷ numbers of the play in 直选).
    double chanceHitRate = 0;
    // The two-sided exact binomial test of the wins against chanceHitRate, and its verdict in
    // the words of the outcome chart.
    double pValue = 1;
    QString verdict;

    Money totalCost = 0;
    Money totalPrize = 0;
    double chancePrize = 0; // the prize chance would have paid on the same bets, on average
    double returnRate() const { return totalCost > 0 ? double(totalPrize) / double(totalCost) : 0; }
    double chanceReturn() const { return totalCost > 0 ? chancePrize / double(totalCost) : 0; }

    Money startBalance = 0;
    Money finalBalance = 0;
    Money lowestBalance = 0;
    // The deepest fall of the balance from a peak (the start counts as one) to a later low, and
    // the rows of that peak (-1: the start) and low.
    Money deepestDrawdown = 0;
    int64_t drawdownPeak = -1;
    int64_t drawdownLow = -1;
    // The first row whose bets cost more than the balance before it: where the money runs out
    // (-1: never). The ledger goes on as if the player had borrowed.
    int64_t firstShort = -1;
};

} // namespace quorlent::plan
