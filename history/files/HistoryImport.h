#pragma once

#include "FileOpResult.h"
#include "HistoryLine.h"

#include <span>

namespace quorlent {

class HistoryStore;

// Replaces the history with the draws of a text file the user chose (the 读取历史号文本 button).
// The name must end in "txt", in any case. The whole file is read and every record derived before
// the history is touched; a file that cannot be read or holds no acceptable line leaves the
// history as it was. Lines are taken in file order, neither sorted nor checked for repeats, and a
// line that starts with a blank is not a draw. The earlier-draw texts are not written.
FileOpResult importHistoryFile(HistoryStore &store, const QString &path, int segmentBase);

// Rebuilds the history from the backup file lsbf.txt in the program folder (the window's Dqzd):
// lines without blanks at their ends, every derived column recomputed with `segmentBase`, the
// earlier-draw texts filled. A missing or unreadable file, or one without an acceptable line,
// leaves the history as it was.
FileOpResult rebuildFromBackup(HistoryStore &store, const QString &programFolder, int segmentBase);

// Replaces the history with `lines` as one run, in one transaction. Empty `lines` empty it.
bool storeLines(HistoryStore &store, std::span<const HistoryLine> lines, int segmentBase,
                bool fillEarlierTexts);

} // namespace quorlent
