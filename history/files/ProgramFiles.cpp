#include "ProgramFiles.h"

#include <QDir>

namespace quorlent::programfiles {

QString backupPath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QString::fromUtf16(kBackupFile));
}

QString exportFileName(int32_t newestIssue, const Game &game)
{
    const QString issueText =
        game.isStandard() ? game.storedText(newestIssue) : game.displayForm(newestIssue);
    return QStringLiteral("更新至") + issueText + QStringLiteral("期历史号码.txt");
}

QString exportPath(const QString &programFolder, int32_t newestIssue, const Game &game)
{
    return QDir(programFolder).filePath(exportFileName(newestIssue, game));
}

} // namespace quorlent::programfiles
