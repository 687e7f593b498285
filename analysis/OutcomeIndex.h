#pragma once

#include "ComparedDraws.h"
#include "HistoryRow.h"
#include "SearchRequest.h"
#include "TallySlots.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace quorlent {

// The tallies that one search would give for every reference pattern at once, over the rows
// added so far: what lets the backtest ask "what would the search have said before draw t" at
// every draw without running the search again.
//
// Each added row is counted under keys made of its compared draw's values: 固定位 the values on a
// set of positions, 自由位 a sub-multiset of the values. A query reads the keys the reference
// forms. For the follow search one key decides (the selected positions, or the multiset of their
// values). For the combination search a row is a hit when the positions it agrees on (固定位), or
// the overlap of the values (自由位), reach k; the keys of all larger agreements are read and
// combined by inclusion and exclusion, so that each hit counts once however many combinations it
// matches. Matching follows the searches' rules (FollowMatch, CombinationMatch) exactly.
class OutcomeIndex
{
public:
    enum class Rule
    {
        Follow,
        Combination
    };

    // `rows` in issue order; `request` gives the mode (free/fixed, 上期/前 N 期, kind, selected
    // positions, k); its reference is not used.
    OutcomeIndex(const std::vector<HistoryRow> &rows, const SearchRequest &request, Rule rule,
                 const TallySlots &outcomes);

    // Row r becomes one of the rows later queries tally.
    void add(size_t r);

    // The tally of the added rows that the search with `reference` marks as hits: `counts` gets
    // one count per outcome (TallySlots order); returns the number of hits.
    int64_t query(const std::array<int, kPositions> &reference, std::span<int64_t> counts) const;

private:
    using Values = std::array<int, kPositions>;

    bool inRange(int value) const { return value >= 0 && value < m_slots; }
    // The key of `values` on the positions of `mask` (固定位).
    uint32_t positionKey(unsigned mask, const Values &values) const;
    // The key of the sorted values that `mask` picks (自由位).
    uint32_t multisetKey(unsigned mask, const Values &sorted) const;
    // The compared draw's values of the search kind within its range, sorted; their number.
    int sortedValues(const PositionValues &draw, Values &sorted) const;

    const std::vector<HistoryRow> &m_rows;
    const TallySlots &m_tally;
    ComparedDraws m_compared;
    Rule m_rule;
    Kind m_kind;
    bool m_free;
    int m_slots;             // values of the search kind
    int m_width = 0;         // k, or for the follow search the number of selected positions
    unsigned m_selected = 0; // follow search: the selected positions as a mask
    size_t m_stride;         // per key: a count per outcome, then the number of rows
    std::array<uint32_t, kPositions + 1> m_power{};
    std::vector<int32_t> m_counts;
};

} // namespace quorlent
