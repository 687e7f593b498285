#pragma once

#include <QString>

#include <bit>
#include <cstdint>
#include <initializer_list>

namespace quorlent::filter {

// A set of the digits 0-9, as the ten low bits of a mask.
class DigitSet
{
  public:
    static constexpr uint16_t kAll = 0x3ff;

    constexpr DigitSet() = default;
    constexpr DigitSet(std::initializer_list<int> digits)
    {
        for (int d : digits)
            insert(d);
    }
    static constexpr DigitSet fromMask(uint16_t mask)
    {
        DigitSet set;
        set.m_mask = mask & kAll;
        return set;
    }
    static constexpr DigitSet all() { return fromMask(kAll); }
    // The digits of a text such as "0157"; anything else in it is ignored.
    static DigitSet fromText(const QString &text)
    {
        DigitSet set;
        for (QChar c : text) {
            if (c.isDigit())
                set.insert(c.digitValue());
        }
        return set;
    }

    constexpr uint16_t mask() const { return m_mask; }
    constexpr bool contains(int digit) const { return (m_mask >> digit) & 1u; }
    constexpr int size() const { return std::popcount(m_mask); }
    constexpr bool empty() const { return m_mask == 0; }
    constexpr void insert(int digit)
    {
        if (digit >= 0 && digit <= 9)
            m_mask = uint16_t(m_mask | (1u << digit));
    }
    // The digits in ascending order without separators: "0157".
    QString text() const
    {
        QString out;
        for (int d = 0; d <= 9; ++d) {
            if (contains(d))
                out += QChar(u'0' + d);
        }
        return out;
    }

    constexpr bool operator==(const DigitSet &) const = default;

  private:
    uint16_t m_mask = 0;
};

} // namespace quorlent::filter
