#pragma once

#include "Game.h"
#include "ReadResult.h"
#include "SourceText.h"
#include "TableLayout.h"

namespace quorlent::import {

// Reads a file's table with a layout and a game into the draws to store and the rows refused.
// A row is refused, never stored, when its issue is missing, not of the game's form or one the
// game cannot have; when its digits are not five; when its date cannot be read or, for a game
// whose issue holds the date, is another day than the issue's; when its issue repeats one stored
// or breaks the file's order; and, numbered by year, when its date already has the game's draws
// of a day. What is stored is therefore in strict issue order.
class TableReader
{
  public:
    // How many rows with an issue decide the file's order.
    static constexpr int kOrderRows = 5000;

    static ReadResult read(const SourceText &source, const TableLayout &layout, const Game &game);
    // The order the table lists its draws in: the way most of its first rows follow each other.
    static DrawOrder orderOf(const SourceText &source, const TableLayout &layout, const Game &game);
};

} // namespace quorlent::import
