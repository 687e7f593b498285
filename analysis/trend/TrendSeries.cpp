#include "TrendSeries.h"

#include <algorithm>
#include <bit>

namespace quorlent::trend {

void Presence::step(const Digits &digits, int32_t draw)
{
    auto seen = [&](size_t c) {
        run[c] = last[c] == draw - 1 ? run[c] + 1 : 1;
        last[c] = draw;
    };
    forEachMarkedColumn(digits, seen);
}

TrendSeries::TrendSeries(const std::vector<HistoryRow> &rows, int sameDraw, const Game &game)
    : m_rows(rows), m_sameDraw(sameDraw), m_ordinals(game)
{
}

bool TrendSeries::isCounted(const HistoryRow &row) const
{
    return m_sameDraw == 0 || game().sequence(row.sqqh) == m_sameDraw;
}

// Where an issue lies on the line of draws the series steps through: the issue's ordinal, or with
// 同期号 its day.
std::optional<int64_t> TrendSeries::placeOf(int32_t issue)
{
    if (m_sameDraw == 0)
        return m_ordinals.ordinal(issue);
    return m_ordinals.julianDay(issue);
}

int32_t TrendSeries::issueAtPlace(int64_t place) const
{
    return m_sameDraw == 0 ? m_ordinals.issueAt(place) : m_ordinals.issueOfDay(place, m_sameDraw);
}

void TrendSeries::clear()
{
    m_size = 0;
    m_storeIndex = {};
    m_gaps = {};
    m_checkpoints = {};
    m_tail = Presence();
    m_lastPlace.reset();
}

void TrendSeries::rebuild(const DrawObserver &observe)
{
    clear();
    if (m_sameDraw == 0)
        m_checkpoints.reserve(m_rows.size() / kCheckpointEvery + 64);
    append(0, observe);
}

void TrendSeries::append(size_t from, const DrawObserver &observe)
{
    for (size_t i = from; i < m_rows.size(); ++i) {
        if (isCounted(m_rows[i]))
            add(m_rows[i], i, observe);
    }
}

void TrendSeries::add(const HistoryRow &row, size_t storeIndex, const DrawObserver &observe)
{
    if (const auto place = placeOf(row.sqqh)) {
        if (m_lastPlace) {
            // Days of 同期号 follow one another in every game that has them.
            const auto first = m_sameDraw ? (*place > *m_lastPlace + 1
                                                 ? std::optional<int64_t>(*m_lastPlace + 1)
                                                 : std::nullopt)
                                          : m_ordinals.firstMissing(*m_lastPlace, *place);
            if (first)
                addGap(*first, *place - 1);
        }
        m_lastPlace = place;
    }
    if (m_size % kCheckpointEvery == 0)
        m_checkpoints.push_back(m_tail);
    if (m_sameDraw)
        m_storeIndex.push_back(int32_t(storeIndex));
    m_tail.step(row.digits(), int32_t(m_size));
    if (observe)
        observe(row.digits(), int32_t(m_size));
    ++m_size;
}

void TrendSeries::addGap(int64_t first, int64_t last)
{
    const int64_t count = last - first + 1;
    if (count > spelledOutGap()) {
        m_gaps.push_back({issueAtPlace(first), issueAtPlace(last), count, m_size, lineCount()});
        return;
    }
    for (int64_t place = first; place <= last; ++place) {
        const int32_t issue = issueAtPlace(place);
        m_gaps.push_back({issue, issue, 1, m_size, lineCount()});
    }
}

void TrendSeries::truncate()
{
    size_t keep = m_size;
    while (keep > 0 && storeIndex(keep - 1) >= m_rows.size())
        --keep;
    if (keep == m_size)
        return;
    m_size = keep;
    if (m_sameDraw)
        m_storeIndex.resize(keep);
    // The missing lines before a removed draw went with it.
    while (!m_gaps.empty() && m_gaps.back().beforeDraw >= keep)
        m_gaps.pop_back();
    m_checkpoints.resize((keep + kCheckpointEvery - 1) / kCheckpointEvery);
    m_tail = Presence();
    if (keep > 0) {
        const size_t block = (keep - 1) / kCheckpointEvery;
        m_tail = m_checkpoints[block];
        for (size_t d = block * kCheckpointEvery; d < keep; ++d)
            m_tail.step(rowOf(d).digits(), int32_t(d));
    }
    m_lastPlace.reset();
    for (size_t draw = keep; draw-- > 0 && !m_lastPlace;)
        m_lastPlace = placeOf(rowOf(draw).sqqh);
}

Presence TrendSeries::presenceBefore(size_t draw) const
{
    const size_t block = draw / kCheckpointEvery;
    if (block >= m_checkpoints.size())
        return m_tail; // after the last draw, on a block boundary
    Presence p = m_checkpoints[block];
    for (size_t d = block * kCheckpointEvery; d < draw; ++d)
        p.step(rowOf(d).digits(), int32_t(d));
    return p;
}

size_t TrendSeries::lineOfDraw(size_t draw) const
{
    const auto after = std::upper_bound(m_gaps.begin(), m_gaps.end(), draw,
                                        [](size_t d, const Gap &g) { return d < g.beforeDraw; });
    return draw + size_t(after - m_gaps.begin());
}

const TrendSeries::Gap *TrendSeries::gapAtLine(size_t line) const
{
    const auto at = std::lower_bound(m_gaps.begin(), m_gaps.end(), line,
                                     [](const Gap &g, size_t l) { return g.line < l; });
    return at != m_gaps.end() && at->line == line ? &*at : nullptr;
}

size_t TrendSeries::drawOfLine(size_t line) const
{
    const auto at = std::lower_bound(m_gaps.begin(), m_gaps.end(), line,
                                     [](const Gap &g, size_t l) { return g.line < l; });
    return line - size_t(at - m_gaps.begin());
}

size_t TrendSeries::memoryBytes() const
{
    return m_storeIndex.capacity() * sizeof(int32_t) + m_gaps.capacity() * sizeof(Gap) +
           m_checkpoints.capacity() * sizeof(Presence);
}

} // namespace quorlent::trend
