#pragma once

#include "ComparedDraws.h"
#include "ReferenceCounts.h"
#include "SearchRequest.h"

#include <array>
#include <cstddef>
#include <vector>

namespace quorlent {

// The matching rule of the follow-pattern search (检索) for one reference pattern: whether row r's
// compared draw matches it on every selected position. The search and the backtest both ask here.
//  - No position selected: every row matches, with or without a compared draw.
//  - 自由位: the selected reference values, as a multiset, are contained in the compared draw's
//    values; a selected value outside the kind's range leaves nothing to match.
//  - 固定位: the compared draw holds each selected value at its own position.
class FollowMatch
{
public:
    FollowMatch(const std::vector<HistoryRow> &rows, const SearchRequest &request)
        : m_compared(rows, request.previousDraw, request.distance()), m_kind(request.kind),
          m_free(request.freePositions), m_needed(request.kind), m_reference(request.reference)
    {
        for (int p = 0; p < kPositions; ++p) {
            if (request.selected[p])
                m_positions[m_selectedCount++] = p;
        }
        if (m_free) {
            for (int i = 0; i < m_selectedCount; ++i) {
                // The position still counts as a condition that no row can meet.
                if (!m_needed.add(m_reference[m_positions[i]]))
                    m_possible = false;
            }
        }
    }

    // False when no row can match at all.
    bool possible() const { return m_possible; }
    bool everyRow() const { return m_selectedCount == 0; }
    int selectedCount() const { return m_selectedCount; }
    // The selected positions (0-based), ascending: the first selectedCount() entries.
    const std::array<int, kPositions> &positions() const { return m_positions; }

    bool operator()(size_t r) const
    {
        if (!m_possible)
            return false;
        if (m_selectedCount == 0)
            return true;
        if (m_free) {
            const HistoryRow *source = m_compared.describingRow(r);
            return source && m_needed.matchedIn(source->previous[m_kind]) == m_selectedCount;
        }
        if (!m_compared.passesFixedGuard(r))
            return false;
        // Every selected position compared, without a branch on each.
        const PositionValues &values = m_compared.shiftedValues(r, m_kind);
        bool all = true;
        for (int i = 0; i < m_selectedCount; ++i) {
            const int p = m_positions[i];
            all &= values[p] == m_reference[p];
        }
        return all;
    }

private:
    ComparedDraws m_compared;
    Kind m_kind;
    bool m_free;
    ReferenceCounts m_needed;
    std::array<int, kPositions> m_reference;
    std::array<int, kPositions> m_positions{};
    int m_selectedCount = 0;
    bool m_possible = true;
};

} // namespace quorlent
