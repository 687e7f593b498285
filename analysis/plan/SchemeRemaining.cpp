#include "SchemeRemaining.h"

#include "Bitset.h"
#include "CompiledCondition.h"
#include "NumberTable.h"
#include "PassTable.h"
#include "RepeatTable.h"

#include <array>

namespace quorlent::plan {

using namespace filter;

SchemeRemaining::SchemeRemaining(const std::vector<HistoryRow> &rows, const ConditionSet &set)
    : m_rows(rows), m_digits(digitCount(set.part)), m_table(set.part)
{
    const NumberTable &numbers = NumberTable::of(m_digits);
    m_words = (size_t(numbers.size()) + 63) / 64;
    if (numbers.size() % 64)
        m_lastWord = (uint64_t(1) << (numbers.size() % 64)) - 1;
    m_table.extend(rows, rows.size());

    Bitset fixed(numbers.size());
    fixed.fill();
    for (const Condition &condition : set.conditions) {
        if (!condition.enabled)
            continue;
        const Compilation compiled = compile(condition, set.part, set.selection);
        if (!compiled.compiled)
            continue;
        const CompiledCondition &c = *compiled.compiled;
        if (c.kind == ConditionKind::Repeat) {
            m_repeatAllowed.push_back(c.allowed);
        } else if (formOf(c.kind) == KindForm::Omission) {
            m_omissions.push_back({OmissionCursor({set.part, c.threshold,
                                                   c.kind == ConditionKind::Hot, c.atPositions}),
                                   c.allowed, c.atPositions ? 10 : 0});
        } else {
            fixed &= passingNumbers(c, numbers);
        }
    }
    if (set.selection == Selection::Group)
        fixed &= numbers.canonicalNumbers();
    m_fixed = fixed.words();
    m_dependent = !m_repeatAllowed.empty() || !m_omissions.empty();
    m_byPrevious.resize(size_t(numbers.multisetCount()) + 1);

    if (!m_omissions.empty()) {
        m_cylinders.assign(size_t(m_digits) * 10 * m_words, 0);
        for (uint32_t n = 0; n < numbers.size(); ++n) {
            for (int i = 0; i < m_digits; ++i) {
                const size_t at = (size_t(i) * 10 + size_t(numbers.digit(n, i))) * m_words;
                m_cylinders[at + n / 64] |= uint64_t(1) << (n % 64);
            }
        }
    }
}

void SchemeRemaining::skipTo(size_t t)
{
    const std::vector<uint32_t> &packed = m_table.packedDigits();
    for (Omission &o : m_omissions) {
        for (size_t d = m_draw; d < t; ++d)
            o.cursor.step(packed[d]);
    }
    m_draw = t;
}

const std::vector<uint64_t> &SchemeRemaining::withRepeats(uint32_t previous)
{
    std::optional<std::vector<uint64_t>> &known = m_byPrevious[previous];
    if (!known) {
        const NumberTable &numbers = NumberTable::of(m_digits);
        const uint8_t *common = RepeatTable::of(m_digits).row(previous);
        std::vector<uint64_t> words = m_fixed;
        for (const uint64_t allowed : m_repeatAllowed) {
            const Bitset passing = numbersWithAllowedCount(
                allowed, numbers, [&](uint32_t n) { return common[numbers.multiset(n)]; });
            for (size_t w = 0; w < m_words; ++w)
                words[w] &= passing.words()[w];
        }
        known = std::move(words);
    }
    return *known;
}

const std::vector<uint64_t> &SchemeRemaining::next()
{
    const std::vector<uint64_t> &base = withRepeats(m_table.previousMultiset(m_draw));
    const std::vector<uint64_t> *out = &base;
    if (!m_omissions.empty()) {
        m_out = base;
        std::array<const uint64_t *, 10 * kPositions> marked{};
        for (Omission &o : m_omissions) {
            // For each position its marked digits' numbers; then, word by word, the count of
            // marked positions in three bit planes, and the numbers whose count is allowed.
            const uint64_t marks = o.cursor.marks();
            std::array<int, kPositions> markedAt{};
            for (int i = 0; i < m_digits; ++i) {
                for (int d = 0; d < 10; ++d) {
                    if ((marks >> (o.rowStep * i + d)) & 1)
                        marked[size_t(i * 10 + markedAt[size_t(i)]++)] =
                            &m_cylinders[(size_t(i) * 10 + size_t(d)) * m_words];
                }
            }
            for (size_t w = 0; w < m_words; ++w) {
                uint64_t p0 = 0, p1 = 0, p2 = 0;
                for (int i = 0; i < m_digits; ++i) {
                    uint64_t a = 0;
                    for (int j = 0; j < markedAt[size_t(i)]; ++j)
                        a |= marked[size_t(i * 10 + j)][w];
                    const uint64_t c0 = p0 & a;
                    p0 ^= a;
                    const uint64_t c1 = p1 & c0;
                    p1 ^= c0;
                    p2 |= c1;
                }
                uint64_t pass = 0;
                for (int c = 0; c <= m_digits; ++c) {
                    if ((o.allowed >> c) & 1)
                        pass |= (c & 1 ? p0 : ~p0) & (c & 2 ? p1 : ~p1) & (c & 4 ? p2 : ~p2);
                }
                m_out[w] &= pass;
            }
        }
        m_out.back() &= m_lastWord;
        out = &m_out;
    }
    skipTo(m_draw + 1 <= m_rows.size() ? m_draw + 1 : m_draw);
    return *out;
}

} // namespace quorlent::plan
