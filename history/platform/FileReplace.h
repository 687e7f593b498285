#pragma once

#include <QString>

namespace quorlent::platform {

// Moves `source` over `target` so that after a crash, a kill or a power cut the target is either
// the old file or the whole new one, never a part: the source's bytes reach the disk first, then it
// takes the target's name in one step, and the folder entry is made durable. Both lie in one folder
// and no handle to either may be open (Windows cannot replace an open file). Returns an empty text
// on success, else what failed.
QString replaceFile(const QString &source, const QString &target);

// Moves `source` to `target` the same way, where no file has that name yet: a file at `target`,
// or one that appears there meanwhile, is never replaced; the move then fails and both stay as
// they were. Returns an empty text on success, else what failed.
QString moveToNewName(const QString &source, const QString &target);

// Writes the file's bytes through to the disk. False when it cannot be opened or flushed.
bool syncFile(const QString &path);

} // namespace quorlent::platform
