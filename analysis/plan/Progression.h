#pragma once

#include "FieldError.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace quorlent::plan {

// 倍投: the multiplier of each bet, following the wins and misses of the plan. A progression is a
// small machine: its state is where the player stands in it, a win takes it back to the start
// and a miss one step on. Draws without bets leave it where it is.
//  - 固定倍数: the same multiplier throughout (1 倍 by default).
//  - 翻倍: the start multiplier, doubled after each miss in a row, up to a cap, where it stays
//    until a win.
//  - 倍数列表: the typed multipliers in turn after each miss in a row; after the last one the
//    list starts again from its first (the chase is given up).
// No progression changes the expected return: every bet returns the same share of its price on
// average, however large it is.
struct Progression
{
    enum class Kind : uint8_t
    {
        Flat,
        Doubling,
        List
    };
    static constexpr int64_t kLargestMultiplier = 1'000'000;

    Kind kind = Kind::Flat;
    int64_t base = 1;           // 固定倍数, and 翻倍's start
    int64_t cap = 64;           // 翻倍
    std::vector<int64_t> steps; // 倍数列表

    static Progression flat(int64_t multiplier = 1) { return {Kind::Flat, multiplier, 64, {}}; }
    static Progression doubling(int64_t start, int64_t cap)
    {
        return {Kind::Doubling, start, cap, {}};
    }
    static Progression list(std::vector<int64_t> steps)
    {
        return {Kind::List, 1, 64, std::move(steps)};
    }

    // States 0 .. stateCount() - 1; 0 is the start.
    int stateCount() const;
    int64_t multiplier(int state) const;
    int afterMiss(int state) const;
    static constexpr int afterWin(int) { return 0; }

    // A multiplier of 0 or less, a cap below the start, an empty list, anything beyond
    // kLargestMultiplier.
    FieldErrors validate() const;
    // "1 2 4 8", "1,2,4,8": the multipliers of a typed list; an error naming the field
    // otherwise.
    static std::optional<std::vector<int64_t>> parseList(const QString &text, FieldError *error);
    // "1 2 4 8".
    static QString listText(const std::vector<int64_t> &steps);
    // "1 倍", "翻倍（2 倍起，最多 64 倍）", "倍数列表 1 2 4 8".
    QString description() const;

    bool operator==(const Progression &) const = default;
};

} // namespace quorlent::plan
