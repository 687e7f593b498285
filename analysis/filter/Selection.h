#pragma once

#include <QString>

#include <cstdint>

namespace quorlent::filter {

// 直选 plays the digits in their order; 组选 plays them as a group, so a number is the multiset of
// its digits, written with its digits in ascending order ("01234"). A 组选 number holds every
// ordering of its digits: 01234 stands for 120 of the 五星 numbers, 00000 for one.
enum class Selection : uint8_t
{
    Direct, // 直选
    Group   // 组选
};

inline QString selectionName(Selection selection)
{
    return selection == Selection::Direct ? QStringLiteral("直选") : QStringLiteral("组选");
}

} // namespace quorlent::filter
