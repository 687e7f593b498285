#pragma once

#include "Game.h"
#include "HistoryRow.h"

#include <span>
#include <vector>

namespace quorlent::trend {

// What the missing-draw check (缺期检查) finds in a history in issue order.
struct MissingDrawReport
{
    // Issues first..last (both included, `count` of them, day roll-overs counted as the draws
    // go) that are not stored, between the oldest and the newest stored issue that can exist.
    struct Run
    {
        int32_t first = 0;
        int32_t last = 0;
        int64_t count = 0;
        bool operator==(const Run &) const = default;
    };
    // Days (yymmdd) from the oldest to the newest stored day with fewer issues stored than the
    // game draws a day: one entry per day that has some; consecutive days with none share one
    // entry. A year-numbered game has no short days: its pauses are not known in advance.
    struct ShortDays
    {
        int32_t firstDay = 0;
        int32_t lastDay = 0;
        int stored = 0;
        bool operator==(const ShortDays &) const = default;
    };
    // A stored issue that cannot exist: sequence 0 or above the game's last, or no calendar day.
    struct Impossible
    {
        int32_t issue = 0;
        bool badSequence = false; // else the date is no calendar day
        bool operator==(const Impossible &) const = default;
    };

    std::vector<Run> missing;
    int64_t missingCount = 0;
    std::vector<ShortDays> shortDays;
    std::vector<Impossible> impossible;
    // Issues stored more than once, each named once.
    std::vector<int32_t> repeated;
    // The oldest and newest stored issues that can exist; both 0 when there is none.
    int32_t oldest = 0;
    int32_t newest = 0;

    bool clean() const
    {
        return missing.empty() && shortDays.empty() && impossible.empty() && repeated.empty();
    }
};

// One pass over the rows, which must be in issue order (as the history keeps them). A missing
// draw sits between two stored ones (for a year-numbered game, as IssueOrdinals says); draws
// before the oldest stored issue or after the newest are not missing, yet the days they belong to
// still count as short.
MissingDrawReport checkMissingDraws(std::span<const HistoryRow> rows,
                                    const Game &game = Game::standard());

} // namespace quorlent::trend
