#pragma once

#include "OmissionRules.h"
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

using TrendStatistics = std::array<ColumnStats, kPresenceColumns>;

// The first draw omission counts may look back to: the series' first draw when carried.
inline size_t originOf(const DrawRange &window, StatsOrigin origin)
{
    return origin == StatsOrigin::Carried ? 0 : window.begin;
}

// The omission of a column at a draw (see OmissionRules.h). Missing draws are no draws and are
// not counted.
inline int64_t omissionAt(const Presence &after, int column, size_t draw, size_t origin)
{
    return omissionAt(int64_t(after.last[size_t(column)]), draw, origin);
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
    std::array<ColumnPlace, kPresenceColumns> m_places{};
    std::array<ColumnCounter, kPresenceColumns> m_counters{};
};

TrendStatistics statisticsOf(const TrendSeries &series, const DrawRange &window,
                             StatsOrigin origin);

} // namespace quorlent::trend
