#pragma once

#include "Condition.h"
#include "FilterPart.h"
#include "Selection.h"

#include <vector>

namespace quorlent::filter {

// What the filter narrows and by what: every condition applies to the digits of `part`. A number
// remains when it passes every switched-on condition that is valid (see validate()).
struct ConditionSet
{
    FilterPart part = FilterPart::Five;
    Selection selection = Selection::Direct;
    std::vector<Condition> conditions;

    bool operator==(const ConditionSet &) const = default;
};

} // namespace quorlent::filter
