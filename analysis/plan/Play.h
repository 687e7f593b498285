#pragma once

#include "DrawCodes.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace quorlent::plan {

// How a play's bet meets a draw's digits at the play's positions.
enum class PlayKind : uint8_t
{
    Direct, // 直选: the digits in their order
    Group,  // 组选: the digits as a multiset; 三星 pays 组三 or 组六 by the draw's shape
    GroupThree,     // 组三: a multiset with exactly two equal digits
    GroupSix,       // 组六: three different digits
    Position,       // 定位胆: one digit at one position
    BigSmallOddEven // 大小单双: 大 (5-9), 小 (0-4), 单 (odd) or 双 (even) at one position
};

// The lines of a prize table: what one bet of 1 倍 wins. A play pays by one line, except 三星组选,
// which pays by the 组三 line when the draw shows two equal digits and by the 组六 line otherwise.
enum class PrizeLine : uint8_t
{
    FiveDirect,
    FrontThreeDirect,
    FrontThreePair,
    FrontThreeDistinct,
    MiddleThreeDirect,
    MiddleThreePair,
    MiddleThreeDistinct,
    BackThreeDirect,
    BackThreePair,
    BackThreeDistinct,
    FrontTwoDirect,
    FrontTwoGroup,
    BackTwoDirect,
    BackTwoGroup,
    Position1,
    Position2,
    Position3,
    Position4,
    Position5,
    BigSmallOddEven
};
inline constexpr int kPrizeLines = 20;

// The four bets of 大小单双, in this order.
enum class Attribute : uint8_t
{
    Big,
    Small,
    Odd,
    Even
};
inline constexpr int kAttributes = 4;
// "大", "小", "单", "双".
QString attributeName(int attribute);
// Whether the digit has the attribute.
constexpr bool hasAttribute(int digit, int attribute)
{
    switch (Attribute(attribute)) {
    case Attribute::Big:
        return digit >= 5;
    case Attribute::Small:
        return digit < 5;
    case Attribute::Odd:
        return digit % 2 == 1;
    case Attribute::Even:
        return digit % 2 == 0;
    }
    return false;
}

// One play (玩法): a row of the table of plays.
struct Play
{
    const char *id;   // stable ASCII name for saved plans: "front-three-group"
    const char *name; // UTF-8: "前三组选"
    int8_t first;     // the first position of the play, 0 = 万位
    int8_t count;     // how many neighbouring positions it reads
    PlayKind kind;
    PrizeLine line; // the line it pays by (三星组选: its 组三 line; the 组六 line follows it)

    QString displayName() const { return QString::fromUtf8(name); }
    bool isGroup() const
    {
        return kind == PlayKind::Group || kind == PlayKind::GroupThree ||
               kind == PlayKind::GroupSix;
    }
    // The size of the space a bet is a value of: 10^count for 直选 and 组选 (a 组选 bet is its
    // digits in ascending order), 10 for 定位胆, 4 for 大小单双.
    uint32_t valueSpace() const;
    // How many different bets the play has: 100,000 for 五星直选, 210 for 三星组选 (90 组三 and
    // 120 组六), 45 for 二星组选, 10 for 定位胆, 4 for 大小单双.
    uint32_t betCount() const;
    // Whether a bet value (in the value space) is one the play sells: a 组选 bet must be written
    // in ascending digits and have the play's shape (三星组选 sells no 豹子, 二星组选 no 对子).
    bool sells(uint32_t value) const;
    // The play's positions of a draw read as a number, in their order: "347" for 前三 of 34712.
    uint32_t positionsValue(const Digits &digits) const
    {
        uint32_t value = 0;
        for (int i = first; i < first + count; ++i)
            value = value * 10 + digits[size_t(i)];
        return value;
    }
    // The value of a draw's digits under the play: the digits read as a number (直选), sorted
    // ascending first (组选), the digit (定位胆, 大小单双).
    uint32_t drawValue(const Digits &digits) const;
    // The line a draw's win pays by.
    PrizeLine lineFor(uint32_t drawValue) const;
    // A bet as text: "01234", "112", "7", "大".
    QString betText(uint32_t value) const;
};

// Every play, in the order the window lists them.
std::span<const Play> plays();
const Play *playById(const QString &id);
const Play &defaultPlay();

// The digits of a value of `count` digits, first position first, and back.
std::array<int, kPositions> digitsOf(uint32_t value, int count);
uint32_t valueOf(std::span<const int> digits);
// Sorts the first `count` digits ascending (at most five: an insertion sort).
inline void sortDigits(std::array<int, kPositions> &d, int count)
{
    for (int i = 1; i < count; ++i) {
        const int x = d[size_t(i)];
        int j = i;
        for (; j > 0 && d[size_t(j - 1)] > x; --j)
            d[size_t(j)] = d[size_t(j - 1)];
        d[size_t(j)] = x;
    }
}
// The value with its digits sorted ascending: one per multiset.
uint32_t canonicalOf(uint32_t value, int count);
// How many different orderings the multiset of a canonical value has: 1, 3 or 6 for three
// digits.
int orderingsOf(uint32_t value, int count);

} // namespace quorlent::plan
