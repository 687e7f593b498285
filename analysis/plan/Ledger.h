#pragma once

#include "BetSet.h"
#include "FieldError.h"
#include "HistoryRow.h"
#include "LedgerSummary.h"
#include "PlanProposals.h"
#include "PrizeTable.h"
#include "Progression.h"
#include "RuinChance.h"

#include <optional>
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
// are.
class Ledger
{
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
    const Play *play() const { return m_play; }
    const PrizeTable &prizes() const { return m_prizes; }
    const Progression &progression() const { return m_progression; }

    size_t rowCount() const { return m_proposals.rowCount(); }
    const HistoryRow &draw(size_t row) const { return m_rows[m_proposals.begin + row]; }
    Status status(size_t row) const;
    // The row's bets; null without a proposal.
    const BetSet *bets(size_t row) const;
    uint64_t betCount(size_t row) const;
    uint32_t wins(size_t row) const { return m_wins[row]; }
    int64_t multiplier(size_t row) const { return m_multiplier[row]; }
    Money cost(size_t row) const;
    Money prize(size_t row) const;
    Money balance(size_t row) const { return m_balance[row]; }
    // The bets for the draw to come; null when the plan proposes nothing for it.
    const BetSet *nextBets() const;

    const LedgerSummary &summary() const { return m_summary; }
    // The bets of every draw with bets, in order, as the ruin probability reads them.
    ChanceBets chanceBets() const;

  private:
    void settle();

    const std::vector<HistoryRow> &m_rows;
    PlanProposals m_proposals;
    const Play *m_play = nullptr;
    PrizeTable m_prizes;
    Progression m_progression;
    Money m_startBalance = 0;
    std::vector<BetSet> m_betSets;     // by proposal
    std::vector<double> m_chancePrize; // by proposal: the expected prize of 1 倍
    std::vector<Money> m_costAtOne;    // by proposal
    std::vector<Status> m_status;      // by row
    std::vector<uint8_t> m_wins;       // by row
    std::vector<Money> m_prizeAtOne;   // by row: the prize of 1 倍
    std::vector<int32_t> m_multiplier;
    std::vector<Money> m_balance;
    LedgerSummary m_summary;
};

} // namespace quorlent::plan
