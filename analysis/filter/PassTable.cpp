#include "PassTable.h"

#include <bit>

namespace quorlent::filter {

namespace {

template <typename Pass> Bitset tableOf(const NumberTable &numbers, Pass &&pass)
{
    Bitset out(numbers.size());
    for (uint32_t n = 0; n < numbers.size(); ++n) {
        if (pass(n))
            out.set(n);
    }
    return out;
}

} // namespace

Bitset passingNumbers(const CompiledCondition &c, const NumberTable &numbers)
{
    const KindInfo &info = kindInfo(c.kind);
    switch (info.form) {
    case KindForm::Positions:
        return tableOf(numbers, [&](uint32_t n) {
            for (int i = 0; i < numbers.digitCount(); ++i) {
                if (!((c.positions[size_t(i)] >> numbers.digit(n, i)) & 1))
                    return false;
            }
            return true;
        });
    case KindForm::Bankers:
        return tableOf(numbers, [&](uint32_t n) {
            const int shown = std::popcount(unsigned(numbers.digitMask(n) & c.digits));
            return c.rule == BankerRule::AtLeast ? shown >= c.count : shown == c.count;
        });
    case KindForm::Kill:
        if (c.position < 0)
            return tableOf(numbers,
                           [&](uint32_t n) { return (numbers.digitMask(n) & c.digits) == 0; });
        return tableOf(
            numbers, [&](uint32_t n) { return !((c.digits >> numbers.digit(n, c.position)) & 1); });
    default:
        break;
    }
    // The kinds of a list: the number's measure must be one the list allows.
    if (!info.measure)
        return Bitset(numbers.size());
    const uint64_t allowed = c.allowed;
    const Measure measure = info.measure;
    return tableOf(numbers,
                   [&](uint32_t n) { return ((allowed >> measure(numbers, n)) & 1) != 0; });
}

} // namespace quorlent::filter
