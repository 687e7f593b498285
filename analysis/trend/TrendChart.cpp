#include "TrendChart.h"

#include <algorithm>

namespace quorlent::trend {

TrendChart::TrendChart(const std::vector<HistoryRow> &rows) : m_rows(rows) { rebuild(); }

void TrendChart::setWindow(const TrendWindow &window)
{
    m_window = window;
    refresh();
}

void TrendChart::setSameDraw(int sameDraw)
{
    if (sameDraw == m_series.sameDraw())
        return;
    m_series = TrendSeries(sameDraw);
    rebuild();
}

void TrendChart::setOrigin(StatsOrigin origin)
{
    m_origin = origin;
    refresh();
}

void TrendChart::rebuild()
{
    m_series.rebuild(m_rows);
    refresh();
}

void TrendChart::appended(size_t from)
{
    m_series.append(m_rows, from);
    refresh();
}

void TrendChart::truncated()
{
    m_series.truncate(m_rows);
    refresh();
}

void TrendChart::refresh()
{
    m_range = resolveWindow(m_series, m_rows, m_window);
    if (m_range.empty()) {
        m_lineBegin = m_lineEnd = 0;
    } else {
        m_lineBegin = m_series.lineOfDraw(m_range.begin);
        m_lineEnd = m_series.lineOfDraw(m_range.end - 1) + 1;
    }
    m_missing = 0;
    const auto &gaps = m_series.gaps();
    auto gap = std::lower_bound(gaps.begin(), gaps.end(), m_lineBegin,
                                [](const TrendSeries::Gap &g, size_t line) { return g.line < line; });
    for (; gap != gaps.end() && gap->line < m_lineEnd; ++gap)
        m_missing += gap->count;
    m_stats = statisticsOf(m_series, m_range, m_origin);
    ++m_revision;
}

Digits TrendChart::digitsOf(size_t index) const
{
    const size_t line = m_lineBegin + index;
    if (m_series.isMissingLine(line))
        return {};
    return m_rows[m_series.storeIndex(m_series.drawOfLine(line))].digits();
}

TrendRow TrendChart::row(size_t index) const
{
    TrendRow r;
    const size_t line = m_lineBegin + index;
    if (m_series.isMissingLine(line)) {
        const TrendSeries::Gap &gap = m_series.gapOfLine(line);
        r.missing = true;
        r.issue = gap.first;
        r.lastIssue = gap.last;
        r.missingCount = gap.count;
        return r;
    }
    r.draw = m_series.drawOfLine(line);
    const HistoryRow &stored = m_rows[m_series.storeIndex(r.draw)];
    r.issue = r.lastIssue = stored.sqqh;
    r.issueExists = IssueOrdinals().ordinal(stored.sqqh).has_value();
    r.digits = stored.digits();
    r.features = featuresOf(r.digits);
    const size_t origin = originOf(m_range, m_origin);
    for (int c = 0; c < kPresenceColumns; ++c) {
        r.omission[size_t(c)] = omissionAt(m_series.appearances(c), r.draw, origin);
        r.layered[size_t(c)] = int64_t(r.draw) > m_stats[size_t(c)].lastSeen;
    }
    return r;
}

} // namespace quorlent::trend
