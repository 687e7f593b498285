#include "HistoryImport.h"

#include "HistoryStore.h"
#include "HistoryTextReader.h"
#include "MergePlan.h"
#include "ProgramFiles.h"

#include <QFileInfo>

#include <algorithm>

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

bool isTextFileName(const QString &path)
{
    return path.right(3).toLower() == QLatin1String("txt");
}

bool byIssueThenDigits(const HistoryLine &a, const HistoryLine &b)
{
    return a.sqqh != b.sqqh ? a.sqqh < b.sqqh : a.digits < b.digits;
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

HistoryFileRead readHistoryFile(const HistoryStore &store, const QString &path)
{
    HistoryFileRead file;
    file.path = path;
    const QString name = QFileInfo(path).fileName();
    const Game &game = store.game();
    file.read = HistoryTextReader::read(path, LineMode::Import, game);
    if (!file.read.readOk) {
        file.why =
            QStringLiteral("无法读取文件 %1（%2），历史号码未改动。").arg(name, file.read.error);
        return file;
    }
    const qsizetype impossible = dropImpossibleIssues(game, file.read);
    if (impossible > 0)
        file.formNote =
            QStringLiteral("有 %1 行的期号不合本彩种，%2。").arg(impossible).arg(game.formHint());
    if (file.read.lines.empty())
        file.why = QStringLiteral("文件 %1 中没有可读入的历史号码，历史号码未改动。").arg(name) +
                   file.formNote;
    return file;
}

FileOpResult importHistoryFile(HistoryStore &store, const QString &path, int segmentBase)
{
    // What cannot be imported is said before the file is read.
    if (!isTextFileName(path) || !store.isOpen())
        return importHistoryFile(store, HistoryFileRead{path, {}, {}, {}}, segmentBase);
    return importHistoryFile(store, readHistoryFile(store, path), segmentBase);
}

FileOpResult importHistoryFile(HistoryStore &store, const HistoryFileRead &file, int segmentBase)
{
    if (!isTextFileName(file.path))
        return FileOpResult::failure(
            QStringLiteral("只能读入文件名以 txt 结尾的文本文件，历史号码未改动。"));
    if (!store.isOpen())
        return FileOpResult::failure(QStringLiteral("历史数据库没有打开，历史号码未改动。"));
    if (!file.why.isEmpty())
        return FileOpResult::failure(file.why);
    if (!storeLines(store, file.read.lines, segmentBase, false))
        return FileOpResult::failure(QStringLiteral("写入历史数据库失败，历史号码未改动。"));

    FileOpResult result = stored(file.read, QStringLiteral("已读入 %1 期历史号码%2。"));
    result.message += file.formNote;
    return result;
}

std::vector<LostDraw> drawsLostByImport(const HistoryStore &store, const HistoryFileRead &file)
{
    std::vector<LostDraw> lost;
    if (!file.read.readOk || file.read.lines.empty())
        return lost;
    std::vector<HistoryLine> lines = file.read.lines; // the import takes them in file order
    std::sort(lines.begin(), lines.end(), byIssueThenDigits);
    for (const HistoryRow &row : store.rows()) {
        if (row.sqqh < lines.front().sqqh)
            continue; // a file that starts later replaces the older history, as it always has
        const auto [first, last] = std::equal_range(
            lines.begin(), lines.end(), HistoryLine{row.sqqh, {}, 0},
            [](const HistoryLine &a, const HistoryLine &b) { return a.sqqh < b.sqqh; });
        const bool listed = std::any_of(
            first, last, [&](const HistoryLine &line) { return line.digits == row.digits(); });
        if (!listed)
            lost.push_back({row.sqqh, row.digits(),
                            first == last ? std::nullopt : std::optional(first->digits)});
    }
    return lost;
}

FileOpResult addHistoryFile(HistoryStore &store, const HistoryFileRead &file, int segmentBase)
{
    if (!store.isOpen())
        return FileOpResult::failure(QStringLiteral("历史数据库没有打开，历史号码未改动。"));
    if (!file.why.isEmpty())
        return FileOpResult::failure(file.why);
    std::vector<HistoryLine> lines = file.read.lines;
    std::stable_sort(lines.begin(), lines.end(),
                     [](const HistoryLine &a, const HistoryLine &b) { return a.sqqh < b.sqqh; });
    lines.erase(
        std::unique(lines.begin(), lines.end(),
                    [](const HistoryLine &a, const HistoryLine &b) { return a.sqqh == b.sqqh; }),
        lines.end());
    const import::MergePlan plan = import::MergePlan::of(store.rows(), lines, {});
    std::vector<DatedDraw> draws;
    draws.reserve(plan.newDraws.size());
    for (const HistoryLine &line : plan.newDraws)
        draws.push_back({line.sqqh, line.digits, line.date});
    if (!store.mergeDraws(draws, {}, segmentBase))
        return FileOpResult::failure(QStringLiteral("写入历史数据库失败，历史号码未改动。"));
    FileOpResult result;
    result.ok = true;
    result.count = qsizetype(draws.size());
    result.skippedLines = file.read.skippedLines;
    result.message = QStringLiteral("已添加 %1 期，跳过相同的 %2 期，保留已存号码 %3 期"
                                    "（文件中的号码不同）%4。")
                         .arg(draws.size())
                         .arg(plan.sameIssues.size())
                         .arg(plan.conflicts.size())
                         .arg(skippedNote(file.read.skippedLines)) +
                     file.formNote;
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
