#pragma once

#include "DrawCodes.h"

#include <QStringList>

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace quorlent::plan {

// What a plan proposes before one draw, before a play turns it into bets: either digits allowed
// at each position (杀号/定胆, and a search's top outcomes at the positions it tallies), the
// numbers of a part (what a 缩水 方案 leaves), or the numbers typed as 守号. A play can take any
// proposal that says enough about its positions (BetSet).
struct Proposal
{
    enum class Form : uint8_t
    {
        Digits,  // `masks`
        Numbers, // `first`, `count`, `group`, `values`
        Typed    // `tokens`
    };
    static constexpr uint16_t kAllDigits = 0x3ff;

    Form form = Form::Digits;
    // The digits allowed at each position, bit d for digit d; kAllDigits where nothing is said.
    std::array<uint16_t, kPositions> masks{kAllDigits, kAllDigits, kAllDigits, kAllDigits,
                                           kAllDigits};
    // The part the numbers are of: its first position and how many digits.
    int8_t first = 0;
    int8_t count = 0;
    // 组选: each number stands for every ordering of its digits and is written in ascending
    // digits.
    bool group = false;
    // Bit n for the number n of the part (its digits read as a decimal number): an eighth of the
    // memory of the numbers themselves once a few hundred of them remain.
    std::vector<uint64_t> bits;
    QStringList tokens; // as typed, one bet each

    static Proposal ofDigits(const std::array<uint16_t, kPositions> &masks)
    {
        Proposal p;
        p.masks = masks;
        return p;
    }
    static Proposal ofNumbers(int first, int count, bool group, const std::vector<uint32_t> &values)
    {
        Proposal p;
        p.form = Form::Numbers;
        p.first = int8_t(first);
        p.count = int8_t(count);
        p.group = group;
        uint32_t size = 1;
        for (int i = 0; i < count; ++i)
            size *= 10;
        p.bits.assign((size + 63) / 64, 0);
        for (uint32_t v : values)
            p.bits[v >> 6] |= uint64_t(1) << (v & 63);
        return p;
    }
    static Proposal ofTokens(QStringList tokens)
    {
        Proposal p;
        p.form = Form::Typed;
        p.tokens = std::move(tokens);
        return p;
    }

    // Calls f(n) for every number, ascending.
    template <typename F> void forEachNumber(F &&f) const
    {
        for (size_t w = 0; w < bits.size(); ++w) {
            for (uint64_t word = bits[w]; word; word &= word - 1)
                f(uint32_t(w * 64 + size_t(std::countr_zero(word))));
        }
    }

    bool operator==(const Proposal &) const = default;
};

} // namespace quorlent::plan
