#include "Shape.h"

#include <array>

namespace quorlent::filter {

namespace {

struct ShapeInfo
{
    const char *name;
    const char *id;
};

// By Shape.
constexpr std::array<ShapeInfo, kShapeCount> kInfo{{{"组选120", "group120"},
                                                    {"组选60", "group60"},
                                                    {"组选30", "group30"},
                                                    {"组选20", "group20"},
                                                    {"组选10", "group10"},
                                                    {"组选5", "group5"},
                                                    {"组选24", "group24"},
                                                    {"组选12", "group12"},
                                                    {"组选6", "group6"},
                                                    {"组选4", "group4"},
                                                    {"组六", "six"},
                                                    {"组三", "three"},
                                                    {"非对子", "non-pair"},
                                                    {"对子", "pair"},
                                                    {"豹子", "leopard"}}};

} // namespace

QString shapeName(Shape shape)
{
    return QString::fromUtf8(kInfo[static_cast<size_t>(shape)].name);
}

const char *shapeId(Shape shape)
{
    return kInfo[static_cast<size_t>(shape)].id;
}

std::optional<Shape> shapeFromId(const QString &id)
{
    for (int i = 0; i < kShapeCount; ++i) {
        if (id == QLatin1String(kInfo[size_t(i)].id))
            return Shape(i);
    }
    return std::nullopt;
}

std::vector<Shape> shapesFor(int digitCount)
{
    switch (digitCount) {
    case 5:
        return {Shape::Group120, Shape::Group60, Shape::Group30, Shape::Group20,
                Shape::Group10,  Shape::Group5,  Shape::Leopard};
    case 4:
        return {Shape::Group24, Shape::Group12, Shape::Group6, Shape::Group4, Shape::Leopard};
    case 3:
        return {Shape::Six, Shape::Three, Shape::Leopard};
    case 2:
        return {Shape::NonPair, Shape::Pair};
    default:
        return {};
    }
}

Shape shapeOfCounts(int digitCount, const int *c)
{
    if (c[0] == digitCount)
        return digitCount == 2 ? Shape::Pair : Shape::Leopard;
    switch (digitCount) {
    case 5:
        if (c[0] == 4)
            return Shape::Group5;
        if (c[0] == 3)
            return c[1] == 2 ? Shape::Group10 : Shape::Group20;
        if (c[0] == 2)
            return c[1] == 2 ? Shape::Group30 : Shape::Group60;
        return Shape::Group120;
    case 4:
        if (c[0] == 3)
            return Shape::Group4;
        if (c[0] == 2)
            return c[1] == 2 ? Shape::Group6 : Shape::Group12;
        return Shape::Group24;
    case 3:
        return c[0] == 2 ? Shape::Three : Shape::Six;
    default:
        return Shape::NonPair;
    }
}

} // namespace quorlent::filter
