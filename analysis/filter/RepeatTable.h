#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorlent::filter {

// The multiset intersection size (重号) of every pair of multisets of `digitCount` digits, and
// how many numbers have each size against a given multiset. Worked out once per digit count when
// first asked for, and shared read-only.
class RepeatTable
{
  public:
    static const RepeatTable &of(int digitCount);

    // Stands for "no draw before": nothing repeats from it.
    uint32_t none() const { return m_multisets; }

    // The intersection size of every multiset a with `before` (a multiset id or none()).
    const uint8_t *row(uint32_t before) const { return &m_common[size_t(before) * m_multisets]; }
    // How many numbers repeat exactly j digits from `before`, j = 0 … digit count.
    const std::array<uint32_t, 6> &numbersRepeating(uint32_t before) const
    {
        return m_spread[before];
    }

  private:
    explicit RepeatTable(int digitCount);

    uint32_t m_multisets = 0;
    std::vector<uint8_t> m_common;
    std::vector<std::array<uint32_t, 6>> m_spread;
};

} // namespace quorlent::filter
