#pragma once

#include "ComparedDraws.h"
#include "ReferenceCounts.h"
#include "SearchRequest.h"

#include <array>
#include <cstddef>
#include <vector>

namespace quorlent {

// The matching rule of the combination search (组合检索) for one reference pattern: whether row r's
// compared draw matches it on all k positions of at least one combination of k out of five.
//
// Rather than trying each of the up to ten combinations, count how many reference positions a
// row can satisfy at once: some combination of k positions matches exactly when that number
// reaches k, since any k of the satisfiable positions form one, and no combination can use more.
// With fixed positions that number is how many positions agree; with free positions it is the
// multiset overlap of the in-range reference values and the compared draw.
class CombinationMatch
{
public:
    CombinationMatch(const std::vector<HistoryRow> &rows, const SearchRequest &request)
        : m_compared(rows, request.previousDraw, request.distance()), m_kind(request.kind),
          m_free(request.freePositions), m_width(request.combinationWidth), m_usable(request.kind),
          m_reference(request.reference)
    {
        for (int v : m_reference)
            m_usable.add(v);
    }

    // k of the search: only 1..5 select combinations.
    int width() const { return m_width; }
    // False when no row can match at all: k outside 1..5, or (自由位) fewer than k reference
    // values within the kind's range.
    bool possible() const
    {
        return m_width >= 1 && m_width <= kPositions && (!m_free || m_usable.size() >= m_width);
    }

    bool operator()(size_t r) const
    {
        if (!possible())
            return false;
        if (m_free) {
            const HistoryRow *source = m_compared.describingRow(r);
            return source && m_usable.matchedIn(source->previous[m_kind]) >= m_width;
        }
        if (!m_compared.passesFixedGuard(r))
            return false;
        const PositionValues &values = m_compared.shiftedValues(r, m_kind);
        int agreeing = 0;
        for (int p = 0; p < kPositions; ++p)
            agreeing += values[p] == m_reference[p];
        return agreeing >= m_width;
    }

private:
    ComparedDraws m_compared;
    Kind m_kind;
    bool m_free;
    int m_width;
    ReferenceCounts m_usable;
    std::array<int, kPositions> m_reference;
};

} // namespace quorlent
