#pragma once

#include "FilterPart.h"
#include "OmissionCursor.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quorlent::filter {

// What the exact expected share of several conditions together reads over a window of draws
// when some of them depend on the draws before: at each draw of the window the numbers that pass
// them all, given that draw's own earlier draws, are counted, and the counts summed. The views
// point at data the caller keeps alive and unchanged while the sum is worked out.
struct ConjunctionView
{
    // A 冷号 or 热号 condition: the counts of marked positions it allows, where the omissions
    // stand before the window's first draw, and the part's digits of the window's draws
    // (DrawTable::packedDigits).
    struct Marked
    {
        uint64_t allowed = 0;
        OmissionCursor start;
        std::span<const uint32_t> digits;
    };

    FilterPart part = FilterPart::Five;
    size_t draws = 0;
    // The numbers passing every condition that does not depend on earlier draws, ascending, each
    // standing for `weights[i]` numbers (1 when weights is empty). When no condition reads
    // positions, one number per multiset does, weighted by how many of the numbers are its
    // orderings.
    std::span<const uint32_t> items;
    std::span<const uint32_t> weights;
    // 重号: the repeat counts every 重号 condition allows (bits), and the multiset of the draw
    // before each draw of the window: `firstHasNone` when the window starts at the history's
    // first draw, else `before[i]` for window draw i, with before[i - 1] when firstHasNone.
    bool hasRepeat = false;
    uint64_t repeatAllowed = 0;
    std::span<const uint16_t> before;
    bool firstHasNone = false;
    std::vector<Marked> marked;
};

// Σ over the window's draws of the numbers passing every condition at that draw; none when
// `cancel` was set before it was done. Without 冷号 or 热号 this takes a few milliseconds on any
// window; with them about (items + 2000) × (window draws / 64) steps of a few instructions.
std::optional<int64_t> conjunctionTotal(const ConjunctionView &view,
                                        const std::atomic<bool> *cancel = nullptr);

// The work conjunctionTotal() does with 冷号 or 热号, in the steps above.
uint64_t conjunctionWork(const ConjunctionView &view);

} // namespace quorlent::filter
