#pragma once

#include "Bitset.h"
#include "Shape.h"

#include <cstdint>
#include <vector>

namespace quorlent::filter {

// What the conditions read of every number of `digitCount` digits, worked out once per digit
// count and shared (read-only, by any thread). Numbers are the part values of FilterPart.h;
// digit i is the i-th from the left. A multiset of digits (a 组选 number) has an id: the multisets
// are numbered in the order of their ascending-digit values, 00000 first.
class NumberTable
{
  public:
    static const NumberTable &of(int digitCount);

    int digitCount() const { return m_digitCount; }
    uint32_t size() const { return uint32_t(m_packed.size()); }

    int digit(uint32_t n, int i) const { return int(m_packed[n] >> (4 * i)) & 0xf; }
    // The digits as four bits each, digit i at bits 4i.
    uint32_t packedDigits(uint32_t n) const { return m_packed[n]; }
    int sum(uint32_t n) const { return m_sum[n]; }
    int span(uint32_t n) const { return m_span[n]; }
    int big(uint32_t n) const { return m_big[n]; }     // digits 5-9
    int odd(uint32_t n) const { return m_odd[n]; }     // odd digits
    int prime(uint32_t n) const { return m_prime[n]; } // digits 1 2 3 5 7
    // c0·(digits+1)+c1 for c0 digits ≡ 0 and c1 ≡ 1 (mod 3): the bit readRatios gives c0:c1:c2.
    int mod3(uint32_t n) const { return m_mod3[n]; }
    Shape shape(uint32_t n) const { return Shape(m_shape[n]); }
    int run(uint32_t n) const { return m_run[n]; } // longest run of consecutive distinct digits
    uint16_t digitMask(uint32_t n) const { return m_mask[n]; }
    uint16_t multiset(uint32_t n) const { return m_multiset[n]; }

    uint32_t multisetCount() const { return uint32_t(m_canonical.size()); }
    // The multiset's number with its digits ascending.
    uint32_t canonical(uint32_t multiset) const { return m_canonical[multiset]; }
    // How many numbers are orderings of the multiset.
    uint32_t orderings(uint32_t multiset) const { return m_orderings[multiset]; }
    // How often each digit d occurs, four bits each at bits 4d.
    uint64_t digitCounts(uint32_t multiset) const { return m_counts[multiset]; }
    // The numbers whose digits are in ascending order: one per multiset.
    const Bitset &canonicalNumbers() const { return m_canonicalSet; }

    // The multiset intersection size of two multisets' digits.
    static int commonDigits(uint64_t countsA, uint64_t countsB);

  private:
    explicit NumberTable(int digitCount);

    int m_digitCount = 0;
    std::vector<uint32_t> m_packed;
    std::vector<uint8_t> m_sum, m_span, m_big, m_odd, m_prime, m_mod3, m_shape, m_run;
    std::vector<uint16_t> m_mask, m_multiset;
    std::vector<uint32_t> m_canonical, m_orderings;
    std::vector<uint64_t> m_counts;
    Bitset m_canonicalSet;
};

} // namespace quorlent::filter
