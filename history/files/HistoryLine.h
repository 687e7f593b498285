#pragma once

#include "DrawCodes.h"
#include "Game.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace quorlent {

// How a line is read: import files are taken as they are, so a line that starts with a blank is
// not a draw; the backup file is read with blanks removed at both ends of every line.
enum class LineMode
{
    Import,
    Rebuild
};

// One history text line: the nine stored digits in positions 1-9, one separator of any
// kind in position 10, the five digits from position 11 on ("160908078 35305"). That is the
// original game's line; another game's issue takes its own stored length (eight digits for a
// two-digit sequence, five for the year forms), and every position after it moves with it.
//
// A line is a draw when
//  - it is longer than 10 characters and its first nine characters are all ASCII digits (the
//    issue; no sign, no blank, no other kind of digit), and
//  - the text in positions 11 to 18, without blanks at either end, is a plain unsigned decimal
//    number (ASCII digits only) of at most 99999 and at least five characters long; the draw is
//    its first five characters, so "035305" gives 0,3,5,3,0 and "123456" is refused.
// A group of fewer than five characters ("353") is refused: it cannot name five digits, and
// padding it with zeros would store a draw nobody drew.
struct HistoryLine
{
    int32_t sqqh = 0;
    Digits digits{};
    int32_t date = 0; // yyyymmdd where known and the game numbers by year; never in the line

    // Issue 0 passes the checks but is never stored.
    bool storable() const { return sqqh >= 1; }
    bool operator==(const HistoryLine &) const = default;
};

std::optional<HistoryLine> parseHistoryLine(QStringView line, LineMode mode,
                                            const Game &game = Game::standard());

// The line as the backup file holds it: nine stored digits, a blank, the five digits.
QString backupLine(int32_t sqqh, const Digits &digits, const Game &game = Game::standard());
// The line as the text export writes it: the eleven-digit display form, a blank, the digits;
// for a game numbered by year, a blank and the draw's date (yyyy-MM-dd) follow where known.
QString displayLine(int32_t sqqh, const Digits &digits, const Game &game = Game::standard(),
                    int32_t date = 0);

} // namespace quorlent
