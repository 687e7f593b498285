#include "DatabaseCompactor.h"

#include "FileReplace.h"
#include "HistoryStore.h"
#include "ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorlent {

namespace {

const char *const kSidecarSuffixes[] = {"-journal", "-wal", "-shm"};

// A journal left beside a database file would be played back into whatever file carries that
// name next, so none may survive next to a file that is about to be replaced or created.
bool removeSidecars(const QString &databasePath)
{
    bool ok = true;
    for (const char *suffix : kSidecarSuffixes) {
        const QString sidecar = databasePath + QLatin1String(suffix);
        if (QFileInfo::exists(sidecar) && !QFile::remove(sidecar))
            ok = false;
    }
    return ok;
}

bool removeIfPresent(const QString &path)
{
    const QFileInfo info(path);
    return !(info.exists() || info.isSymLink()) || QFile::remove(path);
}

QString checkIntegrity(SqliteDb &db)
{
    Statement stmt = db.prepare("PRAGMA integrity_check");
    if (!stmt.isValid())
        return QString::fromStdString(db.lastError());
    if (stmt.step() != SQLITE_ROW)
        return QString::fromStdString(db.lastError());
    const std::string first = stmt.columnText(0);
    if (first == "ok")
        return {};
    return QStringLiteral("数据库检查未通过：%1").arg(QString::fromStdString(first));
}

QString vacuumInto(SqliteDb &db, const QString &target)
{
    Statement stmt = db.prepare("VACUUM INTO ?");
    if (!stmt.isValid())
        return QString::fromStdString(db.lastError());
    stmt.bind(1, target.toUtf8().toStdString()); // SQLite names files in UTF-8
    if (stmt.step() != SQLITE_DONE)
        return QString::fromStdString(db.lastError());
    return {};
}

// Copies `source` beside `target` and moves the copy over it: the target is the old file or the
// whole copy at every moment. A copy left by a kill is removed by the next compaction.
QString replaceByCopy(const QString &source, const QString &target)
{
    const QString staging = target + QStringLiteral(".new");
    if (!removeIfPresent(staging))
        return QStringLiteral("无法删除旧的 %1").arg(QFileInfo(staging).fileName());
    QFile in(source);
    if (!in.copy(staging))
        return in.errorString();
    const QString error = platform::replaceFile(staging, target);
    if (!error.isEmpty())
        QFile::remove(staging);
    return error;
}

} // namespace

FileOpResult compactDatabase(HistoryStore &store)
{
    std::unique_ptr<HistoryDb> db = store.takeDb();
    if (!db)
        return FileOpResult::failure(QStringLiteral("历史数据库没有打开，无法压缩。"));
    const QString path = db->path();
    const QString copy =
        QFileInfo(path).dir().filePath(QString::fromUtf16(programfiles::kCompactCopy));

    QString error = checkIntegrity(db->sql());
    if (error.isEmpty() && !(removeIfPresent(copy) && removeSidecars(copy)))
        error = QStringLiteral("无法删除旧的 %1").arg(QFileInfo(copy).fileName());
    if (error.isEmpty())
        error = vacuumInto(db->sql(), copy);

    db.reset(); // closes the file: a clean close leaves no journal behind
    if (error.isEmpty() && !removeSidecars(copy))
        error = QStringLiteral("无法删除 %1 的日志文件").arg(QFileInfo(copy).fileName());
    if (error.isEmpty() && !removeSidecars(path))
        error = QStringLiteral("无法删除 %1 的日志文件").arg(QFileInfo(path).fileName());
    if (error.isEmpty())
        error = replaceByCopy(copy, path);

    // Whether compacted or not, the file at `path` is a whole database now, unless someone took it
    // away meanwhile: then an empty database must not be created in its place.
    if (!QFileInfo::exists(path)) {
        return FileOpResult::failure(QStringLiteral("压缩时历史数据库 %1 不见了，没有重新打开。")
                                         .arg(QFileInfo(path).fileName()));
    }
    HistoryDb::OpenResult reopened = HistoryDb::openOrCreate(path);
    if (!reopened.db) {
        return FileOpResult::failure(
            QStringLiteral("数据库压缩后无法重新打开：%1").arg(reopened.message));
    }
    store.adoptDb(std::move(reopened.db));
    if (!error.isEmpty()) {
        return FileOpResult::failure(
            QStringLiteral("数据库压缩失败（%1），已重新打开未压缩的数据库。").arg(error));
    }
    FileOpResult result;
    result.ok = true;
    result.compacted = true;
    result.message = QStringLiteral("数据库已压缩。");
    return result;
}

} // namespace quorlent
