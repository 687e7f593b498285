#include "FilterPart.h"

namespace quorlent::filter {

namespace {

struct PartLayout
{
    int first;
    int count;
    const char *name;
};

// By FilterPart.
constexpr std::array<PartLayout, 8> kLayouts{{{0, 5, "五星"},
                                              {0, 4, "前四"},
                                              {1, 4, "后四"},
                                              {0, 3, "前三"},
                                              {1, 3, "中三"},
                                              {2, 3, "后三"},
                                              {0, 2, "前二"},
                                              {3, 2, "后二"}}};

const PartLayout &layoutOf(FilterPart part)
{
    return kLayouts[static_cast<size_t>(part)];
}

} // namespace

int firstPosition(FilterPart part)
{
    return layoutOf(part).first;
}

int digitCount(FilterPart part)
{
    return layoutOf(part).count;
}

uint32_t partSize(FilterPart part)
{
    uint32_t size = 1;
    for (int i = 0; i < digitCount(part); ++i)
        size *= 10;
    return size;
}

QString partName(FilterPart part)
{
    return QString::fromUtf8(layoutOf(part).name);
}

QString positionName(int drawPosition)
{
    static const char *const kNames[kPositions] = {"万位", "千位", "百位", "十位", "个位"};
    if (drawPosition < 0 || drawPosition >= kPositions)
        return {};
    return QString::fromUtf8(kNames[drawPosition]);
}

uint32_t partValue(FilterPart part, const Digits &digits)
{
    const PartLayout &layout = layoutOf(part);
    uint32_t value = 0;
    for (int i = 0; i < layout.count; ++i)
        value = value * 10 + digits[static_cast<size_t>(layout.first + i)];
    return value;
}

} // namespace quorlent::filter
