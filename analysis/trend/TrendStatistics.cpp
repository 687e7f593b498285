#include "TrendStatistics.h"

#include <algorithm>
#include <bit>

namespace quorlent::trend {

void WindowTally::start(const TrendSeries &series, const DrawRange &window, size_t origin)
{
    m_started = true;
    m_begin = m_end = window.begin;
    m_origin = origin;
    m_counters.fill(ColumnCounter());
    const Presence before = series.presenceBefore(window.begin);
    for (size_t c = 0; c < size_t(kPresenceColumns); ++c)
        m_places[c] = placeFrom({before.last[c], before.run[c]}, origin);
    advance(series, window.end);
}

void WindowTally::startEmpty()
{
    m_started = true;
    m_begin = m_end = m_origin = 0;
    m_places.fill(ColumnPlace());
    m_counters.fill(ColumnCounter());
}

void WindowTally::advance(const TrendSeries &series, size_t end)
{
    for (size_t t = m_end; t < end; ++t)
        take(series.rowOf(t).digits(), int32_t(t));
}

void WindowTally::take(const Digits &digits, int32_t draw)
{
    forEachMarkedColumn(
        digits, [&](size_t c) { m_counters[c].seen(m_places[c], draw, m_begin, m_origin); });
    m_end = size_t(draw) + 1;
}

TrendStatistics WindowTally::result() const
{
    TrendStatistics all;
    for (int column = 0; column < kPresenceColumns; ++column) {
        const auto c = size_t(column);
        all[c] = m_counters[c].result(m_places[c], m_begin, m_end, m_origin, chanceOf(column));
    }
    return all;
}

TrendStatistics statisticsOf(const TrendSeries &series, const DrawRange &window, StatsOrigin origin)
{
    WindowTally tally;
    tally.start(series, window, originOf(window, origin));
    return tally.result();
}

} // namespace quorlent::trend
