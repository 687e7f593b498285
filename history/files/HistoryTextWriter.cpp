#include "HistoryTextWriter.h"

#include "HistoryLine.h"

#include <QSaveFile>

namespace quorlent {

bool HistoryTextWriter::write(QIODevice &device, std::span<const HistoryRow> rows, Form form,
                              const Game &game)
{
    // Lines are pure ASCII; collecting them in blocks keeps the writes few on large histories.
    constexpr qsizetype kBlock = 1 << 20;
    QByteArray block;
    block.reserve(kBlock + 64);
    for (const HistoryRow &row : rows) {
        const QString line = form == Form::Backup
                                 ? backupLine(row.sqqh, row.digits(), game)
                                 : displayLine(row.sqqh, row.digits(), game, row.date);
        block += line.toLatin1();
        block += "\r\n";
        if (block.size() >= kBlock) {
            if (device.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return block.isEmpty() || device.write(block) == block.size();
}

bool HistoryTextWriter::write(const QString &path, std::span<const HistoryRow> rows, Form form,
                              QString *error, const Game &game)
{
    QSaveFile file(path);
    const bool ok =
        file.open(QIODevice::WriteOnly) && write(file, rows, form, game) && file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

} // namespace quorlent
