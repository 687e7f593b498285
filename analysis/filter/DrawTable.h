#pragma once

#include "FilterPart.h"
#include "HistoryRow.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quorlent::filter {

// Sums over draws of "how many numbers of the part have j of some property", j = 0 … 5.
using Spread = std::array<int64_t, 6>;

// The history's draws seen through one part, oldest first: each draw's number and multiset and
// how many of its digits repeat from the draw before it. Worked out once, then extended as rows
// are appended.
//
// Draw t is judged against draws 0 … t-1 only; t = size() is the draw to come, the one the
// remaining numbers are for.
class DrawTable
{
  public:
    static constexpr size_t kCheckpointEvery = 256;

    explicit DrawTable(FilterPart part) : m_part(part) {}

    FilterPart part() const { return m_part; }
    size_t size() const { return m_values.size(); }
    // Takes in rows[size() … count).
    void extend(const std::vector<HistoryRow> &rows, size_t count);

    uint32_t value(size_t t) const { return m_values[t]; }
    const std::vector<uint32_t> &values() const { return m_values; }
    // The part's digits of every draw, four bits each, the first at bits 0-3.
    const std::vector<uint32_t> &packedDigits() const { return m_packed; }
    // The multiset of every draw.
    const std::vector<uint16_t> &multisets() const { return m_multisets; }
    // The multiset of draw t - 1, RepeatTable::none() for t = 0; t = 0 … size().
    uint32_t previousMultiset(size_t t) const;
    // The digits of draw t that repeat from draw t - 1; 0 for the first draw, which has none
    // before it.
    int repeats(size_t t) const { return m_repeats[t]; }

    // For draws t of [begin, end): Σ over t of the numbers repeating j digits from draw t - 1.
    // The first call works out checkpoints over the whole history (a few milliseconds).
    Spread repeatSpread(size_t begin, size_t end) const;

  private:
    Spread spreadBefore(size_t t) const;

    FilterPart m_part;
    std::vector<uint32_t> m_values;
    std::vector<uint32_t> m_packed;
    std::vector<uint16_t> m_multisets;
    std::vector<uint8_t> m_repeats;
    mutable std::vector<Spread> m_checkpoints; // the sums before draws 0, 256, 512, …
};

} // namespace quorlent::filter
