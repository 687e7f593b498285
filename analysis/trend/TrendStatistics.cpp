#include "TrendStatistics.h"

#include <algorithm>
#include <bit>

namespace quorlent::trend {

void WindowTally::start(const TrendSeries &series, const DrawRange &window, size_t origin)
{
    m_started = true;
    m_begin = m_end = window.begin;
    m_origin = origin;
    m_occurrences.fill(0);
    m_maxOmission.fill(0);
    m_maxRun.fill(0);
    m_presence = series.presenceBefore(window.begin);
    // Nothing before the origin counts. The origin is the series' first draw or the window's,
    // so a run ending just before the window is either kept whole or not seen at all.
    for (size_t c = 0; c < size_t(kPresenceColumns); ++c) {
        if (m_presence.last[c] < int32_t(origin)) {
            m_presence.last[c] = -1;
            m_presence.run[c] = 0;
        }
    }
    advance(series, window.end);
}

void WindowTally::startEmpty()
{
    m_started = true;
    m_begin = m_end = m_origin = 0;
    m_presence = Presence();
    m_occurrences.fill(0);
    m_maxOmission.fill(0);
    m_maxRun.fill(0);
}

void WindowTally::advance(const TrendSeries &series, size_t end)
{
    for (size_t t = m_end; t < end; ++t)
        take(series.rowOf(t).digits(), int32_t(t));
}

void WindowTally::take(const Digits &digits, int32_t draw)
{
    const int32_t floor = int32_t(m_origin) - 1;
    const auto begin = int32_t(m_begin);
    auto seen = [&](size_t c) {
        const int32_t last = m_presence.last[c];
        // The omission the column had reached at the draw before.
        if (draw > begin)
            m_maxOmission[c] =
                std::max<int64_t>(m_maxOmission[c], draw - 1 - std::max(last, floor));
        const int32_t run = last == draw - 1 ? m_presence.run[c] + 1 : 1;
        m_presence.run[c] = run;
        m_presence.last[c] = draw;
        m_maxRun[c] = std::max<int64_t>(m_maxRun[c], run);
        ++m_occurrences[c];
    };
    forEachMarkedColumn(digits, seen);
    m_end = size_t(draw) + 1;
}

TrendStatistics WindowTally::result() const
{
    TrendStatistics all;
    const auto draws = int64_t(m_end - m_begin);
    const int64_t floor = int64_t(m_origin) - 1;
    for (int column = 0; column < kPresenceColumns; ++column) {
        const auto c = size_t(column);
        ColumnStats &s = all[c];
        s.lastSeen = m_presence.last[c];
        if (draws == 0)
            continue;
        s.occurrences = m_occurrences[c];
        s.expected = double(draws) * chanceOf(column);
        s.averageOmission = double(draws - s.occurrences) / double(s.occurrences + 1);
        const int64_t last = int64_t(m_end) - 1;
        s.current = s.lastSeen == last ? 0 : last - std::max(s.lastSeen, floor);
        s.maxOmission = std::max(m_maxOmission[c], s.current);
        s.maxRun = m_maxRun[c];
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
