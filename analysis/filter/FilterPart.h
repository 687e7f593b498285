#pragma once

#include "DrawCodes.h"

#include <QString>

#include <array>
#include <cstdint>

namespace quorlent::filter {

// The run of neighbouring positions of a draw the filter looks at. Every part is contiguous, so
// it is its first position and its length.
enum class FilterPart : uint8_t
{
    Five,        // 五星: positions 1-5
    FrontFour,   // 前四: 1-4
    BackFour,    // 后四: 2-5
    FrontThree,  // 前三: 1-3
    MiddleThree, // 中三: 2-4
    BackThree,   // 后三: 3-5
    FrontTwo,    // 前二: 1-2
    BackTwo      // 后二: 4-5
};

inline constexpr std::array<FilterPart, 8> kAllParts{
    FilterPart::Five,        FilterPart::FrontFour, FilterPart::BackFour, FilterPart::FrontThree,
    FilterPart::MiddleThree, FilterPart::BackThree, FilterPart::FrontTwo, FilterPart::BackTwo};

// The draw position (0 = 万位 … 4 = 个位) of the part's first digit.
int firstPosition(FilterPart part);
// How many digits the part has: 2 to 5.
int digitCount(FilterPart part);
// How many numbers the part has: 10^digitCount.
uint32_t partSize(FilterPart part);
// "五星", "前四", …
QString partName(FilterPart part);
// "万位" … "个位" for draw position 0-4.
QString positionName(int drawPosition);

// A number of a part is held as its digits read as a decimal number, first position first: the
// 前三 of 3 0 7 x x is 307. This is also the order the numbers are listed in.
uint32_t partValue(FilterPart part, const Digits &digits);

} // namespace quorlent::filter
