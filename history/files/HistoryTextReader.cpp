#include "HistoryTextReader.h"

#include "ProcessMemory.h"

#include <QFile>
#include <QStringDecoder>
#include <QVarLengthArray>

#include <algorithm>

namespace quorlent {

namespace {

QString decode(const QByteArray &bytes)
{
    // Notepad's "Unicode" files are UTF-16 and start with a byte-order mark that says so.
    const std::optional<QStringConverter::Encoding> marked =
        QStringConverter::encodingForData(bytes);
    if (marked && *marked != QStringConverter::Utf8) {
        QStringDecoder wide(*marked);
        return wide(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

} // namespace

namespace {

// Calls `take` with every line of `text` (a QStringView, or a view of bytes), without its end:
// lines end in CR LF, LF or CR.
template <typename Text, typename Take>
void forEachLine(const Text &text, const Take &take)
{
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        take(start, end);
        if (end < size && text[end] == u'\r' && end + 1 < size && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
}

} // namespace

HistoryTextReader::Result HistoryTextReader::parse(const QByteArray &bytes, LineMode mode,
                                                   const Game &game)
{
    Result result;
    result.readOk = true;
    // A draw takes at least 16 bytes a line; reserving for that avoids most regrowth.
    reserveOnLargePages(result.lines, static_cast<size_t>(bytes.size() / 16 + 1));
    auto take = [&](QStringView line) {
        const std::optional<HistoryLine> parsed = parseHistoryLine(line, mode, game);
        if (parsed && parsed->storable())
            result.lines.push_back(*parsed);
        else
            ++result.skippedLines;
    };

    // Plain ASCII (the program's own files) reads the same in every decoding the file could be
    // taken in: each line is widened by itself rather than the whole file at once.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; })) {
        QVarLengthArray<char16_t, 64> wide;
        forEachLine(QByteArrayView(bytes), [&](qsizetype start, qsizetype end) {
            wide.resize(end - start);
            std::copy(bytes.begin() + start, bytes.begin() + end, wide.begin());
            take(QStringView(wide.data(), wide.size()));
        });
        return result;
    }
    const QString text = decode(bytes);
    const QStringView all(text);
    forEachLine(all, [&](qsizetype start, qsizetype end) { take(all.sliced(start, end - start)); });
    return result;
}

HistoryTextReader::Result HistoryTextReader::read(QIODevice &device, LineMode mode,
                                                  const Game &game)
{
    Result failed;
    if (!device.isReadable()) {
        failed.error = device.errorString();
        return failed;
    }
    QByteArray bytes;
    if (const qint64 size = device.isSequential() ? 0 : device.size() - device.pos(); size > 0) {
        // A file's size is known: its bytes go into memory given large pages before they arrive.
        bytes = QByteArray(size, Qt::Uninitialized);
        preferLargePages(bytes.data(), size_t(size));
        const qint64 got = device.read(bytes.data(), size);
        bytes.truncate(std::max<qint64>(got, 0));
    }
    bytes += device.readAll(); // the rest of a file that grew, or all of a stream
    // readAll() cannot tell an empty file from a failed read; a file device can.
    if (const auto *file = qobject_cast<const QFileDevice *>(&device);
        file && file->error() != QFileDevice::NoError) {
        failed.error = file->errorString();
        return failed;
    }
    return parse(bytes, mode, game);
}

HistoryTextReader::Result HistoryTextReader::read(const QString &path, LineMode mode,
                                                  const Game &game)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Result failed;
        failed.error = file.errorString();
        return failed;
    }
    return read(file, mode, game);
}

} // namespace quorlent
