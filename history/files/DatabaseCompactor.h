#pragma once

#include "FileOpResult.h"

namespace quorlent {

class HistoryStore;

// Compacts the store's database file (the window's CompactDb). The only copy of the history is
// never deleted: the file is checked, written compacted into VarniboTmp.mdb beside it, copied from
// there to a temporary file that is synced to disk, and that file is renamed over the database in
// one step. VarniboTmp.mdb stays as a copy until the next compaction replaces it.
//
// The store's database is closed meanwhile and open again afterwards; its rows in memory are not
// touched. When any step fails, the uncompacted file is opened again and the result says why.
FileOpResult compactDatabase(HistoryStore &store);

} // namespace quorlent
