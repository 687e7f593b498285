#include "TableImport.h"

#include "LayoutDetector.h"
#include "ProcessMemory.h"
#include "TableReader.h"

#include <QFile>
#include <QFileInfo>

namespace quorlent::import {

namespace {

ImportScan refused(FileVerdict verdict, const QString &message, qint64 bytesRead)
{
    ImportScan seen;
    seen.verdict = verdict;
    seen.message = message;
    seen.bytesRead = bytesRead;
    return seen;
}

QString noDraws()
{
    return QStringLiteral("文件中没有可读入的开奖号码");
}

// The refusals that need only the first bytes; nothing when the file is worth reading on.
std::optional<ImportScan> refusedAtStart(QByteArrayView start, bool more)
{
    if (start.isEmpty() && !more)
        return refused(FileVerdict::Empty, QStringLiteral("文件是空的"), 0);
    if (SourceText::looksBinary(start))
        return refused(FileVerdict::Binary,
                       QStringLiteral("这不是文本文件（含有二进制数据），无法读入"), start.size());
    if (more && LayoutDetector::firstDrawLine(SourceText::decode(start)) == 0) {
        ImportScan seen =
            refused(FileVerdict::NoDraws,
                    QStringLiteral("文件的前 %1 MB 中没有开奖号码，没有再读下去")
                        .arg(TableImport::kProbeBytes / (1024 * 1024)),
                    start.size());
        seen.stoppedEarly = true;
        return seen;
    }
    return std::nullopt;
}

void settle(ImportScan &seen)
{
    if (!seen.read.draws.empty()) {
        seen.verdict = FileVerdict::Table;
        seen.message.clear();
    } else {
        seen.verdict = FileVerdict::NoDraws;
        seen.message = noDraws();
    }
}

} // namespace

ImportScan TableImport::scan(const QByteArray &bytes)
{
    const QByteArrayView start = QByteArrayView(bytes).first(std::min(bytes.size(), kProbeBytes));
    if (std::optional<ImportScan> early = refusedAtStart(start, bytes.size() > start.size()))
        return *early;

    ImportScan seen;
    seen.bytesRead = bytes.size();
    auto source = std::make_shared<SourceText>(SourceText::decode(bytes));
    seen.source = source;
    const std::optional<TableLayout> layout = LayoutDetector::detect(*source);
    if (!layout) {
        seen.verdict = FileVerdict::NoDraws;
        seen.message = noDraws();
        seen.read.lines = source->lineCount();
        seen.read.skippedLines = source->lineCount();
        return seen;
    }
    seen.layout = *layout;
    seen.games = GameGuess::of(*source, *layout);
    const Game game = seen.games.candidates().empty() ? Game::standard()
                                                            : seen.games.candidates().front();
    seen.read = TableReader::read(*source, seen.layout, game);
    settle(seen);
    return seen;
}

ImportScan TableImport::scan(QIODevice &device)
{
    if (!device.isReadable())
        return refused(FileVerdict::Unreadable,
                       QStringLiteral("无法读取文件（%1）").arg(device.errorString()), 0);
    QByteArray bytes;
    // A file of a size it may have goes whole into memory given large pages before its bytes
    // arrive, the first ones included.
    const qint64 known = device.isSequential() ? 0 : device.size() - device.pos();
    if (known > kProbeBytes && known <= kLargestFile) {
        bytes.reserve(known);
        preferLargePages(bytes.data(), size_t(known));
    }
    // Up to kProbeBytes more, read straight into `bytes`; false at the end or on a failed read (a
    // file device says which below).
    const auto readMore = [&] {
        const qsizetype at = bytes.size();
        bytes.resize(at + kProbeBytes);
        const qint64 got = device.read(bytes.data() + at, kProbeBytes);
        bytes.truncate(at + qsizetype(std::max<qint64>(got, 0)));
        return got > 0;
    };
    readMore();
    // A pipe or socket may say it is at its end while more is on the way: only a short read
    // ends it.
    const bool more = bytes.size() == kProbeBytes && (device.isSequential() || !device.atEnd());
    if (std::optional<ImportScan> early = refusedAtStart(bytes, more))
        return *early;
    const auto tooLarge = [&] {
        return refused(
            FileVerdict::TooLarge,
            QStringLiteral("文件太大（超过 %1 MB），无法读入").arg(kLargestFile / (1024 * 1024)),
            bytes.size());
    };
    if (more && !device.isSequential() && device.size() > kLargestFile)
        return tooLarge();
    while (more && readMore()) {
        if (bytes.size() > kLargestFile)
            return tooLarge();
    }
    if (const auto *file = qobject_cast<const QFileDevice *>(&device);
        file && file->error() != QFileDevice::NoError)
        return refused(FileVerdict::Unreadable,
                       QStringLiteral("无法读取文件（%1）").arg(file->errorString()), bytes.size());
    return scan(bytes);
}

ImportScan TableImport::scan(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(FileVerdict::Unreadable,
                       QStringLiteral("无法打开文件 %1（%2）")
                           .arg(QFileInfo(path).fileName(), file.errorString()),
                       0);
    return scan(file);
}

void TableImport::choose(ImportScan &seen, const TableLayout &layout, const Game &game)
{
    if (!seen.source)
        return;
    if (layout != seen.layout) {
        seen.layout = layout;
        seen.games = GameGuess::of(*seen.source, layout);
    }
    seen.read = TableReader::read(*seen.source, layout, game);
    settle(seen);
}

} // namespace quorlent::import
