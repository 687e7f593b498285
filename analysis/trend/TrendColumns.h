#pragma once

#include "DrawCodes.h"

#include <bit>
#include <cstddef>

namespace quorlent::trend {

inline constexpr int kDigitValues = 10;
// The columns that count appearances: for each position ten digit columns (万位 0-9 first, 个位
// 0-9 last), then the ten columns of 号码分布, where a digit counts when it is drawn at any
// position.
inline constexpr int kSpreadFirst = kPositions * kDigitValues;
inline constexpr int kPresenceColumns = kSpreadFirst + kDigitValues;

constexpr int positionColumn(int position, int digit)
{
    return position * kDigitValues + digit;
}
constexpr int spreadColumn(int digit)
{
    return kSpreadFirst + digit;
}
constexpr bool isSpreadColumn(int column)
{
    return column >= kSpreadFirst;
}
// The position 0-4 of a position column; -1 for 号码分布.
constexpr int positionOf(int column)
{
    return isSpreadColumn(column) ? -1 : column / kDigitValues;
}
constexpr int digitOf(int column)
{
    return column % kDigitValues;
}

// Calls `seen(column)` once for every column the draw marks: its digit at each position, and each
// distinct digit it shows in 号码分布.
template <typename F> void forEachMarkedColumn(const Digits &digits, F &&seen)
{
    unsigned mask = 0;
    for (int p = 0; p < kPositions; ++p) {
        seen(size_t(positionColumn(p, digits[size_t(p)])));
        mask |= 1u << digits[size_t(p)];
    }
    for (; mask; mask &= mask - 1)
        seen(size_t(spreadColumn(std::countr_zero(mask))));
}

// The chance that a draw of five independent uniform digits shows the column's digit: 1/10 at one
// position; 1 - 0.9^5 anywhere in the draw.
constexpr double chanceOf(int column)
{
    return isSpreadColumn(column) ? 1.0 - 0.9 * 0.9 * 0.9 * 0.9 * 0.9 : 0.1;
}

} // namespace quorlent::trend
