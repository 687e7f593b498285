#include "TrendChart.h"

#include <algorithm>

namespace quorlent::trend {

TrendChart::TrendChart(const std::vector<HistoryRow> &rows, const Game &game)
    : m_rows(rows), m_every(rows, 0, game), m_same(rows, 0, game)
{
    rebuild();
}

void TrendChart::setGame(const Game &game)
{
    m_every.setGame(game);
    m_same.setGame(game);
    if (!game.hasDrawsOfADay() || m_same.sameDraw() > game.drawsPerDay()) {
        m_same.setSameDraw(0);
        m_same.clear();
    }
    rebuild();
}

void TrendChart::setWindow(const TrendWindow &window)
{
    m_window = window;
    refresh();
}

void TrendChart::setSameDraw(int sameDraw)
{
    if (sameDraw == m_same.sameDraw())
        return;
    m_same.setSameDraw(sameDraw);
    if (sameDraw)
        m_same.rebuild(wholeTally(m_sameWhole));
    else
        m_same.clear();
    m_tally.reset();
    refresh();
}

void TrendChart::setOrigin(StatsOrigin origin)
{
    m_origin = origin;
    refresh();
}

// The statistics of 全部 are gathered while a series is built, in the same pass.
TrendSeries::DrawObserver TrendChart::wholeTally(WindowTally &tally)
{
    tally.startEmpty();
    return [&tally](const Digits &digits, int32_t draw) { tally.take(digits, draw); };
}

void TrendChart::rebuild()
{
    m_every.rebuild(wholeTally(m_everyWhole));
    if (m_same.sameDraw())
        m_same.rebuild(wholeTally(m_sameWhole));
    m_tally.reset();
    refresh();
}

void TrendChart::appended(size_t from)
{
    m_every.append(from);
    if (m_same.sameDraw())
        m_same.append(from);
    refresh(true);
}

void TrendChart::truncated()
{
    m_every.truncate();
    if (m_same.sameDraw())
        m_same.truncate();
    m_everyWhole.reset();
    m_sameWhole.reset();
    m_tally.reset();
    refresh();
}

void TrendChart::refresh(bool grown)
{
    const TrendSeries &s = series();
    m_range = resolveWindow(s, m_rows, m_window);
    if (m_range.empty()) {
        m_lineBegin = m_lineEnd = 0;
    } else {
        m_lineBegin = s.lineOfDraw(m_range.begin);
        m_lineEnd = s.lineOfDraw(m_range.end - 1) + 1;
    }
    m_missing = 0;
    const auto &gaps = s.gaps();
    auto gap =
        std::lower_bound(gaps.begin(), gaps.end(), m_lineBegin,
                         [](const TrendSeries::Gap &g, size_t line) { return g.line < line; });
    for (; gap != gaps.end() && gap->line < m_lineEnd; ++gap)
        m_missing += gap->count;

    const bool whole = m_range.begin == 0 && m_range.end == s.size();
    WindowTally &tally = !whole ? m_tally : m_same.sameDraw() ? m_sameWhole : m_everyWhole;
    const size_t origin = whole ? 0 : originOf(m_range, m_origin);
    if ((grown || whole) && tally.continues(m_range, origin))
        tally.advance(s, m_range.end);
    else
        tally.start(s, m_range, origin);
    m_stats = tally.result();
    ++m_revision;
}

Digits TrendChart::digitsOf(size_t index) const
{
    const size_t line = m_lineBegin + index;
    if (series().isMissingLine(line))
        return {};
    return series().rowOf(series().drawOfLine(line)).digits();
}

TrendRow TrendChart::row(size_t index) const
{
    TrendRow r;
    const size_t line = m_lineBegin + index;
    if (const TrendSeries::Gap *gap = series().gapAtLine(line)) {
        r.missing = true;
        r.issue = gap->first;
        r.lastIssue = gap->last;
        r.missingCount = gap->count;
        return r;
    }
    r.draw = series().drawOfLine(line);
    const HistoryRow &stored = series().rowOf(r.draw);
    r.issue = r.lastIssue = stored.sqqh;
    r.issueExists = game().exists(stored.sqqh);
    r.digits = stored.digits();
    r.features = featuresOf(r.digits);
    const size_t origin = originOf(m_range, m_origin);
    Presence presence = series().presenceBefore(r.draw);
    presence.step(r.digits, int32_t(r.draw));
    for (int c = 0; c < kPresenceColumns; ++c) {
        r.omission[size_t(c)] = omissionAt(presence, c, r.draw, origin);
        r.layered[size_t(c)] = int64_t(r.draw) > m_stats[size_t(c)].lastSeen;
    }
    return r;
}

} // namespace quorlent::trend
