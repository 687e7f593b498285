#pragma once

#include "Backtest.h"
#include "CombinationMatch.h"
#include "FollowMatch.h"
#include "OutcomeIndex.h"
#include "TallySlots.h"

#include <optional>
#include <span>
#include <vector>

namespace quorlent {

// A search replayed draw by draw: before draw t, the tally the search would have given over the
// draws taken in so far, with the reference pattern draw t would have had. The backtest and the
// plans drawn from a search both ask here, so they replay the same way.
//
// The reference for draw t is the pattern of t's compared draw in the search kind (the draw
// before t under 上期, the draw N before under 前 N 期); with a typed reference the typed pattern
// is used, and it applies only to draws whose compared draw matches it.
class SearchReplay
{
  public:
    SearchReplay(const std::vector<HistoryRow> &rows, const BacktestRequest &request);
    SearchReplay(const SearchReplay &) = delete;
    SearchReplay &operator=(const SearchReplay &) = delete;

    // The outcomes of the tally, in the order of the counts.
    const TallySlots &outcomes() const { return m_outcomes; }

    // The tally before draw t of the draws taken so far: `counts` gets one count per outcome,
    // and the number of hits comes back (0: no earlier hit). Nothing when the reference does
    // not apply to t. t may be rows.size(), the draw to come after the newest; with a typed
    // reference nothing is known of it and nothing comes back.
    std::optional<int64_t> tallyBefore(size_t t, std::span<int64_t> counts) const;

    // Draw t becomes one of the draws later tallies count.
    void take(size_t t) { m_index.add(t); }

  private:
    const std::vector<HistoryRow> &m_rows;
    BacktestRequest m_request;
    TallySlots m_outcomes;
    OutcomeIndex m_index;
    FollowMatch m_followMatch;
    CombinationMatch m_combinationMatch;
    size_t m_shift;
};

} // namespace quorlent
