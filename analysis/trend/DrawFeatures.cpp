#include "DrawFeatures.h"

#include <algorithm>

namespace quorlent::trend {

Shape shapeOf(int a, int b, int c)
{
    if (a == b && b == c)
        return Shape::Triple;
    if (a == b || b == c || a == c)
        return Shape::Pair;
    return Shape::Distinct;
}

QString shapeName(Shape shape)
{
    switch (shape) {
    case Shape::Triple:
        return QStringLiteral("豹子");
    case Shape::Pair:
        return QStringLiteral("组三");
    case Shape::Distinct:
        break;
    }
    return QStringLiteral("组六");
}

QString DrawFeatures::bigSmallText() const
{
    return QStringLiteral("%1:%2").arg(big).arg(kPositions - big);
}

QString DrawFeatures::oddEvenText() const
{
    return QStringLiteral("%1:%2").arg(odd).arg(kPositions - odd);
}

DrawFeatures featuresOf(const Digits &digits)
{
    DrawFeatures f;
    int low = 9;
    int high = 0;
    for (uint8_t d : digits) {
        f.sum += d;
        low = std::min<int>(low, d);
        high = std::max<int>(high, d);
        f.big += d >= 5;
        f.odd += d % 2;
        if (d < f.counts.size())
            ++f.counts[d];
    }
    f.span = high - low;
    for (int i = 0; i < 3; ++i)
        f.shapes[size_t(i)] =
            shapeOf(digits[size_t(i)], digits[size_t(i + 1)], digits[size_t(i + 2)]);
    return f;
}

} // namespace quorlent::trend
