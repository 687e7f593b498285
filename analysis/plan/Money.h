#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace quorlent::plan {

// Sums of money are whole 分 (hundredths of a 元), so that a ledger of half a million draws adds
// up exactly and the ruin probability can count balances as whole steps.
using Money = int64_t;

inline constexpr Money kCentsPerYuan = 100;
// The largest prize or price a table takes: a billion 元 keeps every sum of a ledger far inside
// 64 bits, even at the largest multiplier.
inline constexpr Money kLargestAmount = Money(1'000'000'000) * kCentsPerYuan;

// "2", "2.5", "1040", "-12.34": 元 without trailing zeros.
QString moneyText(Money cents);
// Reads "2", "2.5", "1,040", "0.01" as 元; nothing when it is not such a number (negative ones
// are read, the caller refuses them) or has more than two decimals.
std::optional<Money> parseMoney(const QString &text);

} // namespace quorlent::plan
