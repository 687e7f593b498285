#include "ProgramFolder.h"

#include "AppInfo.h"
#include "ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
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
    if (!isInstalledCopy(executableFolder) && canCreateFilesIn(executableFolder))
        return QDir(executableFolder).absolutePath();
    const QString data = perUserDataFolder();
    QDir().mkpath(data);
    return data;
}

bool isInstalledCopy(const QString &executableFolder)
{
#ifdef Q_OS_WIN
    return QFileInfo::exists(QDir(executableFolder).filePath(QLatin1String(kInstalledMarker)));
#else
    return !installedDataFolder(executableFolder).isEmpty();
#endif
}

QString perUserDataFolder()
{
#ifdef Q_OS_WIN
    // GenericDataLocation is %LOCALAPPDATA% itself; the program's own folder is named as the
    // installer and the help name it, whatever the application name.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Quorlent"));
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#endif
}

void useSettingsFolderOf(const QString &folder)
{
#ifdef Q_OS_WIN
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
#else
    Q_UNUSED(folder); // QSettings' own per-user folder, which follows $XDG_CONFIG_HOME
#endif
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
