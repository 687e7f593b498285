#pragma once

#include "FileOpResult.h"

namespace quorlent {

class HistoryStore;

// Writes the history, oldest first, to "更新至<newest issue>期历史号码.txt" in the program folder:
// one line per draw in display form ("20160908078 35305"), CR LF, no header. The result's `path`
// is the file for the window to open. An empty history writes no file.
FileOpResult exportHistoryText(const HistoryStore &store, const QString &programFolder);

} // namespace quorlent
