#pragma once

#include "ConditionKinds.h"
#include "DigitSet.h"
#include "DrawCodes.h"
#include "Shape.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

namespace quorlent::filter {

enum class BankerRule : uint8_t
{
    AtLeast, // 至少
    Exactly  // 恰好
};

// One row of the filter: a kind, its parameters, and whether it is switched on. Only the fields
// of its kind are read. Positions are those of the part, first to last: for 后三 index 0 is the
// 百位. Value lists are kept as the user typed them and read by validate(): numbers and ranges
// separated by commas or blanks ("10-14, 20"); ratio lists are ratios so separated
// ("2:3, 3:2", "2:2:1" for 012路), each summing to the part's digit count.
//
// 胆码 counts how many digits of D appear, each once however often it is drawn. 连号 is the
// longest run of consecutive values among the number's distinct digits, 9 not followed by 0
// (13579 has 1, 12389 has 3). 重号 is the size of the multiset intersection of the number's
// digits with those of the newest draw's same part (11234 against 12225 is 2: one 1, one 2).
// 冷号 and 热号 count the positions of the number whose digit is cold (omission at least
// `threshold`) or hot (omission at most `threshold`); with `atPositions` the omission is the
// digit's at that position, as the trend chart shows it, otherwise the draws since the digit last
// appeared anywhere in the part (positions holding the same cold digit count once each).
struct Condition
{
    ConditionKind kind = ConditionKind::Sum;
    bool enabled = true;

    std::array<DigitSet, kPositions> positions{}; // 定位
    DigitSet digits;                              // 胆码: D; 杀号: the killed digits
    int count = 1;                                // 胆码: k
    BankerRule rule = BankerRule::AtLeast;        // 胆码
    int position = 0; // 杀号: 0 the whole part, 1 … digit count one position of it
    QString values; // 和值 和尾 跨度 连号 重号, and the allowed counts of 冷号 热号; ratios
    ShapeSet shapes = 0;     // 形态
    int threshold = 10;      // 冷号 热号
    bool atPositions = true; // 冷号 热号

    bool operator==(const Condition &) const = default;
};

// A condition of `kind` whose value list is `values` as typed ("15-32", "2:3, 3:2"), its other
// fields at their defaults.
inline Condition conditionOf(ConditionKind kind, const char *values = "")
{
    Condition c;
    c.kind = kind;
    c.values = QString::fromUtf8(values);
    return c;
}

// The fields of the condition's kind (not `enabled`) as bytes: equal for conditions that keep
// the same numbers whatever the part, so caches can be keyed by it.
QByteArray ruleKey(const Condition &condition);

// A short title of the row for messages: "和值", "杀号（百位）", "冷号（遗漏≥10）".
QString conditionTitle(const Condition &condition);

} // namespace quorlent::filter
