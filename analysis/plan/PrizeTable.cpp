#include "PrizeTable.h"

#include <QJsonValue>

namespace quorlent::plan {

namespace {

using L = PrizeLine;

constexpr PrizeLineInfo kLines[kPrizeLines] = {
    {"five-direct", "五星直选", 1e-5},           {"front-three-direct", "前三直选", 1e-3},
    {"front-three-pair", "前三组三", 3e-3},      {"front-three-distinct", "前三组六", 6e-3},
    {"middle-three-direct", "中三直选", 1e-3},   {"middle-three-pair", "中三组三", 3e-3},
    {"middle-three-distinct", "中三组六", 6e-3}, {"back-three-direct", "后三直选", 1e-3},
    {"back-three-pair", "后三组三", 3e-3},       {"back-three-distinct", "后三组六", 6e-3},
    {"front-two-direct", "前二直选", 1e-2},      {"front-two-group", "前二组选", 2e-2},
    {"back-two-direct", "后二直选", 1e-2},       {"back-two-group", "后二组选", 2e-2},
    {"position-1", "定位胆·万位", 0.1},          {"position-2", "定位胆·千位", 0.1},
    {"position-3", "定位胆·百位", 0.1},          {"position-4", "定位胆·十位", 0.1},
    {"position-5", "定位胆·个位", 0.1},          {"attribute", "大小单双（一位）", 0.5},
};

// The kind of draw a line pays on, for choosing its default.
enum class Shape
{
    Five,
    ThreeDirect,
    ThreePair,
    ThreeDistinct,
    TwoDirect,
    TwoGroup,
    One,
    Attribute
};

Shape shapeOf(L line)
{
    switch (line) {
    case L::FiveDirect:
        return Shape::Five;
    case L::FrontThreeDirect:
    case L::MiddleThreeDirect:
    case L::BackThreeDirect:
        return Shape::ThreeDirect;
    case L::FrontThreePair:
    case L::MiddleThreePair:
    case L::BackThreePair:
        return Shape::ThreePair;
    case L::FrontThreeDistinct:
    case L::MiddleThreeDistinct:
    case L::BackThreeDistinct:
        return Shape::ThreeDistinct;
    case L::FrontTwoDirect:
    case L::BackTwoDirect:
        return Shape::TwoDirect;
    case L::FrontTwoGroup:
    case L::BackTwoGroup:
        return Shape::TwoGroup;
    case L::BigSmallOddEven:
        return Shape::Attribute;
    default:
        return Shape::One;
    }
}

// 元 per bet of 2 元. 时时彩 (several draws a day): the prizes commonly published for 重庆时时彩,
// whose 三星, 二星 and 一星 are the last three, two and one digits. 排列五 (one draw a day):
// 排列五 直选, and 排列三, played on the first three digits of the same draw.
Money many(Shape s)
{
    switch (s) {
    case Shape::Five:
        return 100000;
    case Shape::ThreeDirect:
        return 1000;
    case Shape::ThreePair:
        return 320;
    case Shape::ThreeDistinct:
        return 160;
    case Shape::TwoDirect:
        return 100;
    case Shape::TwoGroup:
        return 50;
    case Shape::One:
        return 10;
    case Shape::Attribute:
        // Published at 4 元 for 后二大小单双: one attribute at each of 十位 and 个位, won with
        // chance 1/4. One position wins with chance 1/2: at 4 元 the house would keep nothing,
        // so the reference value keeps the half the published plays keep.
        return 2;
    }
    return 0;
}

Money daily(Shape s)
{
    switch (s) {
    case Shape::Five:
        return 100000;
    case Shape::ThreeDirect:
        return 1040;
    case Shape::ThreePair:
        return 346;
    case Shape::ThreeDistinct:
        return 173;
    default:
        return many(s); // not sold: the reference values of the 时时彩 table
    }
}

bool isDaily(const Game &game)
{
    return !game.hasDrawsOfADay();
}

} // namespace

const PrizeLineInfo &prizeLineInfo(PrizeLine line)
{
    return kLines[size_t(line)];
}

double PrizeTable::houseShare(PrizeLine line) const
{
    return 1.0 - prizeLineInfo(line).chance * double(prize(line)) / double(price);
}

PrizeTable PrizeTable::defaults(const Game &game)
{
    PrizeTable t;
    for (int i = 0; i < kPrizeLines; ++i) {
        const Shape s = shapeOf(L(i));
        t.prizes[size_t(i)] = (isDaily(game) ? daily(s) : many(s)) * kCentsPerYuan;
    }
    return t;
}

PrizeSource PrizeTable::sourceOf(const Game &game, PrizeLine line)
{
    const Shape s = shapeOf(line);
    if (isDaily(game)) {
        if (line == L::FiveDirect)
            return {true, QStringLiteral("排列五直选")};
        if (line == L::FrontThreeDirect || line == L::FrontThreePair ||
            line == L::FrontThreeDistinct)
            return {true, QStringLiteral("排列三（开奖号码的前三位）")};
        if (s == Shape::ThreeDirect || s == Shape::ThreePair || s == Shape::ThreeDistinct)
            return {false,
                    QStringLiteral("参考值：不销售此玩法，取排列三同类玩法的奖金（中奖概率相同）")};
        if (s == Shape::Attribute)
            return {false, QStringLiteral(
                               "参考值：不销售此玩法；一位大小单双中奖概率 1/2，取返奖一半的奖金")};
        return {false,
                QStringLiteral("参考值：不销售此玩法，取时时彩同类玩法的奖金（返奖约一半）")};
    }
    switch (line) {
    case L::FiveDirect:
        return {true, QStringLiteral("重庆时时彩五星直选")};
    case L::BackThreeDirect:
    case L::BackThreePair:
    case L::BackThreeDistinct:
        return {true, QStringLiteral("重庆时时彩三星（后三）")};
    case L::BackTwoDirect:
    case L::BackTwoGroup:
        return {true, QStringLiteral("重庆时时彩二星（后二）")};
    case L::Position5:
        return {true, QStringLiteral("重庆时时彩一星（个位）")};
    case L::BigSmallOddEven:
        return {false,
                QStringLiteral("参考值：公布的 4 元是后二大小单双（十位、个位各选一项，中奖概率 "
                               "1/4）；一位中奖概率 1/2，取返奖一半的 2 元")};
    default:
        break;
    }
    if (s == Shape::One)
        return {false,
                QStringLiteral("参考值：公布的一星只在个位；其他位中奖概率相同，取同一奖金")};
    return {false,
            QStringLiteral("参考值：公布的三星、二星在后三、后二；此位置中奖概率相同，取同一奖金")};
}

FieldErrors PrizeTable::validate() const
{
    FieldErrors errors;
    if (price <= 0)
        errors.push_back({QStringLiteral("单注价格"), QStringLiteral("单注价格必须大于 0")});
    else if (price > kLargestAmount)
        errors.push_back({QStringLiteral("单注价格"), QStringLiteral("单注价格太大")});
    for (int i = 0; i < kPrizeLines; ++i) {
        const QString field = QStringLiteral("奖金（%1）").arg(QString::fromUtf8(kLines[i].name));
        if (prizes[size_t(i)] < 0)
            errors.push_back({field, QStringLiteral("奖金不能为负数")});
        else if (prizes[size_t(i)] > kLargestAmount)
            errors.push_back({field, QStringLiteral("奖金太大")});
    }
    return errors;
}

QJsonObject PrizeTable::toJson() const
{
    QJsonObject prizeObject;
    for (int i = 0; i < kPrizeLines; ++i)
        prizeObject[QLatin1String(kLines[i].id)] = moneyText(prizes[size_t(i)]);
    return {{QStringLiteral("price"), moneyText(price)}, {QStringLiteral("prizes"), prizeObject}};
}

std::optional<PrizeTable> PrizeTable::fromJson(const QJsonObject &object, const Game &game,
                                               QString *error)
{
    PrizeTable t = defaults(game);
    auto amount = [&](const QJsonValue &v, const QString &what, Money &out) {
        if (v.isUndefined())
            return true;
        const std::optional<Money> m = parseMoney(v.toString());
        if (!v.isString() || !m) {
            if (error)
                *error = QStringLiteral("%1 不是金额").arg(what);
            return false;
        }
        out = *m;
        return true;
    };
    if (!amount(object.value(QStringLiteral("price")), QStringLiteral("单注价格"), t.price))
        return std::nullopt;
    const QJsonObject prizeObject = object.value(QStringLiteral("prizes")).toObject();
    for (int i = 0; i < kPrizeLines; ++i) {
        if (!amount(prizeObject.value(QLatin1String(kLines[i].id)),
                    QStringLiteral("奖金（%1）").arg(QString::fromUtf8(kLines[i].name)),
                    t.prizes[size_t(i)]))
            return std::nullopt;
    }
    return t;
}

} // namespace quorlent::plan
