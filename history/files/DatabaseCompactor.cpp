#include "DatabaseCompactor.h"

#include "HistoryStore.h"
#include "ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

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

// The rename is only durable once the folder's entry is on disk too.
void syncFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
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
    stmt.bind(1, QFile::encodeName(target).toStdString());
    if (stmt.step() != SQLITE_DONE)
        return QString::fromStdString(db.lastError());
    return {};
}

// Copies `source` to a temporary file beside `target`, syncs it and renames it over `target`.
QString replaceByCopy(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return out.errorString();
    constexpr qint64 kChunk = 4 << 20;
    QByteArray buffer;
    while (!in.atEnd()) {
        buffer = in.read(kChunk);
        if (in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            return in.errorString();
        }
        if (out.write(buffer) != buffer.size())
            return out.errorString();
    }
    if (!out.commit()) // syncs the temporary file, then renames it over the target
        return out.errorString();
    syncFolder(QFileInfo(target).absolutePath());
    return {};
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
