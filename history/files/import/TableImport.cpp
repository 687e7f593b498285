#include "TableImport.h"

#include "LayoutDetector.h"
#include "TableReader.h"

#include <QFile>
#include <QFileInfo>

namespace quorlent::import {

namespace {

Inspection refused(FileVerdict verdict, const QString &message, qint64 bytesRead)
{
    Inspection inspection;
    inspection.verdict = verdict;
    inspection.message = message;
    inspection.bytesRead = bytesRead;
    return inspection;
}

QString noDraws()
{
    return QStringLiteral("文件中没有可读入的开奖号码");
}

// The refusals that need only the first bytes; nothing when the file is worth reading on.
std::optional<Inspection> refusedAtStart(QByteArrayView start, bool more)
{
    if (start.isEmpty() && !more)
        return refused(FileVerdict::Empty, QStringLiteral("文件是空的"), 0);
    if (SourceText::looksBinary(start))
        return refused(FileVerdict::Binary,
                       QStringLiteral("这不是文本文件（含有二进制数据），无法读入"), start.size());
    if (more && LayoutDetector::firstDrawLine(SourceText::decode(start)) == 0) {
        Inspection inspection =
            refused(FileVerdict::NoDraws,
                    QStringLiteral("文件的前 %1 MB 中没有开奖号码，没有再读下去")
                        .arg(TableImport::kProbeBytes / (1024 * 1024)),
                    start.size());
        inspection.stoppedEarly = true;
        return inspection;
    }
    return std::nullopt;
}

void settle(Inspection &inspection)
{
    if (!inspection.read.draws.empty()) {
        inspection.verdict = FileVerdict::Table;
        inspection.message.clear();
    } else {
        inspection.verdict = FileVerdict::NoDraws;
        inspection.message = noDraws();
    }
}

} // namespace

Inspection TableImport::inspect(const QByteArray &bytes)
{
    const QByteArrayView start = QByteArrayView(bytes).first(std::min(bytes.size(), kProbeBytes));
    if (std::optional<Inspection> early = refusedAtStart(start, bytes.size() > start.size()))
        return *early;

    Inspection inspection;
    inspection.bytesRead = bytes.size();
    auto source = std::make_shared<SourceText>(SourceText::decode(bytes));
    inspection.source = source;
    const std::optional<TableLayout> layout = LayoutDetector::detect(*source);
    if (!layout) {
        inspection.verdict = FileVerdict::NoDraws;
        inspection.message = noDraws();
        inspection.read.lines = source->lineCount();
        inspection.read.skippedLines = source->lineCount();
        return inspection;
    }
    inspection.layout = *layout;
    inspection.games = GameGuess::of(*source, *layout);
    const Game game = inspection.games.candidates().empty() ? Game::standard()
                                                            : inspection.games.candidates().front();
    inspection.read = TableReader::read(*source, inspection.layout, game);
    settle(inspection);
    return inspection;
}

Inspection TableImport::inspect(QIODevice &device)
{
    if (!device.isReadable())
        return refused(FileVerdict::Unreadable,
                       QStringLiteral("无法读取文件（%1）").arg(device.errorString()), 0);
    QByteArray bytes = device.read(kProbeBytes);
    // A pipe or socket may say it is at its end while more is on the way: only a short read
    // ends it.
    const bool more = bytes.size() == kProbeBytes && (device.isSequential() || !device.atEnd());
    if (std::optional<Inspection> early = refusedAtStart(bytes, more))
        return *early;
    const auto tooLarge = [&] {
        return refused(
            FileVerdict::TooLarge,
            QStringLiteral("文件太大（超过 %1 MB），无法读入").arg(kLargestFile / (1024 * 1024)),
            bytes.size());
    };
    if (more && !device.isSequential()) {
        if (device.size() > kLargestFile)
            return tooLarge();
        bytes.reserve(device.size());
    }
    while (more) {
        const QByteArray chunk = device.read(kProbeBytes);
        if (chunk.isEmpty())
            break; // at the end, or a failed read: a file device says which below
        bytes += chunk;
        if (bytes.size() > kLargestFile)
            return tooLarge();
    }
    if (const auto *file = qobject_cast<const QFileDevice *>(&device);
        file && file->error() != QFileDevice::NoError)
        return refused(FileVerdict::Unreadable,
                       QStringLiteral("无法读取文件（%1）").arg(file->errorString()), bytes.size());
    return inspect(bytes);
}

Inspection TableImport::inspect(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(FileVerdict::Unreadable,
                       QStringLiteral("无法打开文件 %1（%2）")
                           .arg(QFileInfo(path).fileName(), file.errorString()),
                       0);
    return inspect(file);
}

void TableImport::choose(Inspection &inspection, const TableLayout &layout, const Game &game)
{
    if (!inspection.source)
        return;
    if (layout != inspection.layout) {
        inspection.layout = layout;
        inspection.games = GameGuess::of(*inspection.source, layout);
    }
    inspection.read = TableReader::read(*inspection.source, layout, game);
    settle(inspection);
}

} // namespace quorlent::import
