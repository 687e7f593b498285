#include "ProgramFolder.h"

#include "AppInfo.h"
#include "ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

QString importFolderName()
{
    return QString::fromUtf16(quorlent::programfiles::kImportFolder);
}

} // namespace

QString programFolder(const QString &home, const QString &executableFolder)
{
    if (!home.isEmpty()) {
        QDir().mkpath(home);
        return QDir(home).absolutePath();
    }
    if (installedDataFolder(executableFolder).isEmpty() && canCreateFilesIn(executableFolder))
        return QDir(executableFolder).absolutePath();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

QString installedDataFolder(const QString &executableFolder)
{
    const QString data =
        QDir::cleanPath(QDir(executableFolder).filePath(QLatin1String(appinfo::kDataFromBin)));
    return QFileInfo(data).isDir() ? data : QString();
}

bool canCreateFilesIn(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quorlent-write-XXXXXX")));
    return probe.open(); // removed again when the probe goes
}

QString sampleHistoryFolder(const QString &executableFolder)
{
    const QString installed = installedDataFolder(executableFolder);
    const QString samples =
        QDir(installed.isEmpty() ? executableFolder : installed).filePath(importFolderName());
    return QFileInfo(samples).isDir() ? samples : QString();
}

bool offerSampleHistory(const QString &folder, const QString &samples)
{
    const QString target = QDir(folder).filePath(importFolderName());
    if (samples.isEmpty() || QFileInfo::exists(target) ||
        QFileInfo(samples).canonicalFilePath() == QFileInfo(target).canonicalFilePath())
        return true;
    if (!QDir().mkpath(target))
        return false;
    bool ok = true;
    const QDir from(samples);
    for (const QString &name : from.entryList(QDir::Files))
        ok = QFile::copy(from.filePath(name), QDir(target).filePath(name)) && ok;
    return ok;
}
