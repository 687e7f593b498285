#include "ConjunctionShare.h"

#include "NumberTable.h"
#include "RepeatTable.h"

#include <algorithm>
#include <bit>

namespace quorlent::filter {

namespace {

constexpr size_t kChunkDraws = 1024;
constexpr size_t kChunkWords = kChunkDraws / 64;

uint32_t weightOf(const ConjunctionView &view, size_t i)
{
    return view.weights.empty() ? 1 : view.weights[i];
}

uint32_t beforeOf(const ConjunctionView &view, size_t draw, uint32_t none)
{
    if (view.firstHasNone)
        return draw == 0 ? none : view.before[draw - 1];
    return view.before[draw];
}

// The multisets the items fall in, and for each item its place among them.
struct ItemMultisets
{
    std::vector<uint32_t> multisets;
    std::vector<uint32_t> placeOfItem;
    std::vector<int64_t> weight; // Σ of the weights of the items in each
};

ItemMultisets multisetsOf(const ConjunctionView &view, const NumberTable &numbers)
{
    ItemMultisets out;
    std::vector<int32_t> place(numbers.multisetCount(), -1);
    out.placeOfItem.reserve(view.items.size());
    for (size_t i = 0; i < view.items.size(); ++i) {
        const uint16_t m = numbers.multiset(view.items[i]);
        if (place[m] < 0) {
            place[m] = int32_t(out.multisets.size());
            out.multisets.push_back(m);
            out.weight.push_back(0);
        }
        out.placeOfItem.push_back(uint32_t(place[m]));
        out.weight[size_t(place[m])] += weightOf(view, i);
    }
    return out;
}

// Without omission conditions the numbers passing at a draw depend on the draw before only
// through its multiset: count them once per multiset met.
int64_t repeatOnlyTotal(const ConjunctionView &view, const NumberTable &numbers)
{
    const RepeatTable &repeats = RepeatTable::of(numbers.digitCount());
    const ItemMultisets groups = multisetsOf(view, numbers);
    std::vector<int64_t> passing(numbers.multisetCount() + 1, -1);
    int64_t total = 0;
    for (size_t t = 0; t < view.draws; ++t) {
        const uint32_t before = beforeOf(view, t, repeats.none());
        int64_t &n = passing[before];
        if (n < 0) {
            const uint8_t *common = repeats.row(before);
            n = 0;
            for (size_t g = 0; g < groups.multisets.size(); ++g) {
                if ((view.repeatAllowed >> common[groups.multisets[g]]) & 1)
                    n += groups.weight[g];
            }
        }
        total += n;
    }
    return total;
}

// Counts 0-7 per bit, as three bit planes over the draws of a chunk.
struct Planes
{
    uint64_t bit[3][kChunkWords];
};

void addInto(const Planes &from, const uint64_t *x, size_t words, Planes &to)
{
    for (size_t w = 0; w < words; ++w) {
        uint64_t carry = x[w];
        for (int p = 0; p < 3; ++p) {
            const uint64_t b = from.bit[p][w];
            to.bit[p][w] = b ^ carry;
            carry &= b;
        }
    }
}

// acc &= (count is an allowed value), for counts 0 … digits. The allowed counts are a truth
// table of the three planes, evaluated as a multiplexer tree so that no branch depends on them:
// each leaf is one of 0, p0, ~p0, 1, picked by two table bits as masks.
void keepAllowed(const Planes &planes, uint64_t allowed, int digits, size_t words, uint64_t *acc)
{
    const uint64_t every = (uint64_t(2) << digits) - 1;
    allowed &= every;
    if (allowed == every)
        return;
    auto all = [allowed](int count) { return (allowed >> count) & 1 ? ~uint64_t(0) : 0; };
    // leaf[h]: the table for p2 p1 = h, as (value where p0 = 0, value where p0 = 1).
    uint64_t zero[4], one[4];
    for (int h = 0; h < 4; ++h) {
        zero[h] = all(2 * h);
        one[h] = all(2 * h + 1);
    }
    for (size_t w = 0; w < words; ++w) {
        const uint64_t p0 = planes.bit[0][w], p1 = planes.bit[1][w], p2 = planes.bit[2][w];
        uint64_t leaf[4];
        for (int h = 0; h < 4; ++h)
            leaf[h] = (zero[h] & ~p0) | (one[h] & p0);
        const uint64_t low = (leaf[0] & ~p1) | (leaf[1] & p1);
        const uint64_t high = (leaf[2] & ~p1) | (leaf[3] & p1);
        acc[w] &= (low & ~p2) | (high & p2);
    }
}

// Set bits of a word without a library call on processors without a population count
// instruction, where the one in the loop over items would be the larger part of the work.
inline int bitsSet(uint64_t x)
{
    x -= (x >> 1) & 0x5555555555555555;
    x = (x & 0x3333333333333333) + ((x >> 2) & 0x3333333333333333);
    x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0f;
    return int((x * 0x0101010101010101) >> 56);
}

// One omission condition within a chunk: for every (row, digit) the draws at which the digit is
// marked, and the running sums of marked positions along the digits of the current item.
struct MarkedChunk
{
    OmissionCursor cursor;             // before the chunk's next draw
    std::vector<uint64_t> drawsMarked; // [row · 10 + digit][word]
    std::vector<Planes> depth;         // depth[i]: the sum over the item's first i digits
};

} // namespace

uint64_t conjunctionWork(const ConjunctionView &view)
{
    if (view.marked.empty())
        return 0;
    const uint64_t words = (view.draws + 63) / 64;
    return (view.items.size() + (view.hasRepeat ? 2000 : 0)) * words;
}

std::optional<int64_t> conjunctionTotal(const ConjunctionView &view,
                                        const std::atomic<bool> *cancel)
{
    const int k = digitCount(view.part);
    const NumberTable &numbers = NumberTable::of(k);
    if (view.draws == 0 || view.items.empty())
        return 0;
    if (view.marked.empty()) {
        if (view.hasRepeat)
            return repeatOnlyTotal(view, numbers);
        int64_t all = 0;
        for (size_t i = 0; i < view.items.size(); ++i)
            all += weightOf(view, i);
        return all * int64_t(view.draws);
    }

    const RepeatTable *repeats = view.hasRepeat ? &RepeatTable::of(k) : nullptr;
    const ItemMultisets groups = view.hasRepeat ? multisetsOf(view, numbers) : ItemMultisets{};
    // For 重号: the draws whose draw before holds digit d at least j + 1 times, and per multiset
    // of the items the draws at which its repeat count is allowed.
    std::vector<uint64_t> holds(view.hasRepeat ? 10 * 5 * kChunkWords : 0);
    std::vector<uint64_t> repeatPasses(groups.multisets.size() * kChunkWords);
    std::vector<MarkedChunk> marked;
    for (size_t m = 0; m < view.marked.size(); ++m) {
        marked.push_back({view.marked[m].start, {}, {}});
        const int rows = view.marked[m].start.key().atPositions ? k : 1;
        marked[m].drawsMarked.resize(size_t(rows) * 10 * kChunkWords);
        marked[m].depth.assign(size_t(k + 1), Planes{});
    }
    uint64_t acc[kChunkWords];
    uint64_t valid[kChunkWords];
    int64_t total = 0;

    for (size_t start = 0; start < view.draws; start += kChunkDraws) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return std::nullopt;
        const size_t length = std::min(kChunkDraws, view.draws - start);
        const size_t words = (length + 63) / 64;
        for (size_t w = 0; w < words; ++w)
            valid[w] = w + 1 < words || length % 64 == 0 ? ~uint64_t(0)
                                                         : (uint64_t(1) << (length % 64)) - 1;

        if (repeats) {
            std::fill(holds.begin(), holds.end(), 0);
            for (size_t t = 0; t < length; ++t) {
                const uint32_t before = beforeOf(view, start + t, repeats->none());
                if (before == repeats->none())
                    continue;
                const uint64_t counts = numbers.digitCounts(before);
                for (int d = 0; d <= 9; ++d) {
                    const int c = int(counts >> (4 * d)) & 0xf;
                    for (int j = 0; j < c; ++j)
                        holds[size_t(d * 5 + j) * kChunkWords + t / 64] |= uint64_t(1) << (t % 64);
                }
            }
            for (size_t g = 0; g < groups.multisets.size(); ++g) {
                const uint64_t counts = numbers.digitCounts(groups.multisets[g]);
                Planes sum{};
                for (int d = 0; d <= 9; ++d) {
                    const int c = int(counts >> (4 * d)) & 0xf;
                    for (int j = 0; j < c; ++j)
                        addInto(sum, &holds[size_t(d * 5 + j) * kChunkWords], words, sum);
                }
                uint64_t *out = &repeatPasses[g * kChunkWords];
                std::copy(valid, valid + words, out);
                keepAllowed(sum, view.repeatAllowed, k, words, out);
            }
        }
        for (size_t m = 0; m < marked.size(); ++m) {
            auto &bits = marked[m].drawsMarked;
            std::fill(bits.begin(), bits.end(), 0);
            OmissionCursor &cursor = marked[m].cursor;
            for (size_t t = 0; t < length; ++t) {
                for (uint64_t rest = cursor.marks(); rest; rest &= rest - 1)
                    bits[size_t(std::countr_zero(rest)) * kChunkWords + t / 64] |= uint64_t(1)
                                                                                   << (t % 64);
                cursor.step(view.marked[m].digits[start + t]);
            }
        }

        uint32_t previousDigits = 0;
        for (size_t i = 0; i < view.items.size(); ++i) {
            if (cancel && i % 4096 == 4095 && cancel->load(std::memory_order_relaxed))
                return std::nullopt;
            const uint32_t digits = numbers.packedDigits(view.items[i]);
            // The running sums over the digits this item shares with the one before stand.
            int same = 0;
            if (i > 0) {
                while (same < k && ((digits ^ previousDigits) >> (4 * same) & 0xf) == 0)
                    ++same;
            }
            previousDigits = digits;
            if (repeats)
                std::copy_n(&repeatPasses[groups.placeOfItem[i] * kChunkWords], words, acc);
            else
                std::copy(valid, valid + words, acc);
            for (size_t m = 0; m < marked.size(); ++m) {
                MarkedChunk &chunk = marked[m];
                const bool atPositions = view.marked[m].start.key().atPositions;
                for (int p = std::min(same, k - 1); p < k; ++p) {
                    const int d = int(digits >> (4 * p)) & 0xf;
                    const size_t row = atPositions ? size_t(p) * 10 : 0;
                    addInto(chunk.depth[size_t(p)],
                            &chunk.drawsMarked[(row + size_t(d)) * kChunkWords], words,
                            chunk.depth[size_t(p + 1)]);
                }
                keepAllowed(chunk.depth[size_t(k)], view.marked[m].allowed, k, words, acc);
            }
            int64_t passing = 0;
            for (size_t w = 0; w < words; ++w)
                passing += bitsSet(acc[w] & valid[w]);
            total += passing * weightOf(view, i);
        }
    }
    return total;
}

} // namespace quorlent::filter
