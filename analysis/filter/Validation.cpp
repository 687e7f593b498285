#include "Validation.h"

#include "CompiledCondition.h"

namespace quorlent::filter {

std::vector<QString> validate(const ConditionSet &set)
{
    std::vector<QString> errors;
    errors.reserve(set.conditions.size());
    for (const Condition &c : set.conditions)
        errors.push_back(compile(c, set.part, set.selection).error);
    return errors;
}

} // namespace quorlent::filter
