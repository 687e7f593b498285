#pragma once

#include "ConditionSet.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace quorlent::filter {

// A valid condition read into the form the engine evaluates, for one part.
struct CompiledCondition
{
    ConditionKind kind = ConditionKind::Sum;
    // Bit v allows value v: the sum, its last digit, the span, the run, the repeats, the count of
    // cold or hot positions; for the ratios the first term (a:b) or a·(digits+1)+b (a:b:c); for
    // 形态 the ShapeSet.
    uint64_t allowed = 0;
    std::array<uint16_t, kPositions> positions{}; // 定位, by position of the part
    uint16_t digits = 0;                          // 胆码, 杀号
    int count = 0;                                // 胆码
    BankerRule rule = BankerRule::AtLeast;        // 胆码
    int position = -1;        // 杀号: the part's position 0 …, or -1 for the whole part
    int threshold = 0;        // 冷号, 热号
    bool atPositions = false; // 冷号, 热号
};

// A condition read for a part and selection, or the message that says why it cannot be applied.
struct Compilation
{
    std::optional<CompiledCondition> compiled;
    QString error;
};

Compilation compile(const Condition &condition, FilterPart part, Selection selection);

} // namespace quorlent::filter
