#include "HistoryImport.h"

#include "HistoryStore.h"
#include "HistoryTextReader.h"
#include "ProgramFiles.h"

#include <QFileInfo>

namespace quorlent {

namespace {

QString skippedNote(qsizetype skipped)
{
    return skipped > 0 ? QStringLiteral("（跳过 %1 行）").arg(skipped) : QString();
}

// The original game takes every line the line form admits, as it always has; another game also
// refuses the issues it cannot have (a sequence beyond its draws a day, a day that does not exist).
qsizetype dropImpossibleIssues(const Game &game, HistoryTextReader::Result &read)
{
    if (game.isStandard())
        return 0;
    const auto impossible = [&](const HistoryLine &line) { return !game.exists(line.sqqh); };
    const auto dropped = std::erase_if(read.lines, impossible);
    read.skippedLines += static_cast<qsizetype>(dropped);
    return static_cast<qsizetype>(dropped);
}

// `message` takes the number of stored draws and the note on skipped lines.
FileOpResult stored(const HistoryTextReader::Result &read, const QString &message)
{
    FileOpResult result;
    result.ok = true;
    result.count = static_cast<qsizetype>(read.lines.size());
    result.skippedLines = read.skippedLines;
    result.message = message.arg(result.count).arg(skippedNote(read.skippedLines));
    return result;
}

} // namespace

bool storeLines(HistoryStore &store, std::span<const HistoryLine> lines, int segmentBase,
                bool fillEarlierTexts)
{
    DrawRun run;
    run.setFillEarlierTexts(fillEarlierTexts);
    size_t next = 0;
    return store.replaceAll(
        [&](DrawRecord &record) {
            if (next == lines.size())
                return false;
            const HistoryLine &line = lines[next++];
            record = run.append(line.sqqh, line.digits, segmentBase);
            record.date = line.date;
            return true;
        },
        lines.size());
}

FileOpResult importHistoryFile(HistoryStore &store, const QString &path, int segmentBase)
{
    const QString name = QFileInfo(path).fileName();
    if (path.right(3).toLower() != QLatin1String("txt"))
        return FileOpResult::failure(
            QStringLiteral("只能读入文件名以 txt 结尾的文本文件，历史号码未改动。"));
    if (!store.isOpen())
        return FileOpResult::failure(QStringLiteral("历史数据库没有打开，历史号码未改动。"));

    const Game &game = store.game();
    HistoryTextReader::Result read = HistoryTextReader::read(path, LineMode::Import, game);
    if (!read.readOk)
        return FileOpResult::failure(
            QStringLiteral("无法读取文件 %1（%2），历史号码未改动。").arg(name, read.error));
    const qsizetype impossible = dropImpossibleIssues(game, read);
    const QString formNote =
        impossible > 0 ? QStringLiteral("有 %1 行的期号不合本彩种，%2。").arg(impossible).arg(game.formHint())
                       : QString();
    if (read.lines.empty())
        return FileOpResult::failure(
            QStringLiteral("文件 %1 中没有可读入的历史号码，历史号码未改动。").arg(name) + formNote);
    if (!storeLines(store, read.lines, segmentBase, false))
        return FileOpResult::failure(QStringLiteral("写入历史数据库失败，历史号码未改动。"));

    FileOpResult result = stored(read, QStringLiteral("已读入 %1 期历史号码%2。"));
    result.message += formNote;
    return result;
}

FileOpResult rebuildFromBackup(HistoryStore &store, const QString &programFolder, int segmentBase)
{
    const QString path = programfiles::backupPath(programFolder);
    if (!store.isOpen())
        return FileOpResult::failure(QStringLiteral("历史数据库没有打开，历史号码未改动。"));
    if (!QFileInfo::exists(path))
        return FileOpResult::failure(QStringLiteral("找不到备份文件 lsbf.txt，历史号码未改动。"));

    const HistoryTextReader::Result read =
        HistoryTextReader::read(path, LineMode::Rebuild, store.game());
    if (!read.readOk)
        return FileOpResult::failure(
            QStringLiteral("无法读取备份文件 lsbf.txt（%1），历史号码未改动。").arg(read.error));
    if (read.lines.empty())
        return FileOpResult::failure(
            QStringLiteral("备份文件 lsbf.txt 中没有可用的历史号码，历史号码未改动。"));
    if (!storeLines(store, read.lines, segmentBase, true))
        return FileOpResult::failure(QStringLiteral("写入历史数据库失败，历史号码未改动。"));

    return stored(read, QStringLiteral("已按备份文件重建 %1 期历史号码%2。"));
}

} // namespace quorlent
