#include "NumberTable.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>

namespace quorlent::filter {

const NumberTable &NumberTable::of(int digitCount)
{
    switch (digitCount) {
    case 2: {
        static const NumberTable table(2);
        return table;
    }
    case 3: {
        static const NumberTable table(3);
        return table;
    }
    case 4: {
        static const NumberTable table(4);
        return table;
    }
    default: {
        static const NumberTable table(5);
        return table;
    }
    }
}

int NumberTable::commonDigits(uint64_t a, uint64_t b)
{
    // Per four-bit count (each at most 5): the high bit of (a | 8) - b says a >= b without a
    // borrow reaching the next count; the smaller counts then add up in the top four bits.
    constexpr uint64_t high = 0x8888888888;
    const uint64_t atLeast = ((a | high) - b) & high;
    const uint64_t takeB = (atLeast >> 3) * 0xf;
    const uint64_t smaller = (b & takeB) | (a & ~takeB & 0xffffffffff);
    return int((smaller * 0x1111111111) >> 36) & 0xf;
}

NumberTable::NumberTable(int digitCount) : m_digitCount(digitCount)
{
    uint32_t size = 1;
    for (int i = 0; i < digitCount; ++i)
        size *= 10;
    m_packed.resize(size);
    for (auto *v : {&m_sum, &m_span, &m_big, &m_odd, &m_prime, &m_mod3, &m_shape, &m_run})
        v->resize(size);
    m_mask.resize(size);
    m_multiset.resize(size);
    m_canonicalSet = Bitset(size);

    std::vector<int32_t> idOfCanonical(size, -1);
    constexpr uint16_t primes = (1 << 1) | (1 << 2) | (1 << 3) | (1 << 5) | (1 << 7);
    for (uint32_t n = 0; n < size; ++n) {
        std::array<int, 5> d{};
        uint32_t rest = n;
        for (int i = digitCount - 1; i >= 0; --i) {
            d[size_t(i)] = int(rest % 10);
            rest /= 10;
        }
        uint32_t packed = 0;
        int sum = 0, big = 0, odd = 0, prime = 0, c0 = 0, c1 = 0;
        uint16_t mask = 0;
        std::array<int, 10> counts{};
        uint64_t packedCounts = 0;
        for (int i = 0; i < digitCount; ++i) {
            const int x = d[size_t(i)];
            packed |= uint32_t(x) << (4 * i);
            sum += x;
            big += x >= 5;
            odd += x % 2;
            prime += (primes >> x) & 1;
            c0 += x % 3 == 0;
            c1 += x % 3 == 1;
            mask = uint16_t(mask | (1u << x));
            ++counts[size_t(x)];
            packedCounts += uint64_t(1) << (4 * x);
        }
        int run = 0, longest = 0;
        for (int x = 0; x <= 9; ++x) {
            run = (mask >> x) & 1 ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        std::array<int, 10> sorted = counts;
        std::sort(sorted.begin(), sorted.end(), std::greater<>());

        m_packed[n] = packed;
        m_sum[n] = uint8_t(sum);
        m_span[n] = uint8_t(31 - std::countl_zero(uint32_t(mask)) - std::countr_zero(mask));
        m_big[n] = uint8_t(big);
        m_odd[n] = uint8_t(odd);
        m_prime[n] = uint8_t(prime);
        m_mod3[n] = uint8_t(c0 * (digitCount + 1) + c1);
        m_shape[n] = uint8_t(shapeOfCounts(digitCount, sorted.data()));
        m_run[n] = uint8_t(longest);
        m_mask[n] = mask;

        uint32_t canonical = 0;
        for (int x = 0; x <= 9; ++x) {
            for (int c = 0; c < counts[size_t(x)]; ++c)
                canonical = canonical * 10 + uint32_t(x);
        }
        if (canonical == n) {
            // Ascending numbers come in ascending order, so ids follow the canonical values.
            idOfCanonical[n] = int32_t(m_canonical.size());
            m_canonical.push_back(n);
            m_counts.push_back(packedCounts);
            uint32_t orderings = 1;
            for (int i = 2; i <= digitCount; ++i)
                orderings *= uint32_t(i);
            for (int c : counts) {
                for (int i = 2; i <= c; ++i)
                    orderings /= uint32_t(i);
            }
            m_orderings.push_back(orderings);
            m_canonicalSet.set(n);
        }
        // The canonical value is never above n, so its id is known by now.
        m_multiset[n] = uint16_t(idOfCanonical[canonical]);
    }
}

} // namespace quorlent::filter
