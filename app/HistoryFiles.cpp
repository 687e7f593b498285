#include "HistoryFiles.h"

#include "HistoryDb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace historyfiles {

namespace {

QString canonical(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

} // namespace

QString defaultPath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Varnibo.mdb"));
}

QString resolve(const QString &programFolder, const QString &entry)
{
    if (entry.isEmpty())
        return defaultPath(programFolder);
    return QDir(programFolder).filePath(entry); // a whole path stays as it is
}

QString remembered(const QString &programFolder, const QString &path)
{
    const QString file = canonical(path);
    if (file == canonical(defaultPath(programFolder)))
        return {};
    const QFileInfo info(file);
    if (canonical(info.absolutePath()) == canonical(programFolder))
        return info.fileName();
    return file;
}

QString newHistoryPath(const QString &programFolder, const QString &name, QString *error)
{
    const QString trimmed = name.trimmed();
    static const QString kForbidden = QStringLiteral("/\\:*?\"<>|");
    QString why;
    if (trimmed.isEmpty())
        why = QStringLiteral("请输入历史库的名称");
    else if (trimmed.size() > 60)
        why = QStringLiteral("名称太长（最多 60 个字）");
    else if (trimmed.startsWith(QLatin1Char('.')) ||
             std::any_of(trimmed.begin(), trimmed.end(),
                         [](QChar c) { return kForbidden.contains(c) || c.unicode() < 32; }))
        why = QStringLiteral("名称不能以“.”开头，也不能含有 / \\ : * ? \" < > |");
    const QString path = QDir(programFolder).filePath(trimmed + QStringLiteral(".mdb"));
    // An empty file of that name is what a killed creation left: the new history takes its place.
    if (why.isEmpty() && (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) &&
        !quorlent::HistoryDb::isLeftEmpty(path))
        why = QStringLiteral("程序目录中已有文件 %1，请换一个名称").arg(QFileInfo(path).fileName());
    if (why.isEmpty() && canonical(path) == canonical(defaultPath(programFolder)))
        why = QStringLiteral("Varnibo 是默认历史库的名称，请换一个名称");
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return {};
    }
    return path;
}

void removeUnfinishedCreations(const QString &programFolder)
{
    const QDir folder(programFolder);
    const QString pattern =
        QFileInfo(quorlent::HistoryDb::stagingPath(folder.filePath(QStringLiteral("*.mdb"))))
            .fileName() +
        QLatin1Char('*'); // with its journal files
    for (const QString &name : folder.entryList({pattern}, QDir::Files | QDir::Hidden))
        QFile::remove(folder.filePath(name));
}

QStringList withRecent(const QStringList &recent, const QString &path)
{
    QStringList files;
    const auto add = [&](const QString &file) {
        if (files.size() >= kRecentCount || !QFileInfo::exists(file))
            return;
        const QString c = canonical(file);
        for (const QString &f : files) {
            if (canonical(f) == c)
                return;
        }
        files << c;
    };
    add(path);
    for (const QString &file : recent)
        add(file);
    return files;
}

} // namespace historyfiles
