#pragma once

#include "DrawCodes.h"

#include <array>
#include <cstdint>

namespace quorlent {

// Reference values of a free-position search, kept as a count per value. The token statements
// ask for the c-th occurrence of a value v once per reference position that carries v, so a draw
// meets as many of them as, summed over the values, the smaller of the two counts.
class ReferenceCounts
{
public:
    explicit ReferenceCounts(Kind kind) : m_slots(kindValueCount(kind)) {}

    // False, and nothing added, for a value outside the kind's counters: its statement cannot be
    // formed and no draw meets it.
    bool add(int value)
    {
        if (value < 0 || value >= m_slots)
            return false;
        ++m_needed[static_cast<size_t>(value)];
        ++m_size;
        return true;
    }

    int size() const { return m_size; }

    // How many of the reference values can be found in `draw` at once, wherever they stand: the
    // c-th occurrence of a value in the draw (counted from its first position) is found when the
    // reference holds the value at least c times. Without branches: a search asks this of every
    // row, and whether a row matches is a coin toss the processor cannot predict.
    int matchedIn(const PositionValues &draw) const
    {
        const uint8_t v0 = draw[0], v1 = draw[1], v2 = draw[2], v3 = draw[3], v4 = draw[4];
        const int before1 = v1 == v0;
        const int before2 = (v2 == v0) + (v2 == v1);
        const int before3 = (v3 == v0) + (v3 == v1) + (v3 == v2);
        const int before4 = (v4 == v0) + (v4 == v1) + (v4 == v2) + (v4 == v3);
        return (0 < m_needed[v0]) + (before1 < m_needed[v1]) + (before2 < m_needed[v2]) +
               (before3 < m_needed[v3]) + (before4 < m_needed[v4]);
    }

private:
    // A count for every value a stored code can hold; those outside the kind stay 0.
    std::array<uint8_t, 256> m_needed{};
    int m_size = 0;
    int m_slots;
};

} // namespace quorlent
