#include "OmissionTrack.h"

#include "DigitSet.h"

#include <bit>

namespace quorlent::filter {

namespace {

// The numbers of `Digits` digits with j positions holding one of m marked digits: C(D, j)
// m^j (10 - m)^(D - j), by m.
template <int Digits> const std::array<Spread, 11> &binomialSpreads()
{
    static const std::array<Spread, 11> table = [] {
        std::array<Spread, 11> t{};
        for (int m = 0; m <= 10; ++m) {
            Spread &poly = t[size_t(m)];
            poly[0] = 1;
            for (int i = 0; i < Digits; ++i) {
                for (int j = i + 1; j >= 1; --j)
                    poly[size_t(j)] = poly[size_t(j)] * (10 - m) + poly[size_t(j - 1)] * m;
                poly[0] *= 10 - m;
            }
        }
        return t;
    }();
    return table;
}

// sum[j] += the numbers with j marked positions, given the marked digits of each row (every
// position reads row 0 when the whole part counts): the coefficients of the product over the
// positions of (unmarked + marked·z).
template <int Digits, bool AtPositions>
[[gnu::always_inline]] inline void addSpread(const std::array<int32_t, 5> &marked, Spread &sum)
{
    if constexpr (!AtPositions) {
        const Spread &poly = binomialSpreads<Digits>()[size_t(marked[0])];
        for (int j = 0; j <= Digits; ++j)
            sum[size_t(j)] += poly[size_t(j)];
    } else {
        int64_t poly[Digits + 1] = {1};
        for (int i = 0; i < Digits; ++i) {
            const int64_t m = marked[size_t(i)];
            for (int j = i + 1; j >= 1; --j)
                poly[j] = poly[j] * (10 - m) + poly[j - 1] * m;
            poly[0] *= 10 - m;
        }
        for (int j = 0; j <= Digits; ++j)
            sum[size_t(j)] += poly[j];
    }
}

// The distinct digits of a draw's part, as bits.
template <int Digits> [[gnu::always_inline]] inline unsigned digitSet(uint32_t packed)
{
    unsigned set = 0;
    for (int i = 0; i < Digits; ++i)
        set |= 1u << ((packed >> (4 * i)) & 0xf);
    return set;
}

} // namespace

OmissionTrack::OmissionTrack(const OmissionKey &key)
    : m_key(key), m_digits(digitCount(key.part)), m_now(key)
{
    // Before the first draw every omission is 0.
    m_marked.fill(key.hot || key.threshold == 0 ? 10 : 0);
    m_checkpoints.push_back({});
    m_lastAt.push_back(m_now.m_last);
}

template <int Digits, bool AtPositions, bool Hot>
void OmissionTrack::extendFor(const DrawTable &draws)
{
    const size_t from = size();
    const size_t to = draws.size();
    m_counts.resize(to);
    const int64_t threshold = m_key.threshold;
    constexpr bool hot = Hot;
    // Local copies, which the compiler keeps apart from the arrays written.
    OmissionCursor::Last last = m_now.m_last;
    std::array<int32_t, 5> marked = m_marked;
    Spread sum = m_running;
    const uint32_t *digits = draws.packedDigits().data();
    uint8_t *counts = m_counts.data();

    // The digits whose last showing was at draw `at` leave (热号) or enter (冷号) the marks at
    // the step over draw t: those of draw `at` not shown again since and not drawn at t; before
    // the history's first draw, every digit not shown yet.
    auto turning = [&](size_t row, int64_t at, unsigned drawnNow) {
        if (at < -1)
            return 0;
        unsigned candidates = DigitSet::kAll;
        if (at >= 0)
            candidates = AtPositions ? 1u << ((digits[at] >> (4 * row)) & 0xf)
                                     : digitSet<Digits>(digits[at]);
        int n = 0;
        for (unsigned c = candidates & ~drawnNow; c; c &= c - 1)
            n += last[row][size_t(std::countr_zero(c))] == at;
        return n;
    };
    const int drawnMarked = threshold == 0 ? 1 : 0; // the drawn digits are cold after the draw

    for (size_t t = from; t < to; ++t) {
        addSpread<Digits, AtPositions>(marked, sum);
        const uint32_t drawn = digits[t];
        // Marked before draw t: cold t - 1 - last >= threshold, hot <= threshold.
        const int64_t bound = int64_t(t) - 1 - threshold;
        const int64_t entering = hot ? bound : int64_t(t) - threshold;
        if constexpr (AtPositions) {
            int shown = 0;
            for (size_t row = 0; row < Digits; ++row) {
                const unsigned d = (drawn >> (4 * row)) & 0xf;
                const int64_t l = last[row][d];
                const int was = hot ? l >= bound : l <= bound;
                shown += was;
                int turned = 0;
                if (entering >= 0) {
                    const unsigned g = (digits[entering] >> (4 * row)) & 0xf;
                    turned = g != d && last[row][g] == entering;
                } else if (entering == -1) {
                    turned = turning(row, -1, 1u << d);
                }
                marked[row] += hot ? 1 - was - turned : drawnMarked - was + turned;
                last[row][d] = int32_t(t);
            }
            counts[t] = uint8_t(shown);
        } else {
            int shown = 0;
            for (int i = 0; i < Digits; ++i) {
                const int64_t l = last[0][(drawn >> (4 * i)) & 0xf];
                shown += hot ? l >= bound : l <= bound;
            }
            counts[t] = uint8_t(shown);
            const unsigned now = digitSet<Digits>(drawn);
            int was = 0;
            int drawnCount = 0;
            for (unsigned c = now; c; c &= c - 1, ++drawnCount) {
                const int64_t l = last[0][size_t(std::countr_zero(c))];
                was += hot ? l >= bound : l <= bound;
            }
            const int turned = turning(0, entering, now);
            marked[0] += hot ? drawnCount - was - turned : drawnMarked * drawnCount - was + turned;
            for (unsigned c = now; c; c &= c - 1)
                last[0][size_t(std::countr_zero(c))] = int32_t(t);
        }
        if ((t + 1) % kCheckpointEvery == 0) {
            m_checkpoints.push_back(sum);
            m_lastAt.push_back(last);
        }
    }
    m_now.m_last = last;
    m_now.m_draw = to;
    m_marked = marked;
    m_running = sum;
}

template <int Digits> void OmissionTrack::extendWith(const DrawTable &draws)
{
    if (m_key.atPositions)
        return m_key.hot ? extendFor<Digits, true, true>(draws)
                         : extendFor<Digits, true, false>(draws);
    return m_key.hot ? extendFor<Digits, false, true>(draws)
                     : extendFor<Digits, false, false>(draws);
}

void OmissionTrack::extend(const DrawTable &draws)
{
    m_counts.reserve(draws.values().capacity());
    switch (m_digits) {
    case 2:
        return extendWith<2>(draws);
    case 3:
        return extendWith<3>(draws);
    case 4:
        return extendWith<4>(draws);
    default:
        return extendWith<5>(draws);
    }
}

OmissionCursor OmissionTrack::cursorAt(const DrawTable &draws, size_t t) const
{
    OmissionCursor cursor(m_key);
    const size_t checkpoint = t / kCheckpointEvery;
    cursor.m_last = m_lastAt[checkpoint];
    cursor.m_draw = checkpoint * kCheckpointEvery;
    while (cursor.draw() < t)
        cursor.step(draws.packedDigits()[cursor.draw()]);
    return cursor;
}

Spread OmissionTrack::spreadBefore(size_t t, const DrawTable &draws) const
{
    Spread sum = m_checkpoints[t / kCheckpointEvery];
    OmissionCursor cursor = cursorAt(draws, t / kCheckpointEvery * kCheckpointEvery);
    const int rows = m_key.atPositions ? m_digits : 1;
    while (cursor.draw() < t) {
        const uint64_t marks = cursor.marks();
        std::array<int32_t, 5> marked{};
        for (int i = 0; i < rows; ++i)
            marked[size_t(i)] = std::popcount((marks >> (10 * i)) & DigitSet::kAll);
        switch (m_digits * 2 + int(m_key.atPositions)) {
        case 4:
            addSpread<2, false>(marked, sum);
            break;
        case 5:
            addSpread<2, true>(marked, sum);
            break;
        case 6:
            addSpread<3, false>(marked, sum);
            break;
        case 7:
            addSpread<3, true>(marked, sum);
            break;
        case 8:
            addSpread<4, false>(marked, sum);
            break;
        case 9:
            addSpread<4, true>(marked, sum);
            break;
        case 10:
            addSpread<5, false>(marked, sum);
            break;
        default:
            addSpread<5, true>(marked, sum);
            break;
        }
        cursor.step(draws.packedDigits()[cursor.draw()]);
    }
    return sum;
}

Spread OmissionTrack::spread(size_t begin, size_t end, const DrawTable &draws) const
{
    const Spread high = spreadBefore(end, draws);
    const Spread low = spreadBefore(begin, draws);
    Spread out{};
    for (size_t j = 0; j < out.size(); ++j)
        out[j] = high[j] - low[j];
    return out;
}

} // namespace quorlent::filter
