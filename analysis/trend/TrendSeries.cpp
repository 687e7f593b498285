#include "TrendSeries.h"

#include "Issue.h"

namespace quorlent::trend {

namespace {

// Appends need no reallocation of a list for this many further draws.
constexpr size_t kHeadroom = 1024;

// Bit d set when digit d is drawn.
unsigned digitMask(const Digits &digits)
{
    unsigned mask = 0;
    for (uint8_t d : digits)
        mask |= 1u << d;
    return mask;
}

} // namespace

bool TrendSeries::isCounted(const HistoryRow &row) const
{
    return m_sameDraw == 0 || issue::sequence(row.sqqh) == m_sameDraw;
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
    return m_sameDraw == 0 ? IssueOrdinals::issueAt(place)
                           : IssueOrdinals::issueOfDay(place, m_sameDraw);
}

void TrendSeries::rebuild(std::span<const HistoryRow> rows)
{
    std::array<size_t, kPresenceColumns> counts{};
    size_t draws = 0;
    for (const HistoryRow &row : rows) {
        if (!isCounted(row))
            continue;
        ++draws;
        const Digits &digits = row.digits();
        for (int p = 0; p < kPositions; ++p)
            ++counts[size_t(positionColumn(p, digits[size_t(p)]))];
        for (unsigned mask = digitMask(digits), d = 0; mask; mask >>= 1, ++d)
            counts[size_t(spreadColumn(int(d)))] += mask & 1;
    }
    // Exact sizes: half a million draws must not carry a doubling's worth of slack.
    for (int c = 0; c < kPresenceColumns; ++c) {
        std::vector<int32_t> list;
        list.reserve(counts[size_t(c)] + kHeadroom);
        m_appearances[size_t(c)] = std::move(list);
    }
    auto fresh = [draws](std::vector<int32_t> &v) {
        std::vector<int32_t> empty;
        empty.reserve(draws + kHeadroom);
        v = std::move(empty);
    };
    fresh(m_storeIndex);
    fresh(m_lineOfDraw);
    fresh(m_lines);
    m_gaps.clear();
    m_lastPlace.reset();
    append(rows, 0);
}

void TrendSeries::append(std::span<const HistoryRow> rows, size_t from)
{
    for (size_t i = from; i < rows.size(); ++i) {
        if (isCounted(rows[i]))
            add(rows[i], i);
    }
}

void TrendSeries::add(const HistoryRow &row, size_t storeIndex)
{
    const auto place = placeOf(row.sqqh);
    if (place) {
        if (m_lastPlace && *place > *m_lastPlace + 1)
            addGap(*m_lastPlace + 1, *place - 1);
        m_lastPlace = place;
    }
    const auto draw = int32_t(m_storeIndex.size());
    m_storeIndex.push_back(int32_t(storeIndex));
    m_lineOfDraw.push_back(int32_t(m_lines.size()));
    m_lines.push_back(draw);
    const Digits &digits = row.digits();
    for (int p = 0; p < kPositions; ++p)
        m_appearances[size_t(positionColumn(p, digits[size_t(p)]))].push_back(draw);
    for (unsigned mask = digitMask(digits), d = 0; mask; mask >>= 1, ++d) {
        if (mask & 1)
            m_appearances[size_t(spreadColumn(int(d)))].push_back(draw);
    }
}

void TrendSeries::addGap(int64_t first, int64_t last)
{
    const int64_t count = last - first + 1;
    if (count > kSpelledOutGap) {
        m_lines.push_back(-1 - int32_t(m_gaps.size()));
        m_gaps.push_back({issueAtPlace(first), issueAtPlace(last), count, m_lines.size() - 1});
        return;
    }
    for (int64_t place = first; place <= last; ++place) {
        const int32_t issue = issueAtPlace(place);
        m_lines.push_back(-1 - int32_t(m_gaps.size()));
        m_gaps.push_back({issue, issue, 1, m_lines.size() - 1});
    }
}

void TrendSeries::truncate(std::span<const HistoryRow> rows)
{
    while (!m_storeIndex.empty() && size_t(m_storeIndex.back()) >= rows.size()) {
        const int32_t draw = int32_t(m_storeIndex.size()) - 1;
        for (auto &list : m_appearances) {
            if (!list.empty() && list.back() == draw)
                list.pop_back();
        }
        m_storeIndex.pop_back();
        m_lineOfDraw.pop_back();
    }
    // The missing lines before a removed draw went in with it.
    const size_t keep = m_lineOfDraw.empty() ? 0 : size_t(m_lineOfDraw.back()) + 1;
    while (m_lines.size() > keep) {
        if (m_lines.back() < 0)
            m_gaps.pop_back();
        m_lines.pop_back();
    }
    findLastPlace(rows);
}

void TrendSeries::findLastPlace(std::span<const HistoryRow> rows)
{
    m_lastPlace.reset();
    for (size_t draw = m_storeIndex.size(); draw-- > 0 && !m_lastPlace;)
        m_lastPlace = placeOf(rows[size_t(m_storeIndex[draw])].sqqh);
}

size_t TrendSeries::memoryBytes() const
{
    size_t bytes = (m_storeIndex.capacity() + m_lineOfDraw.capacity() + m_lines.capacity()) *
                       sizeof(int32_t) +
                   m_gaps.capacity() * sizeof(Gap);
    for (const auto &list : m_appearances)
        bytes += list.capacity() * sizeof(int32_t);
    return bytes;
}

} // namespace quorlent::trend
