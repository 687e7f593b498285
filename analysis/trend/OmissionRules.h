#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace quorlent::trend {

// The statistics rows of one column over a window of draws: how often the column's value was
// drawn and how long it stayed away. The trend chart's statistics rows and the omission table
// both count by the rules below, so the two always show the same figures.
struct ColumnStats
{
    int64_t occurrences = 0;    // 出现次数: draws that show the value
    double expected = 0;        // 理论次数: draws × the value's chance
    int64_t current = 0;        // 当前遗漏: the omission at the window's last draw
    int64_t maxOmission = 0;    // 最大遗漏: the largest omission at any draw of the window
    double averageOmission = 0; // 平均遗漏: (draws − occurrences) ÷ (occurrences + 1)
    int64_t maxRun = 0;         // 最大连出: the longest run of consecutive draws showing it
    int64_t lastSeen = -1;      // the last draw from the origin to the window's end showing it

    bool operator==(const ColumnStats &) const = default;
};

// Where a column stands just before a draw: the last draw that showed its value (-1: none) and
// the length of the run of consecutive draws showing it that ends there.
struct ColumnPlace
{
    int32_t last = -1;
    int32_t run = 0;
};

// The counts of one column over a window whose draws are numbered from `begin` and whose
// omissions look back to `origin` at most (the window's first draw, or the first draw of all).
// Draws are taken in order; only the draws that show the column need to be told, which is what
// keeps a long window cheap.
class ColumnCounter
{
  public:
    // Draw `draw` of the window shows the column; `place` is where the column stood before it
    // and becomes where it stands after.
    void seen(ColumnPlace &place, int32_t draw, size_t begin, size_t origin)
    {
        const int32_t floor = int32_t(origin) - 1;
        // The omission the column had reached at the draw before.
        if (draw > int32_t(begin))
            m_maxOmission =
                std::max<int64_t>(m_maxOmission, draw - 1 - std::max(place.last, floor));
        // Without a branch: for a code shown every other draw no predictor guesses it.
        const int32_t continued = -int32_t(place.last == draw - 1);
        const int32_t run = (place.run & continued) + 1;
        place.run = run;
        place.last = draw;
        m_maxRun = std::max<int64_t>(m_maxRun, run);
        ++m_occurrences;
    }

    // The statistics rows of the window of draws [begin, end), the column standing at `place`
    // after its last draw, each draw showing it with probability `chance`.
    ColumnStats result(const ColumnPlace &place, size_t begin, size_t end, size_t origin,
                       double chance) const
    {
        ColumnStats s;
        s.lastSeen = place.last;
        const auto draws = int64_t(end - begin);
        if (draws == 0)
            return s;
        const int64_t floor = int64_t(origin) - 1;
        s.occurrences = m_occurrences;
        s.expected = double(draws) * chance;
        s.averageOmission = double(draws - s.occurrences) / double(s.occurrences + 1);
        const int64_t last = int64_t(end) - 1;
        s.current = s.lastSeen == last ? 0 : last - std::max(s.lastSeen, floor);
        s.maxOmission = std::max(m_maxOmission, s.current);
        s.maxRun = m_maxRun;
        return s;
    }

  private:
    int64_t m_occurrences = 0;
    int64_t m_maxOmission = 0;
    int64_t m_maxRun = 0;
};

// A column's place before a window: nothing before the origin counts. The origin is the first
// draw of all or the window's, so a run ending just before the window is either kept whole or
// not seen at all.
inline ColumnPlace placeFrom(ColumnPlace before, size_t origin)
{
    if (before.last < int32_t(origin))
        return {};
    return before;
}

// The omission of a column at a draw: 0 where the draw shows the value, else the number of draws
// since it last did, this one included, counting from `origin` at most.
inline int64_t omissionAt(int64_t last, size_t draw, size_t origin)
{
    if (last == int64_t(draw))
        return 0;
    return int64_t(draw) - std::max(last, int64_t(origin) - 1);
}

} // namespace quorlent::trend
