#include "Bitset.h"

#include <algorithm>

namespace quorlent::filter {

namespace {

// The bits of word w that lie in [begin, end).
uint64_t rangeMask(size_t w, size_t begin, size_t end)
{
    uint64_t mask = ~uint64_t(0);
    if (begin > w * 64)
        mask &= ~uint64_t(0) << (begin - w * 64);
    if (end < w * 64 + 64)
        mask &= (uint64_t(1) << (end - w * 64)) - 1;
    return mask;
}

} // namespace

size_t Bitset::count() const
{
    size_t n = 0;
    for (uint64_t w : m_words)
        n += size_t(std::popcount(w));
    return n;
}

size_t Bitset::count(size_t begin, size_t end) const
{
    return countCommon({this}, begin, end);
}

size_t Bitset::countCommon(const std::vector<const Bitset *> &sets, size_t begin, size_t end)
{
    if (begin >= end)
        return 0;
    if (sets.empty())
        return end - begin;
    size_t n = 0;
    const size_t first = begin / 64;
    const size_t last = (end - 1) / 64;
    for (size_t w = first; w <= last; ++w) {
        uint64_t bits = rangeMask(w, begin, end);
        for (const Bitset *s : sets)
            bits &= s->m_words[w];
        n += size_t(std::popcount(bits));
    }
    return n;
}

Bitset &Bitset::operator&=(const Bitset &other)
{
    const size_t n = std::min(m_words.size(), other.m_words.size());
    for (size_t w = 0; w < n; ++w)
        m_words[w] &= other.m_words[w];
    return *this;
}

void Bitset::fill()
{
    std::fill(m_words.begin(), m_words.end(), ~uint64_t(0));
    if (m_size % 64)
        m_words.back() &= (uint64_t(1) << (m_size % 64)) - 1;
}

} // namespace quorlent::filter
