#pragma once

#include "FileOpResult.h"
#include "Game.h"

#include <QString>
#include <optional>

namespace quorlent {

class HistoryStore;

// The entries of the two deletion input boxes, checked before anything is touched: an entry that
// gives no value means the window does nothing, not even write lsbf.txt.

// "删除到选定期": an issue typed in display form, eleven ASCII digits starting with "20" (blanks
// around it allowed); the stored issue is the entry without its first two characters and must be
// positive. Anything shorter is refused rather than cut: "160908078" cut by two characters would
// name an issue of the year 2000 and delete nearly everything. Another game's issue is typed in
// its own display form, whole.
std::optional<int32_t> parseDeleteToEntry(const QString &entry, const Game &game = Game::standard());
// The text the box starts with: the issue before `nextIssue` (the next-issue display's value) in
// display form, which keeps every stored draw.
QString deleteToDefaultEntry(int32_t nextIssue, const Game &game = Game::standard());
// "删除最后指定数量期历史": a positive whole number of ASCII digits (blanks around it allowed).
std::optional<qsizetype> parseDeleteCountEntry(const QString &entry);

// Keeps the draws up to and including issue `lastKept` and removes the later ones. Like the other
// deletion below it writes the kept draws to lsbf.txt, rebuilds the history from that file in one
// transaction (recomputing every row with `segmentBase`, so even a deletion that removes nothing
// brings the stored codes to the segment base in force) and then compacts the database. An issue
// older than the oldest draw keeps nothing. A compaction that fails does not undo the deletion:
// the result is still ok, `compacted` is false and the message says why.
FileOpResult deleteToIssue(HistoryStore &store, const QString &programFolder, int32_t lastKept,
                           int segmentBase);
// Removes the `count` newest draws; a count at least the size of the history empties it.
FileOpResult deleteLastDraws(HistoryStore &store, const QString &programFolder, qsizetype count,
                             int segmentBase);
// Removes the newest draw, then compacts the database. An empty history is left alone.
FileOpResult deleteNewestDraw(HistoryStore &store);
// Removes every draw, without compaction ("清空历史号码", after the user confirmed).
FileOpResult clearHistory(HistoryStore &store);

} // namespace quorlent
