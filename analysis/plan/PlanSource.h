#pragma once

#include "Backtest.h"
#include "ConditionSet.h"
#include "DrawCodes.h"
#include "FieldError.h"

#include <QString>

#include <array>
#include <cstdint>

namespace quorlent::plan {

// Where a plan's numbers come from.
enum class SourceKind : uint8_t
{
    Search, // a search replayed before each draw: its top k outcomes
    Scheme, // a 缩水 方案: the numbers it leaves before each draw
    Digits, // 杀号 / 定胆: digits left out, or required, at each position
    Typed   // 守号: the same typed numbers before every draw
};

// A follow-pattern or combination search with the window's options. Before each draw of the
// range it is run, as the backtest runs it, on the draws of the range before that draw, with the
// reference pattern of the draw before it (上期) or N before it (前 N 期); its top k outcomes
// (largest counts first, equal counts in ascending value, as the tally grid ranks them) are the
// digits proposed at every position it tallies: one position in 直选 (定位胆), positions 1 to the
// chosen one in 组选. An outcome of 大小, 单双 or 段数 proposes the digits of that code.
struct SearchSource
{
    BacktestRequest::Search search = BacktestRequest::Search::Follow;
    SearchRequest request; // its reference and 起/止 texts are not read
    TallyOptions tally;
    int top = 1; // k

    FieldErrors validate() const;
    bool operator==(const SearchSource &) const = default;
};

// A 缩水 方案: the numbers its switched-on conditions leave before each draw, conditions that read
// earlier draws (重号, 冷号, 热号) reading only the draws before it.
struct SchemeSource
{
    QString name;
    filter::ConditionSet set;

    FieldErrors validate() const;
    bool operator==(const SchemeSource &) const = default;
};

// 杀号 / 定胆: at each position, the required digits (none: any digit) less the digits killed
// there and everywhere.
struct DigitSource
{
    uint16_t killedEverywhere = 0;
    std::array<uint16_t, kPositions> killed{};
    std::array<uint16_t, kPositions> required{};

    // The digits left at each position (bit d for digit d).
    std::array<uint16_t, kPositions> allowed() const;
    FieldErrors validate() const;
    bool operator==(const DigitSource &) const = default;
};

// 守号: numbers typed or pasted, one a line or separated by blanks (commas and semicolons too),
// played before every draw. Read by the play chosen (a 五星 number has five digits).
struct TypedSource
{
    QString text;

    QStringList tokens() const;
    bool operator==(const TypedSource &) const = default;
};

} // namespace quorlent::plan
