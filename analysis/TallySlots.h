#pragma once

#include "HistoryRow.h"
#include "Tally.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quorlent {

// What one row adds to a tally under fixed options: a count for the outcome of each tallied
// position's value, in the order of Tally::byValue(). Values without a row of their own (a
// segment of the other base) add nothing, as in the tally.
class TallySlots
{
public:
    explicit TallySlots(const TallyOptions &options)
        : m_kind(options.resultKind), m_first(options.firstPosition() - 1),
          m_last(options.lastPosition() - 1),
          m_values(Tally::outcomeValues(options.resultKind, options.segmentBase))
    {
        m_slotOf.fill(-1);
        for (size_t i = 0; i < m_values.size(); ++i) {
            if (m_values[i] >= 0 && m_values[i] < kindValueCount(m_kind))
                m_slotOf[static_cast<size_t>(m_values[i])] = static_cast<int8_t>(i);
        }
    }

    // Number of outcomes, and their values in order.
    size_t size() const { return m_values.size(); }
    const std::vector<int> &values() const { return m_values; }
    int firstPosition() const { return m_first; } // 0-based
    int lastPosition() const { return m_last; }
    Kind kind() const { return m_kind; }

    // Calls f(slot) for each tallied value of the row that has an outcome row.
    template <typename F> void forEach(const HistoryRow &row, F &&f) const
    {
        const PositionValues &values = row.own[m_kind];
        for (int p = m_first; p <= m_last; ++p) {
            const int slot = m_slotOf[values[p]];
            if (slot >= 0)
                f(static_cast<size_t>(slot));
        }
    }

private:
    Kind m_kind;
    int m_first;
    int m_last;
    std::vector<int> m_values;
    std::array<int8_t, 256> m_slotOf{};
};

} // namespace quorlent
