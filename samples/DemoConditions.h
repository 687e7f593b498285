#pragma once

// The eight 缩水 conditions of 五星 that the screenshots show and the benchmarks measure: 和值,
// 跨度, 大小比, 单双比, 胆码, 杀号, 重号 and 冷号, in that order (rows 0-7), two of them reading
// the draws before.

#include "ConditionSet.h"

namespace quorlent::filter {

inline ConditionSet demoConditions(Selection selection = Selection::Direct)
{
    ConditionSet set{FilterPart::Five, selection, {}};
    set.conditions.push_back(conditionOf(ConditionKind::Sum, "15-32"));
    set.conditions.push_back(conditionOf(ConditionKind::Span, "5-9"));
    set.conditions.push_back(conditionOf(ConditionKind::BigSmall, "2:3, 3:2"));
    set.conditions.push_back(conditionOf(ConditionKind::OddEven, "1:4, 2:3, 3:2"));
    Condition bankers = conditionOf(ConditionKind::Bankers);
    bankers.digits = {1, 6};
    set.conditions.push_back(bankers);
    Condition kill = conditionOf(ConditionKind::Kill);
    kill.digits = {4};
    set.conditions.push_back(kill);
    set.conditions.push_back(conditionOf(ConditionKind::Repeat, "0-1"));
    Condition cold = conditionOf(ConditionKind::Cold, "0-1");
    cold.threshold = 10;
    // 组选 counts omissions over the whole part: positions do not count there.
    cold.atPositions = selection == Selection::Direct;
    set.conditions.push_back(cold);
    return set;
}

} // namespace quorlent::filter
