#include "Tally.h"

#include <algorithm>
#include <array>

namespace quorlent {

// Stored segment values may come from the other base; they are counted in their own slot and
// simply have no row.
std::vector<int> Tally::outcomeValues(Kind kind, int segmentBase)
{
    std::vector<int> values;
    if (kind == Kind::Segment) {
        for (int i = 0; i < 5; ++i)
            values.push_back(segmentBase + i);
    } else {
        for (int v = 0; v < kindValueCount(kind); ++v)
            values.push_back(v);
    }
    return values;
}

size_t Tally::leadingIndex(std::span<const int64_t> countsByValue)
{
    // The ranking is a stable sort by count, largest first, of the rows in ascending value.
    return static_cast<size_t>(std::max_element(countsByValue.begin(), countsByValue.end()) -
                               countsByValue.begin());
}

int TallyOptions::lastPosition() const
{
    return std::clamp(position, 1, kPositions);
}

int TallyOptions::firstPosition() const
{
    return groupSelection ? 1 : lastPosition();
}

QString percentText(int64_t count, int64_t total)
{
    if (total <= 0)
        return QStringLiteral("0.000%");
    // In whole thousandths of a percent, so that no binary fraction decides a tie.
    const auto scaled = static_cast<__int128>(count) * 200000 + total;
    const auto thousandths = static_cast<int64_t>(scaled / (static_cast<__int128>(total) * 2));
    return QStringLiteral("%1.%2%")
        .arg(thousandths / 1000)
        .arg(thousandths % 1000, 3, 10, QLatin1Char('0'));
}

QString Tally::outcomeLabel(Kind kind, int value)
{
    if (kind == Kind::BigSmall && (value == 0 || value == 1))
        return value ? QStringLiteral("大") : QStringLiteral("小");
    if (kind == Kind::OddEven && (value == 0 || value == 1))
        return value ? QStringLiteral("单") : QStringLiteral("双");
    return QString::number(value);
}

Tally Tally::count(const std::vector<HistoryRow> &rows, std::span<const uint32_t> hits,
                   const TallyOptions &options)
{
    const Kind kind = options.resultKind;
    const int first = options.firstPosition() - 1;
    const int last = options.lastPosition() - 1;
    const int counterSlots = kindValueCount(kind);

    // Four sets of counters taken in turn: hits in a row mostly count the same few values, and
    // one set would make each count wait for the one before.
    std::array<std::array<int64_t, 256>, 4> sets{};
    size_t h = 0;
    for (; h + 4 <= hits.size(); h += 4) {
        for (size_t s = 0; s < 4; ++s) {
            const PositionValues &values = rows[hits[h + s]].own[kind];
            for (int p = first; p <= last; ++p)
                ++sets[s][values[size_t(p)]];
        }
    }
    for (; h < hits.size(); ++h) {
        const PositionValues &values = rows[hits[h]].own[kind];
        for (int p = first; p <= last; ++p)
            ++sets[0][values[size_t(p)]];
    }
    std::array<int64_t, 256> counters{};
    for (size_t v = 0; v < counters.size(); ++v)
        counters[v] = sets[0][v] + sets[1][v] + sets[2][v] + sets[3][v];

    Tally tally;
    tally.m_kind = kind;
    tally.m_total = static_cast<int64_t>(hits.size()) * (last - first + 1);
    for (int value : outcomeValues(kind, options.segmentBase)) {
        const int64_t n =
            value >= 0 && value < counterSlots ? counters[static_cast<size_t>(value)] : 0;
        tally.m_byValue.push_back({value, n});
    }
    tally.m_ranked = tally.m_byValue;
    std::stable_sort(tally.m_ranked.begin(), tally.m_ranked.end(),
                     [](const TallyEntry &a, const TallyEntry &b) { return a.count > b.count; });
    return tally;
}

std::vector<std::pair<int, int64_t>> Tally::carcuRows() const
{
    std::vector<std::pair<int, int64_t>> rows;
    rows.reserve(m_byValue.size());
    for (const TallyEntry &entry : m_byValue)
        rows.emplace_back(entry.value, entry.count);
    return rows;
}

} // namespace quorlent
