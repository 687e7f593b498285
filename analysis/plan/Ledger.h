#pragma once

#include "BetSet.h"
#include "FieldError.h"
#include "HistoryRow.h"
#include "LedgerSummary.h"
#include "PartSketches.h"
#include "PlanProposals.h"
#include "PrizeTable.h"
#include "Progression.h"
#include "RuinChance.h"

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace quorlent::plan {

// The ledger of a plan over a range: for each draw the bets the play makes of the plan's
// proposal, the multiplier the progression gives, the cost, whether the draw won (中) or missed
// (挂), the prize and the balance; and what that adds up to (summary()).
//
// Its three layers are worked out separately, so that a change costs only what it must: the
// proposals (the expensive part, from the plan's source) are given once; a play or prize table
// turns them into bets and wins (setPlay); a progression and starting balance into multipliers
// and balances (setStaking). Changing the play or the progression leaves the proposals as they
// are, and the last few plays priced are kept, so that going back to one costs next to nothing.
//
// A plan whose numbers differ from draw to draw (a 缩水 方案 that reads earlier draws) holds
// hundreds of thousands of proposals: their bets are then not kept but made again for the rows
// asked for (bets()). Where they are numbers of a part of at most three digits, a play within
// the part is priced from sketches made once with the ledger (PartSketches): proposals whose bets
// chance cannot tell apart share one kind, priced once. Otherwise each is made in turn and
// priced on the way.
class Ledger
{
    struct Priced;

  public:
    enum class Status : uint8_t
    {
        NoProposal, // too few earlier draws: not counted
        NoBet,      // the play makes no bet of the proposal: not counted
        Win,        // 中
        Miss        // 挂
    };

    // `rows` is the history the proposals were made from; it must outlive the ledger.
    Ledger(const std::vector<HistoryRow> &rows, PlanProposals proposals);

    // Turns every proposal into the play's bets and settles each draw. On an error (the play
    // cannot take the plan's numbers, a typed number that does not fit it, a prize table with a
    // negative prize) the ledger keeps its play and the error comes back.
    std::optional<FieldError> setPlay(const Play &play, const PrizeTable &prizes);
    // Stakes every draw by the progression from the starting balance; the same on an error.
    std::optional<FieldError> setStaking(const Progression &progression, Money startBalance);

    const PlanProposals &proposals() const { return m_proposals; }
    const Play *play() const { return m_priced ? m_priced->play : nullptr; }
    const PrizeTable &prizes() const { return m_priced ? m_priced->prizes : m_noPrizes; }
    const Progression &progression() const { return m_progression; }

    size_t rowCount() const { return m_proposals.rowCount(); }
    const HistoryRow &draw(size_t row) const { return m_rows[m_proposals.begin + row]; }
    Status status(size_t row) const;
    // The row's bets; null without a proposal.
    const BetSet *bets(size_t row) const;
    uint64_t betCount(size_t row) const;
    uint32_t wins(size_t row) const { return m_priced ? m_priced->wins[row] : 0; }
    int64_t multiplier(size_t row) const { return m_multiplier[row]; }
    Money cost(size_t row) const;
    Money prize(size_t row) const;
    Money balance(size_t row) const { return m_balance[row]; }
    // The bets for the draw to come; null when the plan proposes nothing for it.
    const BetSet *nextBets() const;

    const LedgerSummary &summary() const { return m_summary; }
    // The bets of every draw with bets, in order, as the ruin probability reads them.
    ChanceBets chanceBets() const { return chanceSource().bets(); }

    // The same, taken now and gathered later, on another thread if need be: it holds the play as
    // priced now, which a later change of play or staking leaves as it is. The ledger must
    // outlive it.
    class ChanceSource
    {
      public:
        ChanceBets bets() const;

      private:
        friend class Ledger;
        const Ledger *m_ledger = nullptr;
        std::shared_ptr<const Priced> m_priced;
    };
    ChanceSource chanceSource() const;

    // Pools of at most this many proposals keep the bets of each.
    static constexpr size_t kKeptBetSets = 4096;

  private:
    // What a play and prize table make of the proposals.
    struct Priced
    {
        const Play *play = nullptr;
        PrizeTable prizes;
        std::vector<BetSet> sets; // by proposal, for a pool of at most kKeptBetSets
        // Each proposal's kind: proposals of a kind are alike in all the figures below. Every
        // proposal is its own kind, except when priced from the part's sketches.
        std::vector<uint32_t> kindOf;
        std::vector<uint64_t> count;     // by kind: 注数
        std::vector<double> chancePrize; // by kind: the expected prize of 1 倍
        std::vector<double> hitChance;   // by kind
        std::vector<Money> costAtOne;    // by kind
        std::vector<Status> status;      // by row
        std::vector<uint8_t> wins;       // by row
        std::vector<Money> prizeAtOne;   // by row: the prize of 1 倍
        // The bets of proposals asked for, when not kept in `sets`.
        mutable std::unordered_map<uint32_t, BetSet> made;
        // Priced from the part's sketches: the bets of one proposal of each kind, which chance
        // cannot tell from the others' (under 定位胆 and 大小单双, the same bets).
        std::vector<BetSet> kinds;
    };
    // A few priced plays besides the one in use.
    static constexpr size_t kSparePriced = 2;

    // Pricing fills `storage` (emptied, its memory kept) when given one.
    std::shared_ptr<Priced> price(const Play &play, const PrizeTable &prizes, FieldError *error,
                                  std::shared_ptr<Priced> storage) const;
    std::shared_ptr<Priced> priceBySketch(const Play &play, const PrizeTable &prizes,
                                          std::shared_ptr<Priced> &storage) const;
    // A priced play begun for `play`: every row without a proposal yet, in `storage`'s memory
    // when given one.
    std::shared_ptr<Priced> startPricing(const Play &play, const PrizeTable &prizes,
                                         std::shared_ptr<Priced> &storage) const;
    const BetSet *betsOf(uint32_t index) const;
    void settle();

    const std::vector<HistoryRow> &m_rows;
    PlanProposals m_proposals;
    std::shared_ptr<Priced> m_priced;
    std::vector<std::shared_ptr<Priced>> m_spare; // the most recent first
    // Memory for the plays priced before a spare is pushed out, taken with the first play.
    std::vector<std::shared_ptr<Priced>> m_blank;
    std::vector<uint64_t> m_numbersUsed;    // the union of the proposals' numbers
    std::optional<PartSketches> m_sketches; // for a pool too large to keep bets of
    PrizeTable m_noPrizes;
    Progression m_progression;
    Money m_startBalance = 0;
    std::vector<int32_t> m_multiplier;
    std::vector<Money> m_balance;
    LedgerSummary m_summary;
};

} // namespace quorlent::plan
