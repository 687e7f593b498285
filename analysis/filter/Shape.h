#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace quorlent::filter {

// The form of a number by how often its digits repeat. Which forms exist depends on how many
// digits the part has; 豹子 (every digit the same) exists for all of them.
enum class Shape : uint8_t
{
    Group120, // five digits, all different
    Group60,  // five: one pair
    Group30,  // five: two pairs
    Group20,  // five: three of a kind
    Group10,  // five: three of a kind and a pair
    Group5,   // five: four of a kind
    Group24,  // four digits, all different
    Group12,  // four: one pair
    Group6,   // four: two pairs
    Group4,   // four: three of a kind
    Six,      // 组六: three digits, all different
    Three,    // 组三: three digits, exactly two the same
    NonPair,  // 非对子: two different digits
    Pair,     // 对子: two equal digits
    Leopard   // 豹子: all the same
};

inline constexpr int kShapeCount = 15;

// A set of shapes, bit (int)shape.
using ShapeSet = uint16_t;

constexpr ShapeSet shapeBit(Shape shape)
{
    return ShapeSet(1u << static_cast<int>(shape));
}

// "组选120", "组六", "对子", "豹子", …
QString shapeName(Shape shape);
// A stable ASCII name for saved condition sets: "group120", "six", "pair", "leopard", …
const char *shapeId(Shape shape);
std::optional<Shape> shapeFromId(const QString &id);

// The shapes of numbers of `digitCount` digits (2-5), from the most varied to 豹子.
std::vector<Shape> shapesFor(int digitCount);

// The shape of a number of `digitCount` digits from its digits' repeat counts sorted in
// descending order, e.g. {2, 1, 1, 1} for 组选60 (counts of 0 end the list).
Shape shapeOfCounts(int digitCount, const int *descendingCounts);

} // namespace quorlent::filter
