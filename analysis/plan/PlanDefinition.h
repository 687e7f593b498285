#pragma once

#include "FieldError.h"
#include "Game.h"
#include "PlanRange.h"
#include "PlanSource.h"
#include "PrizeTable.h"
#include "Progression.h"

#include <QString>

namespace quorlent::plan {

// Everything a user sets for a plan: where its numbers come from, the play, the prize table, the
// progression, the starting balance and the range. What is saved as a 计划方案.
struct PlanDefinition
{
    SourceKind source = SourceKind::Digits;
    SearchSource search;
    SchemeSource scheme;
    DigitSource digits;
    TypedSource typed;
    QString play = QStringLiteral("five-direct");
    PrizeTable prizes;
    Progression progression;
    Money startBalance = 1000 * kCentsPerYuan;
    PlanRange range;

    // A plan of 杀号/定胆 with nothing killed, 五星直选, the game's prize table, 1 倍, 1000 元,
    // 近 1000 期; a search of the previous draw at fixed positions, all selected, 定位胆 at 个位.
    static PlanDefinition defaults(const Game &game);

    // Every field a plan cannot run with, each with its message: the source's own fields, an
    // unknown play, 守号 that do not fit the play, the prize table, the progression, the
    // starting balance. The range is checked where the history is known (PlanRange::resolve).
    FieldErrors validate() const;

    bool operator==(const PlanDefinition &) const = default;
};

} // namespace quorlent::plan
