#pragma once

#include "HistoryLine.h"

#include <QIODevice>
#include <vector>

namespace quorlent {

// Reads a whole file of history text lines into memory, so that nothing in the history is touched
// until the file has been read to its end.
class HistoryTextReader
{
public:
    struct Result
    {
        bool readOk = false;
        QString error;                  // why the file could not be read (from the device)
        std::vector<HistoryLine> lines; // storable draws, in file order
        qsizetype skippedLines = 0;     // lines that are no draw, or issue 0; blank lines included
    };

    // The text is UTF-8; a file that is not valid UTF-8 is taken as Latin-1 (only ASCII matters to
    // an acceptable line), one that starts with a UTF-16 or UTF-32 byte-order mark as that.
    // Lines end in CR LF, LF or CR; a byte-order mark is not part of the first line.
    // Lines are read in the line form of `game`.
    static Result read(QIODevice &device, LineMode mode, const Game &game = Game::standard());
    static Result read(const QString &path, LineMode mode, const Game &game = Game::standard());
    static Result parse(const QByteArray &bytes, LineMode mode,
                        const Game &game = Game::standard());
};

} // namespace quorlent
