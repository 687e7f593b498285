#include "OutcomeIndex.h"

#include <algorithm>
#include <bit>

namespace quorlent {

namespace {

constexpr unsigned kAllPositions = (1u << kPositions) - 1;

int choose(int n, int k)
{
    if (k < 0 || k > n)
        return 0;
    int result = 1;
    for (int i = 1; i <= k; ++i)
        result = result * (n - k + i) / i;
    return result;
}

// Whether `mask` over the first `size` sorted values picks repeated values by their first copies,
// so that each distinct sub-multiset has exactly one mask.
bool firstCopies(unsigned mask, const std::array<int, kPositions> &sorted, int size)
{
    for (int i = 1; i < size; ++i) {
        if (sorted[i] == sorted[i - 1] && (mask >> i & 1u) && !(mask >> (i - 1) & 1u))
            return false;
    }
    return true;
}

// The weight of the count kept under an agreement Z in the number of rows whose whole agreement
// with the reference has at least `width` elements. The agreement of a row is the overlap of its
// compared draw with the reference: a sub-multiset of the reference values (自由位), or a set of
// positions (固定位). A row is counted under every Z within its agreement; by Möbius inversion
// on the sub-multisets, the rows whose agreement is exactly Y are the count at Y, less the counts
// at Y plus one further copy of each of a non-empty set of distinct values, with alternating
// signs. Summed over every Y of at least `width` elements, Z of `size` elements and `distinct`
// different values gets the sum of (-1)^j C(distinct, j) over the j that leave at least `width`.
// For distinct elements (positions) this is (-1)^(size - width) C(size - 1, width - 1).
int inclusionExclusion(int size, int distinct, int width)
{
    int sum = 0;
    for (int j = 0; j <= std::min(distinct, size - width); ++j)
        sum += (j % 2 ? -1 : 1) * choose(distinct, j);
    return sum;
}

int distinctValues(unsigned mask, const std::array<int, kPositions> &sorted, int size)
{
    int distinct = 0;
    int last = -1;
    for (int i = 0; i < size; ++i) {
        if ((mask >> i & 1u) && (distinct == 0 || sorted[i] != last)) {
            ++distinct;
            last = sorted[i];
        }
    }
    return distinct;
}

} // namespace

OutcomeIndex::OutcomeIndex(const std::vector<HistoryRow> &rows, const SearchRequest &request,
                           Rule rule, const TallySlots &outcomes)
    : m_rows(rows), m_tally(outcomes), m_compared(rows, request.previousDraw, request.distance()),
      m_rule(rule), m_kind(request.kind), m_free(request.freePositions),
      m_slots(kindValueCount(request.kind)), m_stride(outcomes.size() + 1)
{
    if (rule == Rule::Follow) {
        for (int p = 0; p < kPositions; ++p) {
            if (request.selected[p])
                m_selected |= 1u << p;
        }
        m_width = std::popcount(m_selected);
    } else {
        m_width = request.combinationWidth;
        if (m_width < 1 || m_width > kPositions)
            return; // no combination: nothing is ever counted
    }
    m_power[0] = 1;
    for (int i = 0; i < kPositions; ++i)
        m_power[i + 1] = m_power[i] * static_cast<uint32_t>(m_slots + 1);
    m_counts.assign(m_power[kPositions] * m_stride, 0);
}

uint32_t OutcomeIndex::positionKey(unsigned mask, const Values &values) const
{
    uint32_t key = 0;
    for (int p = 0; p < kPositions; ++p) {
        if (mask >> p & 1u)
            key += static_cast<uint32_t>(values[p] + 1) * m_power[p];
    }
    return key;
}

uint32_t OutcomeIndex::multisetKey(unsigned mask, const Values &sorted) const
{
    uint32_t key = 0;
    int rank = 0;
    for (int i = 0; i < kPositions; ++i) {
        if (mask >> i & 1u)
            key += static_cast<uint32_t>(sorted[i] + 1) * m_power[rank++];
    }
    return key;
}

int OutcomeIndex::sortedValues(const PositionValues &draw, Values &sorted) const
{
    // A stored value outside the kind's range never meets a reference value.
    int size = 0;
    for (uint8_t v : draw) {
        if (inRange(v))
            sorted[size++] = v;
    }
    std::sort(sorted.begin(), sorted.begin() + size);
    return size;
}

void OutcomeIndex::add(size_t r)
{
    if (m_counts.empty())
        return;
    std::array<uint32_t, 32> keys{};
    int keyCount = 0;

    if (m_rule == Rule::Follow && m_selected == 0) {
        keys[keyCount++] = 0; // every row is a hit, with or without a compared draw
    } else if (m_free) {
        const HistoryRow *source = m_compared.describingRow(r);
        if (!source)
            return;
        Values sorted{};
        const int size = sortedValues(source->previous[m_kind], sorted);
        for (unsigned mask = 1; mask < (1u << size); ++mask) {
            const int picked = std::popcount(mask);
            const bool wanted = m_rule == Rule::Follow ? picked == m_width : picked >= m_width;
            if (wanted && firstCopies(mask, sorted, size))
                keys[keyCount++] = multisetKey(mask, sorted);
        }
    } else {
        if (!m_compared.passesFixedGuard(r))
            return;
        Values shifted{};
        unsigned usable = 0;
        for (int p = 0; p < kPositions; ++p) {
            shifted[p] = m_compared.shiftedValue(r, m_kind, p);
            if (inRange(shifted[p]))
                usable |= 1u << p;
        }
        if (m_rule == Rule::Follow) {
            if ((m_selected & usable) == m_selected)
                keys[keyCount++] = positionKey(m_selected, shifted);
        } else {
            for (unsigned mask = 1; mask <= kAllPositions; ++mask) {
                if (std::popcount(mask) >= m_width && (mask & usable) == mask)
                    keys[keyCount++] = positionKey(mask, shifted);
            }
        }
    }

    const HistoryRow &row = m_rows[r];
    const size_t outcomes = m_stride - 1;
    for (int i = 0; i < keyCount; ++i) {
        int32_t *counts = &m_counts[keys[i] * m_stride];
        m_tally.forEach(row, [counts](size_t slot) { ++counts[slot]; });
        ++counts[outcomes];
    }
}

int64_t OutcomeIndex::query(const std::array<int, kPositions> &reference,
                            std::span<int64_t> counts) const
{
    std::fill(counts.begin(), counts.end(), 0);
    if (m_counts.empty())
        return 0;
    std::array<uint32_t, 32> keys{};
    std::array<int, 32> coefficients{};
    int keyCount = 0;

    if (m_rule == Rule::Follow) {
        if (m_selected == 0) {
            keys[keyCount++] = 0;
        } else {
            Values picked{};
            int size = 0;
            for (int p = 0; p < kPositions; ++p) {
                if (!(m_selected >> p & 1u))
                    continue;
                if (!inRange(reference[p]))
                    return 0; // a condition no row can meet
                picked[size++] = reference[p];
            }
            if (m_free) {
                std::sort(picked.begin(), picked.begin() + size);
                keys[keyCount++] = multisetKey((1u << size) - 1, picked);
            } else {
                keys[keyCount++] = positionKey(m_selected, reference);
            }
        }
        coefficients[0] = 1;
    } else if (m_free) {
        // The reference values within range; out-of-range ones match nothing.
        Values sorted{};
        int size = 0;
        for (int v : reference) {
            if (inRange(v))
                sorted[size++] = v;
        }
        std::sort(sorted.begin(), sorted.begin() + size);
        for (unsigned mask = 1; mask < (1u << size); ++mask) {
            const int picked = std::popcount(mask);
            if (picked < m_width || !firstCopies(mask, sorted, size))
                continue;
            const int c = inclusionExclusion(picked, distinctValues(mask, sorted, size), m_width);
            if (c != 0) {
                keys[keyCount] = multisetKey(mask, sorted);
                coefficients[keyCount++] = c;
            }
        }
    } else {
        unsigned usable = 0;
        for (int p = 0; p < kPositions; ++p) {
            if (inRange(reference[p]))
                usable |= 1u << p;
        }
        for (unsigned mask = 1; mask <= kAllPositions; ++mask) {
            const int picked = std::popcount(mask);
            if (picked < m_width || (mask & usable) != mask)
                continue;
            keys[keyCount] = positionKey(mask, reference);
            coefficients[keyCount++] = inclusionExclusion(picked, picked, m_width);
        }
    }

    const size_t outcomes = m_stride - 1;
    int64_t hits = 0;
    for (int i = 0; i < keyCount; ++i) {
        const int32_t *stored = &m_counts[keys[i] * m_stride];
        for (size_t slot = 0; slot < outcomes; ++slot)
            counts[slot] += int64_t{coefficients[i]} * stored[slot];
        hits += int64_t{coefficients[i]} * stored[outcomes];
    }
    return hits;
}

} // namespace quorlent
