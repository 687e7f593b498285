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
    const uint64_t allowed = c.allowed;
    auto allows = [allowed](int value) { return ((allowed >> value) & 1) != 0; };
    switch (c.kind) {
    case ConditionKind::Position:
        return tableOf(numbers, [&](uint32_t n) {
            for (int i = 0; i < numbers.digitCount(); ++i) {
                if (!((c.positions[size_t(i)] >> numbers.digit(n, i)) & 1))
                    return false;
            }
            return true;
        });
    case ConditionKind::Bankers:
        return tableOf(numbers, [&](uint32_t n) {
            const int shown = std::popcount(unsigned(numbers.digitMask(n) & c.digits));
            return c.rule == BankerRule::AtLeast ? shown >= c.count : shown == c.count;
        });
    case ConditionKind::Kill:
        if (c.position < 0)
            return tableOf(numbers,
                           [&](uint32_t n) { return (numbers.digitMask(n) & c.digits) == 0; });
        return tableOf(
            numbers, [&](uint32_t n) { return !((c.digits >> numbers.digit(n, c.position)) & 1); });
    case ConditionKind::Sum:
        return tableOf(numbers, [&](uint32_t n) { return allows(numbers.sum(n)); });
    case ConditionKind::SumTail:
        return tableOf(numbers, [&](uint32_t n) { return allows(numbers.sum(n) % 10); });
    case ConditionKind::Span:
        return tableOf(numbers, [&](uint32_t n) { return allows(numbers.span(n)); });
    case ConditionKind::BigSmall:
        return tableOf(numbers, [&](uint32_t n) { return allows(numbers.big(n)); });
    case ConditionKind::OddEven:
        return tableOf(numbers, [&](uint32_t n) { return allows(numbers.odd(n)); });
    case ConditionKind::PrimeComposite:
        return tableOf(numbers, [&](uint32_t n) { return allows(numbers.prime(n)); });
    case ConditionKind::Mod3:
        return tableOf(numbers, [&](uint32_t n) { return allows(numbers.mod3(n)); });
    case ConditionKind::Shape:
        return tableOf(numbers, [&](uint32_t n) { return allows(int(numbers.shape(n))); });
    case ConditionKind::Consecutive:
        return tableOf(numbers, [&](uint32_t n) { return allows(numbers.run(n)); });
    case ConditionKind::Repeat:
    case ConditionKind::Cold:
    case ConditionKind::Hot:
        break;
    }
    return Bitset(numbers.size());
}

} // namespace quorlent::filter
