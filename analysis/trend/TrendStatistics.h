#pragma once

#include "TrendWindow.h"

#include <array>

namespace quorlent::trend {

// Where a window's omission counts start (统计起点): at the window's first draw, as if nothing
// came before, or carried on from the counted draws before the window.
enum class StatsOrigin
{
    WindowStart,
    Carried
};

// The statistics rows of one presence column over a window.
struct ColumnStats
{
    int64_t occurrences = 0;    // 出现次数: draws that show the digit
    double expected = 0;        // 理论次数: draws × the digit's chance
    int64_t current = 0;        // 当前遗漏: the omission at the window's last draw
    int64_t maxOmission = 0;    // 最大遗漏: the largest omission at any draw of the window
    double averageOmission = 0; // 平均遗漏: (draws − occurrences) ÷ (occurrences + 1)
    int64_t maxRun = 0;         // 最大连出: the longest run of consecutive draws showing it
    int64_t lastSeen = -1;      // the last draw from the origin to the window's end showing it

    bool operator==(const ColumnStats &) const = default;
};

using TrendStatistics = std::array<ColumnStats, kPresenceColumns>;

// The first draw omission counts may look back to: the series' first draw when carried.
inline size_t originOf(const DrawRange &window, StatsOrigin origin)
{
    return origin == StatsOrigin::Carried ? 0 : window.begin;
}

// The omission of a column at a draw: 0 where the draw shows the digit, else the number of draws
// since it last did, this one included, counting from `origin` at most. Runs of absence and of
// appearance that started before the window are carried only as far back as `origin`; missing
// draws are no draws and are not counted.
inline int64_t omissionAt(const Presence &after, int column, size_t draw, size_t origin)
{
    const int64_t last = after.last[size_t(column)];
    if (last == int64_t(draw))
        return 0;
    return int64_t(draw) - std::max(last, int64_t(origin) - 1);
}

// The statistics of a window, gathered draw by draw. A window that keeps its first draw and its
// origin and grows at its end (new draws in 全部) takes in only the new draws.
class WindowTally
{
  public:
    // `origin` is 0 or the window's first draw.
    void start(const TrendSeries &series, const DrawRange &window, size_t origin);
    // Starts the window of all draws before any has been counted; take() then counts them as
    // they come (while the series is built).
    void startEmpty();
    // Takes in the draws up to `end`.
    void advance(const TrendSeries &series, size_t end);
    // Takes in the next draw.
    void take(const Digits &digits, int32_t draw);
    bool continues(const DrawRange &window, size_t origin) const
    {
        return m_started && window.begin == m_begin && origin == m_origin && window.end >= m_end;
    }
    void reset() { m_started = false; }
    TrendStatistics result() const;

  private:
    bool m_started = false;
    size_t m_begin = 0;
    size_t m_end = 0;
    size_t m_origin = 0;
    Presence m_presence;
    std::array<int64_t, kPresenceColumns> m_occurrences{};
    std::array<int64_t, kPresenceColumns> m_maxOmission{};
    std::array<int64_t, kPresenceColumns> m_maxRun{};
};

TrendStatistics statisticsOf(const TrendSeries &series, const DrawRange &window,
                             StatsOrigin origin);

} // namespace quorlent::trend
