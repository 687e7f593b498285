#include "OmissionTrack.h"

#include "DigitSet.h"

#include <bit>

namespace quorlent::filter {

OmissionTrack::OmissionTrack(const OmissionKey &key)
    : m_key(key), m_digits(digitCount(key.part)),
      m_window(size_t(key.hot ? key.threshold + 1 : key.threshold))
{
    addMarks();
    m_checkpoints.push_back({});
}

void OmissionTrack::addMarks()
{
    const size_t t = m_marks.size();
    const auto limit = size_t(m_key.threshold);
    const int rows = m_key.atPositions ? m_digits : 1;
    uint64_t marks = 0;
    for (int i = 0; i < rows; ++i) {
        uint64_t row = 0;
        if (m_key.hot)
            row = t <= limit ? DigitSet::kAll : m_present[size_t(i)];
        else
            row = t >= limit ? DigitSet::kAll & ~m_present[size_t(i)] : 0;
        marks |= row << (10 * i);
    }
    m_marks.push_back(marks);
}

int OmissionTrack::markedPositions(uint32_t value, size_t t) const
{
    const uint64_t marks = m_marks[t];
    int n = 0;
    for (int i = m_digits - 1; i >= 0; --i, value /= 10)
        n += int(marks >> ((m_key.atPositions ? 10 * i : 0) + int(value % 10))) & 1;
    return n;
}

void OmissionTrack::extend(const DrawTable &draws)
{
    m_marks.reserve(draws.values().capacity() + 1);
    m_counts.reserve(draws.values().capacity());
    const bool positions = m_key.atPositions;
    auto step = [&](uint32_t value, int delta) {
        for (int i = m_digits - 1; i >= 0; --i, value /= 10) {
            const size_t row = positions ? size_t(i) : 0;
            const auto d = size_t(value % 10);
            int32_t &n = m_inWindow[row][d];
            n += delta;
            m_present[row] =
                uint16_t(n > 0 ? m_present[row] | (1u << d) : m_present[row] & ~(1u << d));
        }
    };
    for (size_t t = size(); t < draws.size(); ++t) {
        const uint32_t value = draws.value(t);
        m_counts.push_back(uint8_t(markedPositions(value, t)));
        step(value, 1);
        if (t >= m_window)
            step(draws.value(t - m_window), -1);
        addMarks();
        if ((t + 1) % kCheckpointEvery == 0) {
            Spread sum = m_checkpoints.back();
            for (size_t d = t + 1 - kCheckpointEvery; d <= t; ++d) {
                const Spread s = numbersMarked(m_key, m_marks[d]);
                for (size_t j = 0; j < sum.size(); ++j)
                    sum[j] += s[j];
            }
            m_checkpoints.push_back(sum);
        }
    }
}

Spread OmissionTrack::numbersMarked(const OmissionKey &key, uint64_t marks)
{
    // The numbers with j marked positions are the coefficients of the product over positions
    // of (unmarked + marked·z).
    const int digits = digitCount(key.part);
    Spread poly{};
    poly[0] = 1;
    for (int i = 0; i < digits; ++i) {
        const int marked = std::popcount((marks >> (key.atPositions ? 10 * i : 0)) & 0x3ff);
        for (int j = i + 1; j >= 1; --j)
            poly[size_t(j)] = poly[size_t(j)] * (10 - marked) + poly[size_t(j - 1)] * marked;
        poly[0] *= 10 - marked;
    }
    return poly;
}

Spread OmissionTrack::spreadBefore(size_t t) const
{
    Spread sum = m_checkpoints[t / kCheckpointEvery];
    for (size_t d = t / kCheckpointEvery * kCheckpointEvery; d < t; ++d) {
        const Spread s = numbersMarked(m_key, m_marks[d]);
        for (size_t j = 0; j < sum.size(); ++j)
            sum[j] += s[j];
    }
    return sum;
}

Spread OmissionTrack::spread(size_t begin, size_t end) const
{
    const Spread high = spreadBefore(end);
    const Spread low = spreadBefore(begin);
    Spread out{};
    for (size_t j = 0; j < out.size(); ++j)
        out[j] = high[j] - low[j];
    return out;
}

} // namespace quorlent::filter
