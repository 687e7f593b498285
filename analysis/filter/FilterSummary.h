#pragma once

#include "ConditionSet.h"
#include "FilterEngine.h"

#include <QString>

namespace quorlent::filter {

// "12.34%": a share as a percentage with two decimals, halves rounded up on the decimal value;
// below 0.01 % with its first two significant digits ("0.001%", "0.0012%").
QString formatShare(double share);

// The line under the remaining numbers: "剩余 1234 注，占全部 100000 注的 1.23%", in 组选
// "剩余 56 组（1234 注），占全部的 1.23%"; when nothing remains "没有号码满足全部条件" and the
// switched-on condition that removes the most.
QString resultText(const FilterCounts &counts, const ConditionSet &set);

} // namespace quorlent::filter
