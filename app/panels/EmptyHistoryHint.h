#pragma once

#include <QString>
#include <cstdint>

namespace quorlent {
class Game;
}

// What an empty history's grid says about how to begin, for the open history's game: the
// original game and the daily game point to the sample shipped for them in 历史号码/; any other
// game is told how to read in the user's own file, with a line in its own issue form.
namespace emptyhistory {

// The sample of the game in the program's 历史号码 folder ("示例每天一期.csv"); empty when none
// is shipped for it.
QString sampleFile(const quorlent::Game &game);
// A line of a file the import reads as `game`'s draw, for the issue `issue` (stored form).
QString exampleLine(const quorlent::Game &game, int32_t issue);
// The hint; `nextIssue` (stored form) is the issue the example line shows.
QString hint(const quorlent::Game &game, int32_t nextIssue);

} // namespace emptyhistory
