#include "Play.h"

#include <algorithm>

namespace quorlent::plan {

namespace {

using K = PlayKind;
using L = PrizeLine;

// Adding a play is adding a row; its prize line must be a row of the prize table.
constexpr Play kPlays[] = {
    {"five-direct", "五星直选", 0, 5, K::Direct, L::FiveDirect},
    {"front-three-direct", "前三直选", 0, 3, K::Direct, L::FrontThreeDirect},
    {"front-three-group", "前三组选", 0, 3, K::Group, L::FrontThreePair},
    {"front-three-pair", "前三组三", 0, 3, K::GroupThree, L::FrontThreePair},
    {"front-three-distinct", "前三组六", 0, 3, K::GroupSix, L::FrontThreeDistinct},
    {"middle-three-direct", "中三直选", 1, 3, K::Direct, L::MiddleThreeDirect},
    {"middle-three-group", "中三组选", 1, 3, K::Group, L::MiddleThreePair},
    {"middle-three-pair", "中三组三", 1, 3, K::GroupThree, L::MiddleThreePair},
    {"middle-three-distinct", "中三组六", 1, 3, K::GroupSix, L::MiddleThreeDistinct},
    {"back-three-direct", "后三直选", 2, 3, K::Direct, L::BackThreeDirect},
    {"back-three-group", "后三组选", 2, 3, K::Group, L::BackThreePair},
    {"back-three-pair", "后三组三", 2, 3, K::GroupThree, L::BackThreePair},
    {"back-three-distinct", "后三组六", 2, 3, K::GroupSix, L::BackThreeDistinct},
    {"front-two-direct", "前二直选", 0, 2, K::Direct, L::FrontTwoDirect},
    {"front-two-group", "前二组选", 0, 2, K::Group, L::FrontTwoGroup},
    {"back-two-direct", "后二直选", 3, 2, K::Direct, L::BackTwoDirect},
    {"back-two-group", "后二组选", 3, 2, K::Group, L::BackTwoGroup},
    {"position-1", "定位胆·万位", 0, 1, K::Position, L::Position1},
    {"position-2", "定位胆·千位", 1, 1, K::Position, L::Position2},
    {"position-3", "定位胆·百位", 2, 1, K::Position, L::Position3},
    {"position-4", "定位胆·十位", 3, 1, K::Position, L::Position4},
    {"position-5", "定位胆·个位", 4, 1, K::Position, L::Position5},
    {"attribute-1", "大小单双·万位", 0, 1, K::BigSmallOddEven, L::BigSmallOddEven},
    {"attribute-2", "大小单双·千位", 1, 1, K::BigSmallOddEven, L::BigSmallOddEven},
    {"attribute-3", "大小单双·百位", 2, 1, K::BigSmallOddEven, L::BigSmallOddEven},
    {"attribute-4", "大小单双·十位", 3, 1, K::BigSmallOddEven, L::BigSmallOddEven},
    {"attribute-5", "大小单双·个位", 4, 1, K::BigSmallOddEven, L::BigSmallOddEven},
};

constexpr uint32_t kPowers[] = {1, 10, 100, 1000, 10000, 100000};

// How many equal neighbours the sorted digits have: 0 all different, count - 1 all the same.
int repeatsOf(uint32_t canonical, int count)
{
    const auto d = digitsOf(canonical, count);
    int repeats = 0;
    for (int i = 1; i < count; ++i)
        repeats += d[size_t(i)] == d[size_t(i - 1)];
    return repeats;
}

} // namespace

QString attributeName(int attribute)
{
    static const char16_t *const names[] = {u"大", u"小", u"单", u"双"};
    return attribute >= 0 && attribute < kAttributes ? QString::fromUtf16(names[attribute])
                                                     : QString();
}

std::span<const Play> plays()
{
    return kPlays;
}

const Play *playById(const QString &id)
{
    for (const Play &p : kPlays) {
        if (id == QLatin1String(p.id))
            return &p;
    }
    return nullptr;
}

const Play &defaultPlay()
{
    return kPlays[0];
}

std::array<int, kPositions> digitsOf(uint32_t value, int count)
{
    std::array<int, kPositions> d{};
    for (int i = count - 1; i >= 0; --i) {
        d[size_t(i)] = int(value % 10);
        value /= 10;
    }
    return d;
}

uint32_t valueOf(std::span<const int> digits)
{
    uint32_t v = 0;
    for (int d : digits)
        v = v * 10 + uint32_t(d);
    return v;
}

uint32_t canonicalOf(uint32_t value, int count)
{
    auto d = digitsOf(value, count);
    sortDigits(d, count);
    return valueOf(std::span<const int>(d.data(), size_t(count)));
}

int orderingsOf(uint32_t value, int count)
{
    const auto d = digitsOf(value, count);
    int orderings = 1;
    for (int i = 2; i <= count; ++i)
        orderings *= i;
    for (int i = 0; i < count;) {
        int j = i;
        while (j < count && d[size_t(j)] == d[size_t(i)])
            ++j;
        for (int f = 2; f <= j - i; ++f)
            orderings /= f;
        i = j;
    }
    return orderings;
}

uint32_t Play::valueSpace() const
{
    switch (kind) {
    case PlayKind::Position:
        return 10;
    case PlayKind::BigSmallOddEven:
        return kAttributes;
    default:
        return kPowers[count];
    }
}

uint32_t Play::betCount() const
{
    switch (kind) {
    case PlayKind::Direct:
        return kPowers[count];
    case PlayKind::Group:
        return count == 3 ? 210 : 45;
    case PlayKind::GroupThree:
        return 90;
    case PlayKind::GroupSix:
        return 120;
    case PlayKind::Position:
        return 10;
    case PlayKind::BigSmallOddEven:
        return kAttributes;
    }
    return 0;
}

bool Play::sells(uint32_t value) const
{
    if (value >= valueSpace())
        return false;
    if (!isGroup())
        return true;
    if (canonicalOf(value, count) != value)
        return false;
    const int repeats = repeatsOf(value, count);
    switch (kind) {
    case PlayKind::Group:
        return repeats < count - 1; // no 豹子 (三星), no 对子 (二星)
    case PlayKind::GroupThree:
        return repeats == 1;
    case PlayKind::GroupSix:
        return repeats == 0;
    default:
        return true;
    }
}

uint32_t Play::drawValue(const Digits &digits) const
{
    if (kind == PlayKind::Position || kind == PlayKind::BigSmallOddEven)
        return digits[size_t(first)];
    std::array<int, kPositions> d{};
    for (int i = 0; i < count; ++i)
        d[size_t(i)] = digits[size_t(first + i)];
    if (isGroup())
        sortDigits(d, count);
    return valueOf(std::span<const int>(d.data(), size_t(count)));
}

PrizeLine Play::lineFor(uint32_t value) const
{
    // 三星组选 pays a draw without equal digits by the 组六 line, which follows the 组三 line.
    if (kind == PlayKind::Group && count == 3 && repeatsOf(value, 3) == 0)
        return PrizeLine(int(line) + 1);
    return line;
}

QString Play::betText(uint32_t value) const
{
    if (kind == PlayKind::BigSmallOddEven)
        return attributeName(int(value));
    if (kind == PlayKind::Position)
        return QString::number(value);
    return QStringLiteral("%1").arg(value, count, 10, QLatin1Char('0'));
}

} // namespace quorlent::plan
