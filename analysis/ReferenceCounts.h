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

    // How many of the reference values can be found in `draw` at once, wherever they stand.
    int matchedIn(const PositionValues &draw) const
    {
        std::array<uint8_t, kSlots> left = m_needed;
        int matched = 0;
        for (uint8_t v : draw) {
            if (v < kSlots && left[v] > 0) {
                --left[v];
                ++matched;
            }
        }
        return matched;
    }

private:
    static constexpr int kSlots = 16; // more than any kind has
    std::array<uint8_t, kSlots> m_needed{};
    int m_size = 0;
    int m_slots;
};

} // namespace quorlent
