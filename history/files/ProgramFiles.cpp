#include "ProgramFiles.h"

#include "Issue.h"

#include <QDir>

namespace quorlent::programfiles {

QString backupPath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QString::fromUtf16(kBackupFile));
}

QString exportFileName(int32_t newestIssue)
{
    return QStringLiteral("更新至") + issue::storedText(newestIssue) +
           QStringLiteral("期历史号码.txt");
}

QString exportPath(const QString &programFolder, int32_t newestIssue)
{
    return QDir(programFolder).filePath(exportFileName(newestIssue));
}

} // namespace quorlent::programfiles
