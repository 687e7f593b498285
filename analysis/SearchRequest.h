#pragma once

#include "DrawCodes.h"
#include "Game.h"

#include <QString>
#include <array>

namespace quorlent {

// Everything either search needs from the window's option controls and boxes at the moment its
// button is pressed. Values are taken as the user left them; each search decides what an odd
// value means, so the window passes them on without checking.
struct SearchRequest
{
    // 自由位 (true): the reference values may stand anywhere in the compared draw.
    // 固定位 (false): each reference value must stand at its own position.
    bool freePositions = true;

    // 上期 (true): each row is judged by the draw just before it.
    // 前 N 期 (false): by the draw `earlierDistance` issues before it.
    bool previousDraw = true;
    int earlierDistance = 1; // N of 前 N 期; below 1 counts as 1

    Kind kind = Kind::Number; // search kind (intLei)

    // The reference pattern, positions 1..5 at indexes 0..4, in the search kind. May hold values
    // outside the kind's range (typed by the user); they never match.
    std::array<int, kPositions> reference{};

    // Positions taking part in the follow search; the combination search always uses all five.
    std::array<bool, kPositions> selected{};

    // k of the combination search; only 1..5 select combinations, anything else marks nothing.
    int combinationWidth = 1;

    // The texts of the 起 and 止 boxes, read as issues of `game` (for the original game only their
    // last nine characters count).
    QString rangeStart;
    QString rangeEnd;
    Game game = Game::standard();

    int distance() const { return earlierDistance < 1 ? 1 : earlierDistance; }

    bool operator==(const SearchRequest &) const = default;
};

} // namespace quorlent
