#include "TrendStatistics.h"

#include <algorithm>

namespace quorlent::trend {

namespace {

// Index of the first appearance at or after `draw`.
size_t firstAtOrAfter(std::span<const int32_t> list, int64_t draw)
{
    return size_t(std::lower_bound(list.begin(), list.end(), draw,
                                   [](int32_t a, int64_t d) { return a < d; }) -
                  list.begin());
}

} // namespace

int64_t omissionAt(std::span<const int32_t> appearances, size_t draw, size_t origin)
{
    const size_t after = firstAtOrAfter(appearances, int64_t(draw) + 1);
    const int64_t seen = after > 0 ? appearances[after - 1] : -1;
    if (seen == int64_t(draw))
        return 0;
    return int64_t(draw) - std::max(seen, int64_t(origin) - 1);
}

ColumnStats columnStatistics(std::span<const int32_t> appearances, const DrawRange &window,
                             size_t origin, double chance)
{
    ColumnStats s;
    const auto begin = int64_t(window.begin);
    const auto end = int64_t(window.end);
    const size_t i0 = firstAtOrAfter(appearances, begin);
    const size_t i1 = firstAtOrAfter(appearances, end);
    s.occurrences = int64_t(i1 - i0);
    s.lastSeen = i1 > 0 ? appearances[i1 - 1] : -1;
    if (window.empty())
        return s;
    const auto draws = int64_t(window.size());
    s.expected = double(draws) * chance;
    s.averageOmission = double(draws - s.occurrences) / double(s.occurrences + 1);

    // The run of absence in progress at the window's start begins after the last appearance
    // before it, or at the origin.
    const int64_t floor = int64_t(origin) - 1;
    int64_t base = std::max(i0 > 0 ? int64_t(appearances[i0 - 1]) : -1, floor);
    // The run of appearances in progress at the window's start, counted back to the origin.
    int64_t run = 0;
    for (size_t j = i0; j > 0 && appearances[j - 1] == begin - 1 - run &&
                        appearances[j - 1] >= int64_t(origin);
         --j)
        ++run;
    int64_t previous = begin - 1;
    for (size_t i = i0; i < i1; ++i) {
        const int64_t a = appearances[i];
        if (a - 1 >= begin)
            s.maxOmission = std::max(s.maxOmission, a - 1 - base);
        run = a == previous + 1 ? run + 1 : 1;
        s.maxRun = std::max(s.maxRun, run);
        previous = a;
        base = a;
    }
    s.current = s.lastSeen == end - 1 ? 0 : end - 1 - base;
    s.maxOmission = std::max(s.maxOmission, s.current);
    return s;
}

TrendStatistics statisticsOf(const TrendSeries &series, const DrawRange &window,
                             StatsOrigin origin)
{
    TrendStatistics all;
    const size_t from = originOf(window, origin);
    for (int c = 0; c < kPresenceColumns; ++c)
        all[size_t(c)] = columnStatistics(series.appearances(c), window, from, chanceOf(c));
    return all;
}

} // namespace quorlent::trend
