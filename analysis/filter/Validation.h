#pragma once

#include "ConditionSet.h"

#include <QString>

#include <vector>

namespace quorlent::filter {

// One message per condition of the set, in its order: empty when the condition is valid for the
// set's part and selection, else what is wrong with it, to be shown at its row. An invalid
// condition is not applied, switched on or not.
std::vector<QString> validate(const ConditionSet &set);

} // namespace quorlent::filter
