#include "HistoryTextReader.h"

#include <QFile>
#include <QStringDecoder>

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

HistoryTextReader::Result HistoryTextReader::parse(const QByteArray &bytes, LineMode mode,
                                                   const Game &game)
{
    Result result;
    result.readOk = true;
    const QString text = decode(bytes);
    const QStringView all(text);
    // A draw takes at least 16 bytes a line; reserving for that avoids most regrowth.
    result.lines.reserve(static_cast<size_t>(bytes.size() / 16 + 1));

    qsizetype start = 0;
    const qsizetype size = all.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && all[end] != u'\n' && all[end] != u'\r')
            ++end;
        const std::optional<HistoryLine> line =
            parseHistoryLine(all.sliced(start, end - start), mode, game);
        if (line && line->storable())
            result.lines.push_back(*line);
        else
            ++result.skippedLines;
        if (end < size && all[end] == u'\r' && end + 1 < size && all[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
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
    const QByteArray bytes = device.readAll();
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
