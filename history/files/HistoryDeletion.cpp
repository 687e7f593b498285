#include "HistoryDeletion.h"

#include "DatabaseCompactor.h"
#include "HistoryImport.h"
#include "HistoryStore.h"
#include "HistoryTextReader.h"
#include "HistoryTextWriter.h"
#include "ProgramFiles.h"

#include <algorithm>

namespace quorlent {

namespace {

bool allAsciiDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= u'0' && c.unicode() <= u'9';
    });
}

QString compactionNote(const FileOpResult &compaction)
{
    return compaction.ok ? QString() : compaction.message;
}

// The kept rows as the rebuild must read them back. Rows whose issue has no stored form of the
// game's length cannot pass through the backup file; the rebuild would drop them, as it always has.
std::vector<HistoryLine> expectedLines(std::span<const HistoryRow> kept, const Game &game)
{
    int32_t largest = 1;
    for (int i = 0; i < game.storedLength(); ++i)
        largest *= 10;
    std::vector<HistoryLine> lines;
    lines.reserve(kept.size());
    for (const HistoryRow &row : kept) {
        if (row.sqqh >= 1 && row.sqqh < largest)
            lines.push_back({row.sqqh, row.digits()});
    }
    return lines;
}

// The backup file holds no dates: a game numbered by year takes them from the rows it keeps.
void carryDates(std::span<const HistoryRow> kept, std::vector<HistoryLine> &lines)
{
    size_t k = 0;
    for (HistoryLine &line : lines) {
        while (k < kept.size() && kept[k].sqqh != line.sqqh)
            ++k;
        if (k < kept.size())
            line.date = kept[k++].date;
    }
}

// Writes `kept` (a prefix of the store's rows) to lsbf.txt, rebuilds the history from the file and
// compacts the database.
FileOpResult keepAndRebuild(HistoryStore &store, const QString &programFolder, qsizetype keptCount,
                            int segmentBase)
{
    const qsizetype before = static_cast<qsizetype>(store.size());
    const std::span<const HistoryRow> kept(store.rows().data(), static_cast<size_t>(keptCount));
    const QString path = programfiles::backupPath(programFolder);
    const Game &game = store.game();

    QString error;
    if (!HistoryTextWriter::write(path, kept, HistoryTextWriter::Form::Backup, &error, game))
        return FileOpResult::failure(
            QStringLiteral("无法写入备份文件 lsbf.txt（%1），历史号码未改动。").arg(error));
    HistoryTextReader::Result read = HistoryTextReader::read(path, LineMode::Rebuild, game);
    if (!read.readOk)
        return FileOpResult::failure(
            QStringLiteral("无法读取备份文件 lsbf.txt（%1），历史号码未改动。").arg(read.error));
    // The rebuild stores what the file says; if that is not exactly the draws meant to stay (a
    // disk that lied, another program writing the file), nothing is stored.
    if (read.lines != expectedLines(kept, game))
        return FileOpResult::failure(
            QStringLiteral("备份文件 lsbf.txt 与要保留的历史号码不符，历史号码未改动。"));
    if (game.numbersByYear())
        carryDates(kept, read.lines);
    // `kept` points into the store's rows, which the rebuild replaces: not used after this line.
    if (!storeLines(store, read.lines, segmentBase, true))
        return FileOpResult::failure(QStringLiteral("写入历史数据库失败，历史号码未改动。"));

    const FileOpResult compaction = compactDatabase(store);
    FileOpResult result;
    result.ok = true;
    result.count = static_cast<qsizetype>(store.size());
    result.removed = before - result.count;
    result.compacted = compaction.ok;
    result.message = QStringLiteral("已删除 %1 期，保留 %2 期历史号码。%3")
                         .arg(result.removed)
                         .arg(result.count)
                         .arg(compactionNote(compaction));
    return result;
}

} // namespace

std::optional<int32_t> parseDeleteToEntry(const QString &entry, const Game &game)
{
    const QString text = entry.trimmed();
    if (text.size() != game.displayLength() || !allAsciiDigits(text))
        return std::nullopt;
    const std::optional<int32_t> stored = game.fromDisplay(text);
    // Written whole in the shown form: "30160908077" is no issue, although it ends in one.
    if (!stored || *stored < 1 || game.displayForm(*stored) != text)
        return std::nullopt;
    return stored;
}

QString deleteToDefaultEntry(int32_t nextIssue, const Game &game)
{
    return game.displayForm(nextIssue - 1);
}

std::optional<qsizetype> parseDeleteCountEntry(const QString &entry)
{
    const QString text = entry.trimmed();
    if (text.size() > 18 || !allAsciiDigits(text))
        return std::nullopt;
    const qsizetype count = QStringView(text).toLongLong();
    if (count < 1)
        return std::nullopt;
    return count;
}

FileOpResult deleteToIssue(HistoryStore &store, const QString &programFolder, int32_t lastKept,
                           int segmentBase)
{
    if (lastKept < 1)
        return FileOpResult::failure(QStringLiteral("输入的期号无效，历史号码未改动。"));
    if (!store.isOpen())
        return FileOpResult::failure(QStringLiteral("历史数据库没有打开，历史号码未改动。"));
    const auto &rows = store.rows();
    const auto end =
        std::upper_bound(rows.begin(), rows.end(), lastKept,
                         [](int32_t k, const HistoryRow &row) { return k < row.sqqh; });
    return keepAndRebuild(store, programFolder, end - rows.begin(), segmentBase);
}

FileOpResult deleteLastDraws(HistoryStore &store, const QString &programFolder, qsizetype count,
                             int segmentBase)
{
    if (count < 1)
        return FileOpResult::failure(QStringLiteral("输入的期数无效，历史号码未改动。"));
    if (!store.isOpen())
        return FileOpResult::failure(QStringLiteral("历史数据库没有打开，历史号码未改动。"));
    const qsizetype size = static_cast<qsizetype>(store.size());
    return keepAndRebuild(store, programFolder, std::max<qsizetype>(0, size - count), segmentBase);
}

FileOpResult deleteNewestDraw(HistoryStore &store)
{
    if (!store.isOpen())
        return FileOpResult::failure(QStringLiteral("历史数据库没有打开，历史号码未改动。"));
    if (store.empty())
        return FileOpResult::failure(QStringLiteral("没有历史号码可删除。"));
    const int32_t newest = store.newest()->sqqh;
    const Digits digits = store.newest()->digits();
    const Game game = store.game();
    if (!store.deleteNewest())
        return FileOpResult::failure(QStringLiteral("删除最后一期失败，历史号码未改动。"));

    const FileOpResult compaction = compactDatabase(store);
    FileOpResult result;
    result.ok = true;
    result.count = static_cast<qsizetype>(store.size());
    result.removed = 1;
    result.compacted = compaction.ok;
    result.message = QStringLiteral("已删除第 %1 期。开奖号码为 %2。%3")
                         .arg(game.displayForm(newest), digitText(digits).toQString(),
                              compactionNote(compaction));
    return result;
}

FileOpResult clearHistory(HistoryStore &store)
{
    const qsizetype before = static_cast<qsizetype>(store.size());
    if (!store.clear())
        return FileOpResult::failure(QStringLiteral("清空历史号码失败，历史号码未改动。"));
    FileOpResult result;
    result.ok = true;
    result.removed = before;
    result.message = QStringLiteral("已清空历史号码。");
    return result;
}

} // namespace quorlent
