#pragma once

#include "TrendWindow.h"

#include <array>

namespace quorlent::trend {

// Where a window's omission counts start (统计起点): at the window's first draw, as if nothing
// came before, or carried on from the counted draws before the window.
enum class StatsOrigin { WindowStart, Carried };

// The statistics rows of one presence column over a window.
struct ColumnStats
{
    int64_t occurrences = 0;    // 出现次数: draws that show the digit
    double expected = 0;        // 理论次数: draws × the digit's chance
    int64_t current = 0;        // 当前遗漏: the omission at the window's last draw
    int64_t maxOmission = 0;    // 最大遗漏: the largest omission at any draw of the window
    double averageOmission = 0; // 平均遗漏: (draws − occurrences) ÷ (occurrences + 1)
    int64_t maxRun = 0;         // 最大连出: the longest run of consecutive draws showing it
    int64_t lastSeen = -1;      // the last draw up to the window's end that shows it, -1: none

    bool operator==(const ColumnStats &) const = default;
};

using TrendStatistics = std::array<ColumnStats, kPresenceColumns>;

// The first draw that omission counts may look back to: the series' first draw when carried.
inline size_t originOf(const DrawRange &window, StatsOrigin origin)
{
    return origin == StatsOrigin::Carried ? 0 : window.begin;
}

// The omission of a column at a draw: 0 where the draw shows the digit, else the number of draws
// since it last did, this one included, counting from `origin` at most. Runs of absence and of
// appearance started before the window are carried only as far back as `origin`; missing draws
// are no draws and are not counted.
int64_t omissionAt(std::span<const int32_t> appearances, size_t draw, size_t origin);

ColumnStats columnStatistics(std::span<const int32_t> appearances, const DrawRange &window,
                             size_t origin, double chance);

TrendStatistics statisticsOf(const TrendSeries &series, const DrawRange &window,
                             StatsOrigin origin);

} // namespace quorlent::trend
