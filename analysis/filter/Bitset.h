#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorlent::filter {

// A fixed-size set of bits: which numbers of a part pass, which draws of the history pass.
class Bitset
{
  public:
    Bitset() = default;
    explicit Bitset(size_t size) : m_words((size + 63) / 64), m_size(size) {}

    size_t size() const { return m_size; }
    // Grows to `size` bits, the new ones clear.
    void resize(size_t size)
    {
        m_words.resize((size + 63) / 64);
        if (size < m_size && size % 64)
            m_words.back() &= (uint64_t(1) << (size % 64)) - 1;
        m_size = size;
    }
    bool test(size_t i) const { return (m_words[i / 64] >> (i % 64)) & 1u; }
    void set(size_t i) { m_words[i / 64] |= uint64_t(1) << (i % 64); }
    void assign(size_t i, bool value)
    {
        const uint64_t bit = uint64_t(1) << (i % 64);
        m_words[i / 64] = value ? m_words[i / 64] | bit : m_words[i / 64] & ~bit;
    }
    // Grows to `size` bits, bit i for i from the old size on being `bitOf(i)`, a word at a time.
    template <typename F> void appendBits(size_t size, F &&bitOf)
    {
        size_t i = m_size;
        resize(size);
        for (; i < size && i % 64; ++i)
            assign(i, bitOf(i));
        for (; i + 64 <= size; i += 64) {
            uint64_t word = 0;
            for (size_t b = 0; b < 64; ++b)
                word |= uint64_t(bitOf(i + b) ? 1 : 0) << b;
            m_words[i / 64] = word;
        }
        for (; i < size; ++i)
            assign(i, bitOf(i));
    }
    size_t count() const;
    // Set bits among [begin, end).
    size_t count(size_t begin, size_t end) const;
    // Set bits among [begin, end) that are set in every one of `sets` (all of this size); the
    // whole range without sets.
    static size_t countCommon(const std::vector<const Bitset *> &sets, size_t begin, size_t end);
    Bitset &operator&=(const Bitset &other);
    void fill();

    const std::vector<uint64_t> &words() const { return m_words; }
    // Calls `f(i)` for every set bit, ascending.
    template <typename F> void forEach(F &&f) const
    {
        for (size_t w = 0; w < m_words.size(); ++w) {
            for (uint64_t bits = m_words[w]; bits; bits &= bits - 1)
                f(w * 64 + size_t(std::countr_zero(bits)));
        }
    }

  private:
    std::vector<uint64_t> m_words;
    size_t m_size = 0;
};

} // namespace quorlent::filter
