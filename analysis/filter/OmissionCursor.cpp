#include "OmissionCursor.h"

namespace quorlent::filter {

OmissionCursor::OmissionCursor(const OmissionKey &key) : m_key(key), m_digits(digitCount(key.part))
{
    for (auto &row : m_last)
        row.fill(-1);
}

uint64_t OmissionCursor::marks() const
{
    // Cold: t - 1 - last >= threshold; hot: t - 1 - last <= threshold.
    const int64_t bound = int64_t(m_draw) - 1 - m_key.threshold;
    const int rows = m_key.atPositions ? m_digits : 1;
    uint64_t out = 0;
    for (int i = 0; i < rows; ++i) {
        for (int d = 0; d <= 9; ++d) {
            const int64_t last = m_last[size_t(i)][size_t(d)];
            if (m_key.hot ? last >= bound : last <= bound)
                out |= uint64_t(1) << (10 * i + d);
        }
    }
    return out;
}

void OmissionCursor::step(uint32_t packedDigits)
{
    for (int i = 0; i < m_digits; ++i)
        m_last[m_key.atPositions ? size_t(i) : 0][(packedDigits >> (4 * i)) & 0xf] =
            int32_t(m_draw);
    ++m_draw;
}

} // namespace quorlent::filter
