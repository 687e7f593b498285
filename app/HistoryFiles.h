#pragma once

#include <QString>
#include <QStringList>

// Where the histories lie: the default history Varnibo.mdb and the other history files of the
// program folder, the one the program was left on, and the recently used ones. No widgets.
namespace historyfiles {

inline constexpr int kRecentCount = 6;

// The default history of a program folder.
QString defaultPath(const QString &programFolder);

// The file a remembered entry names: a bare name lies in the program folder; empty for the
// default history.
QString resolve(const QString &programFolder, const QString &remembered);
// How a history file is remembered: empty for the default history, the bare name for a file in
// the program folder, else the whole path.
QString remembered(const QString &programFolder, const QString &path);

// The file of a new history called `name`: "<name>.mdb" in the program folder. Empty, with the
// reason in `error`, for a name that cannot be a file name or a file that exists already (an
// empty one excepted: it holds nothing, and the new history takes its place).
QString newHistoryPath(const QString &programFolder, const QString &name, QString *error);

// Removes what a creation killed before its file took its name left in the program folder.
void removeUnfinishedCreations(const QString &programFolder);

// The recent list with `path` put first, each file once, the missing ones left out, at most
// kRecentCount of them.
QStringList withRecent(const QStringList &recent, const QString &path);

} // namespace historyfiles
