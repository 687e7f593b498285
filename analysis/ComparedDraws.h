#pragma once

#include "HistoryRow.h"

#include <cstddef>
#include <vector>

namespace quorlent {

// Which draw each row is judged by. The statements that define the searches first rebuild the
// earlier-draw columns of the table; this answers, without writing anything, what those rebuilt
// columns would hold, so the searches and the hit list agree with them row for row.
//
// Two sources exist and they need not agree: the texts and tokens come from a row's stored
// previous draw (free positions, the hit list), while the fixed-position columns are shifted from
// the own values of the rows before it in issue order.
class ComparedDraws
{
public:
    // `distance` is N of 前 N 期 (at least 1); ignored for 上期.
    ComparedDraws(const std::vector<HistoryRow> &rows, bool previousDraw, int distance)
        : m_rows(rows), m_previousDraw(previousDraw), m_distance(distance < 1 ? 1 : distance)
    {
    }

    // The row whose stored previous-draw texts row r's compared texts are a copy of (txtHisLst
    // and its tokens for 上期; for 前 N 期 the rebuilt txtHisPreLst family, taken from the row
    // N - 1 places earlier); null when those texts are empty.
    const HistoryRow *describingRow(size_t r) const
    {
        const size_t back = m_previousDraw ? 0 : static_cast<size_t>(m_distance - 1);
        if (r < back)
            return nullptr;
        const HistoryRow &source = m_rows[r - back];
        return source.hasPrevious ? &source : nullptr;
    }

    // Fixed positions count only rows that have a draw 1 (上期) or N (前 N 期) places earlier in
    // issue order: without one the shifted columns hold 0 and would match a reference value 0, a
    // hit against a draw that does not exist. Beyond that, the row's own txtHisLst and, for
    // 前 N 期, the rebuilt txtHisPreLst must be non-empty.
    bool passesFixedGuard(size_t r) const
    {
        const size_t shift = m_previousDraw ? 1 : static_cast<size_t>(m_distance);
        if (r < shift || !m_rows[r].hasPrevious)
            return false;
        return m_previousDraw || describingRow(r) != nullptr;
    }

    // The shifted column at row r: the own value of the row 1 (上期) or N (前 N 期) places
    // earlier, 0 where there is no such row.
    int shiftedValue(size_t r, Kind kind, int position) const
    {
        const size_t shift = m_previousDraw ? 1 : static_cast<size_t>(m_distance);
        return r >= shift ? m_rows[r - shift].own[kind][position] : 0;
    }

    // The shifted columns of kind `kind` at row r, all five: the own values of the row 1 (上期)
    // or N (前 N 期) places earlier. Only for a row that passes the fixed guard.
    const PositionValues &shiftedValues(size_t r, Kind kind) const
    {
        const size_t shift = m_previousDraw ? 1 : static_cast<size_t>(m_distance);
        return m_rows[r - shift].own[kind];
    }

private:
    const std::vector<HistoryRow> &m_rows;
    bool m_previousDraw;
    int m_distance;
};

} // namespace quorlent
