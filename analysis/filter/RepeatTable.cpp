#include "RepeatTable.h"

#include "NumberTable.h"

namespace quorlent::filter {

const RepeatTable &RepeatTable::of(int digitCount)
{
    switch (digitCount) {
    case 2: {
        static const RepeatTable table(2);
        return table;
    }
    case 3: {
        static const RepeatTable table(3);
        return table;
    }
    case 4: {
        static const RepeatTable table(4);
        return table;
    }
    default: {
        static const RepeatTable table(5);
        return table;
    }
    }
}

RepeatTable::RepeatTable(int digitCount)
{
    const NumberTable &numbers = NumberTable::of(digitCount);
    m_multisets = numbers.multisetCount();
    m_common.assign(size_t(m_multisets + 1) * m_multisets, 0);
    m_spread.assign(m_multisets + 1, {});
    for (uint32_t b = 0; b <= m_multisets; ++b) {
        uint8_t *out = &m_common[size_t(b) * m_multisets];
        auto &spread = m_spread[b];
        for (uint32_t a = 0; a < m_multisets; ++a) {
            if (b < m_multisets)
                out[a] = uint8_t(
                    NumberTable::commonDigits(numbers.digitCounts(a), numbers.digitCounts(b)));
            spread[out[a]] += numbers.orderings(a);
        }
    }
}

} // namespace quorlent::filter
