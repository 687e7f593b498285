#pragma once

#include "DrawCodes.h"

#include <QString>
#include <array>

namespace quorlent::trend {

// The form of three digits: 豹子 all the same, 组三 exactly two the same, 组六 all different.
enum class Shape : uint8_t
{
    Triple,
    Pair,
    Distinct
};

Shape shapeOf(int a, int b, int c);
QString shapeName(Shape shape);

// What the chart shows of one draw besides its digits.
struct DrawFeatures
{
    int sum = 0;                      // 和值 0-45
    int span = 0;                     // 跨度: largest digit less smallest
    int big = 0;                      // digits 5-9; the rest (0-4) are small
    int odd = 0;                      // odd digits; the rest are even
    std::array<Shape, 3> shapes{};    // 前三 (positions 1-3), 中三 (2-4), 后三 (3-5)
    std::array<uint8_t, 10> counts{}; // how often each digit is drawn

    // "大:小" and "单:双", e.g. "3:2".
    QString bigSmallText() const;
    QString oddEvenText() const;
};

DrawFeatures featuresOf(const Digits &digits);

} // namespace quorlent::trend
