#pragma once

#include "Bitset.h"
#include "CompiledCondition.h"
#include "NumberTable.h"

namespace quorlent::filter {

// The numbers of `numbers` that pass a condition that does not read earlier draws: 定位, 胆码 and
// 杀号 by their fields, the kinds of a list by their measure.
Bitset passingNumbers(const CompiledCondition &condition, const NumberTable &numbers);

// The numbers whose count (0 … digit count) is allowed: the building block of the conditions that
// read earlier draws.
template <typename CountOf>
Bitset numbersWithAllowedCount(uint64_t allowed, const NumberTable &numbers, CountOf &&countOf)
{
    Bitset out(numbers.size());
    for (uint32_t n = 0; n < numbers.size(); ++n) {
        if ((allowed >> countOf(n)) & 1)
            out.set(n);
    }
    return out;
}

} // namespace quorlent::filter
