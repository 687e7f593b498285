#pragma once

#include "FileOpResult.h"
#include "HistoryLine.h"
#include "HistoryTextReader.h"

#include <optional>
#include <span>
#include <vector>

namespace quorlent {

class HistoryStore;

// Replaces the history with the draws of a text file the user chose (the 读取历史号文本 button).
// The name must end in "txt", in any case. The whole file is read and every record derived before
// the history is touched; a file that cannot be read or holds no acceptable line leaves the
// history as it was. Lines are taken in file order, neither sorted nor checked for repeats, and a
// line that starts with a blank is not a draw. The earlier-draw texts are not written.
FileOpResult importHistoryFile(HistoryStore &store, const QString &path, int segmentBase);

// A text file in the program's own line form, read once for the import and for what is asked
// before it: the lines the import takes into this history (in file order), `why` what stops the
// import (empty when nothing does), `formNote` what was refused for the game.
struct HistoryFileRead
{
    QString path;
    HistoryTextReader::Result read;
    QString why;
    QString formNote;
};
HistoryFileRead readHistoryFile(const HistoryStore &store, const QString &path);
// importHistoryFile() on a file already read.
FileOpResult importHistoryFile(HistoryStore &store, const HistoryFileRead &file, int segmentBase);

// A stored draw that replacing the history with a file would lose: the file does not list its
// issue, or lists it only with other digits (`fileDigits`): typed in after the file's newest
// draw, or corrected since the file was written.
struct LostDraw
{
    int32_t sqqh = 0;
    Digits stored{};
    std::optional<Digits> fileDigits;
};

// The stored draws that importHistoryFile() with this file would lose, in issue order: those from
// the file's oldest draw on that the lines it takes do not hold with the same digits. Draws before
// the file's oldest are not counted: a file that starts later stands for a new history. Empty
// when the file cannot be read.
std::vector<LostDraw> drawsLostByImport(const HistoryStore &store, const HistoryFileRead &file);

// Adds the draws of a text file in the program's own line form to the history, as the import
// preview adds a file: the issues the history does not have take their places in issue order
// (the first line of an issue listed twice), and every stored draw stays as it is, digits and
// corrections included. One transaction; a file without an acceptable line changes nothing.
FileOpResult addHistoryFile(HistoryStore &store, const HistoryFileRead &file, int segmentBase);

// Rebuilds the history from the backup file lsbf.txt in the program folder (the window's Dqzd):
// lines without blanks at their ends, every derived column recomputed with `segmentBase`, the
// earlier-draw texts filled. A missing or unreadable file, or one without an acceptable line,
// leaves the history as it was.
FileOpResult rebuildFromBackup(HistoryStore &store, const QString &programFolder, int segmentBase);

// Replaces the history with `lines` as one run, in one transaction. Empty `lines` empty it.
bool storeLines(HistoryStore &store, std::span<const HistoryLine> lines, int segmentBase,
                bool fillEarlierTexts);

} // namespace quorlent
