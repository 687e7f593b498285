// HistoryDb's new files: made whole under a name of their own, then moved into place.
#include "HistoryDb.h"

#include "FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>

namespace quorlent {

namespace {

// Removes a database file (or, with `sidecarsOnly`, only the journal files SQLite keeps beside it).
void removeWithSidecars(const QString &path, bool sidecarsOnly = false)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"}) {
        if (!(sidecarsOnly && !*suffix))
            QFile::remove(path + QLatin1String(suffix));
    }
}

} // namespace

bool HistoryDb::isLeftEmpty(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink() && info.size() == 0;
}

QString HistoryDb::stagingPath(const QString &path)
{
    const QFileInfo info(path);
    return info.dir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".creating"));
}

// A new file is made whole under a name of its own beside `path` and then takes its name in one
// step: a kill at any moment leaves no file at `path` or a whole history, never an empty or a
// half-made file that would then not be ours. An empty file at `path` (what such a kill left
// before files were made so) holds nothing and is replaced; any other file is opened as it is.
HistoryDb::OpenResult HistoryDb::openPlaced(const QString &path, const Game *newGame,
                                            const QString &name)
{
    const bool replacingEmpty = isLeftEmpty(path);
    if ((QFileInfo::exists(path) || QFileInfo(path).isSymLink()) && !replacingEmpty)
        return openFile(path, newGame, name);
    const QString staging = stagingPath(path);
    removeWithSidecars(staging); // what a killed creation of the same name left
    OpenResult made = openFile(staging, newGame, name);
    const bool built = made.db != nullptr;
    made.db.reset(); // a clean close leaves no journal behind
    QString error;
    if (!built) {
        error = made.message;
    } else {
        // A journal left beside an empty file would be played back into the new one.
        removeWithSidecars(path, true);
        error = replacingEmpty ? platform::replaceFile(staging, path)
                               : platform::moveToNewName(staging, path);
    }
    if (!error.isEmpty()) {
        removeWithSidecars(staging);
        OpenResult failed;
        failed.message =
            QObject::tr("无法新建历史数据库 %1：%2").arg(QFileInfo(path).fileName(), error);
        return failed;
    }
    OpenResult result = openFile(path, nullptr, {});
    if (result.db)
        result.status = OpenStatus::Created;
    return result;
}

} // namespace quorlent
