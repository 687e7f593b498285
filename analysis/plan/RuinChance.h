#pragma once

#include "Money.h"
#include "Progression.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <utility>
#include <vector>

namespace quorlent::plan {

// The bets of one draw at 1 倍, as chance sees them: what they cost, and each prize they can win
// with its probability (the rest of the time they lose).
struct ChanceBet
{
    Money costAtOne = 0;
    std::vector<std::pair<Money, double>> prizes;
    bool operator==(const ChanceBet &) const = default;
};

// The draws with bets of a ledger, in order, each an index into `kinds`.
struct ChanceBets
{
    std::vector<ChanceBet> kinds;
    std::vector<uint32_t> sequence;
};

// The probability that the money runs out within the range, had every draw been left to chance:
// some draw's bets, at the multiplier the progression has reached, cost more than the balance
// before it.
struct RuinChance
{
    enum class Status : uint8_t
    {
        Exact,       // worked out exactly (to the rounding of double arithmetic)
        TooMuchWork, // the balances the range can reach are too many to follow within the limit
        Cancelled
    };
    Status status = Status::Exact;
    // Exact: over the range. TooMuchWork: over the first `draws` draws with bets, all that was
    // followed, which the range's own probability can only exceed.
    double probability = 0;
    size_t draws = 0;
    uint64_t work = 0; // states followed from one draw to the next

    // "破产概率 12.3%", or why there is none.
    QString text() const;
};

// About a second of work on this machine.
inline constexpr uint64_t kDefaultRuinWork = 100'000'000;

// A dynamic programme over the balance and the progression's state: for each draw with bets the
// probability of every (balance, state) not yet ruined. Balances from which even the dearest
// bets of all the remaining draws can be paid cannot run out any more and are set aside, which
// keeps the states few for a long range. Stops with TooMuchWork rather than approximate, giving
// the exact probability over the draws it followed.
RuinChance ruinChance(const ChanceBets &bets, const Progression &progression, Money startBalance,
                      uint64_t workLimit = kDefaultRuinWork,
                      const std::atomic<bool> *cancel = nullptr);

} // namespace quorlent::plan
