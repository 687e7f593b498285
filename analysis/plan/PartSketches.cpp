#include "PartSketches.h"

#include "Play.h"

#include <algorithm>
#include <bit>

namespace quorlent::plan {

namespace {

using ClassBits = std::array<uint64_t, 4>;

// The multisets of three digits in ascending order, and the bit of every number's.
struct TripleTable
{
    std::array<uint8_t, 1000> classOf{};
    std::array<ClassBits, 3> shapes{}; // the multisets of each shape
    // The first two digits a <= b of a number (10a + b), and by them and each half of the set of
    // last digits that follow them (c < 5, c >= 5: five bits), the multisets those numbers make.
    std::array<uint8_t, 55> pairs{};
    std::array<std::array<std::array<ClassBits, 32>, 2>, 55> byPair{};

    TripleTable()
    {
        std::array<uint8_t, 1000> ofSorted{};
        size_t k = 0;
        for (int x = 0; x < 10; ++x) {
            for (int y = x; y < 10; ++y) {
                for (int z = y; z < 10; ++z) {
                    const auto shape = size_t((x != y) + (y != z));
                    shapes[shape][k >> 6] |= uint64_t(1) << (k & 63);
                    ofSorted[size_t(100 * x + 10 * y + z)] = uint8_t(k++);
                }
            }
        }
        for (uint32_t v = 0; v < 1000; ++v)
            classOf[v] = ofSorted[canonicalOf(v, 3)];
        size_t p = 0;
        for (int a = 0; a < 10; ++a) {
            for (int b = a; b < 10; ++b, ++p) {
                pairs[p] = uint8_t(10 * a + b);
                for (size_t half = 0; half < 2; ++half) {
                    for (uint32_t set = 0; set < 32; ++set) {
                        for (uint32_t c = 0; c < 5; ++c) {
                            if (!((set >> c) & 1))
                                continue;
                            const uint8_t bit = classOf[size_t(100 * a + 10 * b) + 5 * half + c];
                            byPair[p][half][set][bit >> 6] |= uint64_t(1) << (bit & 63);
                        }
                    }
                }
            }
        }
    }
};

const TripleTable &tripleTable()
{
    static const TripleTable table;
    return table;
}

// How many bits of ten are set, without a library call where the processor is not told of an
// instruction for it.
struct TenBits
{
    std::array<uint8_t, 1024> count{};
    TenBits()
    {
        for (size_t v = 1; v < count.size(); ++v)
            count[v] = uint8_t(count[v >> 1] + (v & 1));
    }
};

const TenBits &tenBits()
{
    static const TenBits table;
    return table;
}

// How many multisets of each shape (x = y, x < y) a pair's rows show: bit y of rows[x] for the
// pair x, y.
void countPairShapes(const std::array<uint16_t, 10> &rows, uint8_t *shapes)
{
    std::array<uint16_t, 10> columns{};
    for (int x = 0; x < 10; ++x) {
        for (int y = 0; y < 10; ++y)
            columns[size_t(y)] = uint16_t(columns[size_t(y)] | (((rows[size_t(x)] >> y) & 1) << x));
    }
    for (int x = 0; x < 10; ++x) {
        const uint32_t upper =
            uint32_t(rows[size_t(x)] | columns[size_t(x)]) & (0x3ffu << x) & 0x3ff;
        shapes[0] = uint8_t(shapes[0] + ((upper >> x) & 1));
        shapes[1] = uint8_t(shapes[1] + tenBits().count[upper & ~(1u << x)]);
    }
}

} // namespace

int PartSketches::shapeOf(uint32_t sorted, int length)
{
    const auto d = digitsOf(sorted, length);
    int shape = 0;
    for (int i = 1; i < length; ++i)
        shape += d[size_t(i)] != d[size_t(i - 1)];
    return shape;
}

int PartSketches::startOf(int playFirst, int playCount) const
{
    if (playFirst < m_first || playFirst + playCount > m_first + m_count)
        return -1;
    return playFirst - m_first + 3 - m_count;
}

std::optional<PartSketches> PartSketches::of(const std::vector<HistoryRow> &rows,
                                             const PlanProposals &proposals)
{
    const std::vector<Proposal> &pool = proposals.pool;
    if (pool.empty())
        return std::nullopt;
    const Proposal &front = pool.front();
    for (const Proposal &p : pool) {
        if (p.form != Proposal::Form::Numbers || p.group || p.first != front.first ||
            p.count != front.count || front.count > 3)
            return std::nullopt;
    }
    PartSketches s;
    s.m_first = front.first;
    s.m_count = front.count;
    // Only what some play within the part reads is counted.
    std::array<bool, 2> pairs{}, pairGroups{};
    for (const Play &play : plays()) {
        const int at = s.startOf(play.first, play.count);
        if (at >= 0 && play.count == 2)
            (play.kind == PlayKind::Direct ? pairs : pairGroups)[size_t(at)] = true;
    }
    const size_t n = pool.size();
    s.m_digits.assign(n * 3, 0);
    s.m_numbers.assign(n, 0);
    s.m_counts.assign(n * kCounts, 0);
    const bool triples = s.m_count == 3;
    const TripleTable &table = tripleTable();

    // Each number's last digit by the number of its first two (a group of ten bits, bit c for
    // the digit c): the words read ten bits at a time.
    const int groups = s.m_count == 3 ? 100 : s.m_count == 2 ? 10 : 1;
    std::array<uint16_t, 100> q{};
    std::array<uint64_t, 17> words{};
    for (size_t i = 0; i < n; ++i) {
        const std::vector<uint64_t> &bits = pool[i].bits;
        std::copy(bits.begin(), bits.end(), words.begin());
        uint32_t numbers = 0;
        for (uint64_t w : bits)
            numbers += uint32_t(std::popcount(w));
        s.m_numbers[i] = uint16_t(numbers);
        for (int g = 0; g < groups; ++g) {
            const int at = 10 * g;
            uint64_t v = words[size_t(at >> 6)] >> (at & 63);
            if ((at & 63) > 54)
                v |= words[size_t(at >> 6) + 1] << (64 - (at & 63));
            q[size_t(g)] = uint16_t(v & 0x3ff);
        }
        // Rows of the first two positions (bit b of row a) and of the last two (bit c of row b).
        std::array<uint16_t, 10> firstTwo{}, lastTwo{};
        uint16_t d0 = 0, d1 = 0, d2 = 0;
        for (int a = 0; a < 10; ++a) {
            for (int b = 0; b < 10; ++b) {
                const uint16_t c = q[size_t(10 * a + b)];
                firstTwo[size_t(a)] = uint16_t(firstTwo[size_t(a)] | (uint16_t(c != 0) << b));
                lastTwo[size_t(b)] = uint16_t(lastTwo[size_t(b)] | c);
            }
            d0 = uint16_t(d0 | (uint16_t(firstTwo[size_t(a)] != 0) << a));
            d1 = uint16_t(d1 | firstTwo[size_t(a)]);
        }
        for (int b = 0; b < 10; ++b)
            d2 = uint16_t(d2 | lastTwo[size_t(b)]);
        s.m_digits[i * 3] = d0;
        s.m_digits[i * 3 + 1] = d1;
        s.m_digits[i * 3 + 2] = d2;
        const std::array<const std::array<uint16_t, 10> *, 2> pairRows{&firstTwo, &lastTwo};
        for (int at = 0; at < 2; ++at) {
            uint8_t *counts = &s.m_counts[i * kCounts + size_t(3 * at)];
            if (pairs[size_t(at)]) {
                for (uint16_t row : *pairRows[size_t(at)])
                    counts[0] = uint8_t(counts[0] + tenBits().count[row]);
            }
            if (pairGroups[size_t(at)])
                countPairShapes(*pairRows[size_t(at)], counts + 1);
        }
        if (!triples)
            continue;
        // The multisets of numbers a b c and b a c alike, by a <= b and the set of c.
        ClassBits classes{};
        for (size_t p = 0; p < table.pairs.size(); ++p) {
            const uint8_t ab = table.pairs[p];
            const uint32_t set = uint32_t(q[ab] | q[size_t(ab % 10 * 10 + ab / 10)]);
            const ClassBits &low = table.byPair[p][0][set & 31];
            const ClassBits &high = table.byPair[p][1][set >> 5];
            for (size_t w = 0; w < 4; ++w)
                classes[w] |= low[w] | high[w];
        }
        for (size_t shape = 0; shape < 3; ++shape) {
            int count = 0;
            for (size_t w = 0; w < 4; ++w)
                count += std::popcount(classes[w] & table.shapes[shape][w]);
            s.m_counts[i * kCounts + 6 + shape] = uint8_t(count);
        }
    }
    s.heldOfRows(rows, proposals);
    return s;
}

void PartSketches::heldOfRows(const std::vector<HistoryRow> &rows, const PlanProposals &proposals)
{
    const int pad = 3 - m_count; // positions before the part's, always 0
    m_held.assign(proposals.rowCount(), 0);
    for (size_t row = 0; row < proposals.rowCount(); ++row) {
        const uint32_t index = proposals.byRow[row];
        if (index == PlanProposals::kNone)
            continue;
        const uint64_t *bits = proposals.pool[index].bits.data();
        const Digits &digits = rows[proposals.begin + row].digits();
        std::array<int, 3> d{};
        for (int i = pad; i < 3; ++i)
            d[size_t(i)] = digits[size_t(m_first + i - pad)];
        auto holds = [&](int a, int b, int c) {
            const auto n = uint32_t(100 * a + 10 * b + c);
            return (bits[n >> 6] >> (n & 63)) & 1;
        };
        uint64_t held = holds(d[0], d[1], d[2]) * Number;
        for (int at = pad; at < 2; ++at) {
            // The position left free, unless it is before the part.
            const int free = at == 0 ? 2 : 0;
            const int last = free < pad ? 0 : 9;
            uint64_t direct = 0, either = 0;
            for (int t = 0; t <= last; ++t) {
                std::array<int, 3> e = d;
                e[size_t(free)] = t;
                direct |= holds(e[0], e[1], e[2]);
                std::swap(e[size_t(at)], e[size_t(at + 1)]);
                either |= holds(e[0], e[1], e[2]);
            }
            held |= direct * (Pair << at) | (direct | either) * (PairGroup << at);
        }
        if (m_count == 3) {
            std::array<int, 3> e = d;
            std::sort(e.begin(), e.end());
            uint64_t any = 0;
            do
                any |= holds(e[0], e[1], e[2]);
            while (std::next_permutation(e.begin(), e.end()));
            held |= any * Triple;
        }
        m_held[row] = uint8_t(held);
    }
}

} // namespace quorlent::plan
