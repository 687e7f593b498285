#include "DrawTable.h"

#include "NumberTable.h"
#include "RepeatTable.h"

#include <algorithm>

namespace quorlent::filter {

void DrawTable::extend(const std::vector<HistoryRow> &rows, size_t count)
{
    const NumberTable &numbers = NumberTable::of(digitCount(m_part));
    m_values.reserve(rows.capacity());
    m_packed.reserve(rows.capacity());
    m_multisets.reserve(rows.capacity());
    m_repeats.reserve(rows.capacity());
    for (size_t t = m_values.size(); t < std::min(count, rows.size()); ++t) {
        const uint32_t value = partValue(m_part, rows[t].digits());
        const uint16_t multiset = numbers.multiset(value);
        m_repeats.push_back(
            t == 0 ? 0
                   : uint8_t(NumberTable::commonDigits(numbers.digitCounts(multiset),
                                                       numbers.digitCounts(m_multisets.back()))));
        m_values.push_back(value);
        m_packed.push_back(numbers.packedDigits(value));
        m_multisets.push_back(multiset);
    }
}

uint32_t DrawTable::previousMultiset(size_t t) const
{
    return t == 0 ? NumberTable::of(digitCount(m_part)).multisetCount() : m_multisets[t - 1];
}

Spread DrawTable::spreadBefore(size_t t) const
{
    const RepeatTable &table = RepeatTable::of(digitCount(m_part));
    auto addDraw = [&](Spread &sum, size_t draw) {
        const auto &spread = table.numbersRepeating(previousMultiset(draw));
        for (size_t j = 0; j < sum.size(); ++j)
            sum[j] += spread[j];
    };
    // Checkpoints up to the newest draw that the history has.
    while (m_checkpoints.size() * kCheckpointEvery <= size()) {
        Spread sum = m_checkpoints.empty() ? Spread{} : m_checkpoints.back();
        if (!m_checkpoints.empty()) {
            const size_t from = (m_checkpoints.size() - 1) * kCheckpointEvery;
            for (size_t d = from; d < from + kCheckpointEvery; ++d)
                addDraw(sum, d);
        }
        m_checkpoints.push_back(sum);
    }
    Spread sum = m_checkpoints[t / kCheckpointEvery];
    for (size_t d = t / kCheckpointEvery * kCheckpointEvery; d < t; ++d)
        addDraw(sum, d);
    return sum;
}

Spread DrawTable::repeatSpread(size_t begin, size_t end) const
{
    const Spread high = spreadBefore(end);
    const Spread low = spreadBefore(begin);
    Spread out{};
    for (size_t j = 0; j < out.size(); ++j)
        out[j] = high[j] - low[j];
    return out;
}

} // namespace quorlent::filter
