#pragma once

#include "GameGuess.h"
#include "ReadResult.h"
#include "SourceText.h"
#include "TableLayout.h"

#include <QString>
#include <memory>

namespace quorlent::import {

// What became of a file.
enum class FileVerdict : uint8_t
{
    Table,      // a table of draws, read: see `read`
    Empty,      // no bytes at all
    Binary,     // not text: refused before anything else was looked at
    NoDraws,    // text without a draw that can be read
    TooLarge,   // draws at its start, but far more bytes than any history has
    Unreadable, // the file or device could not be read
};

// Everything the import preview shows of a file, with nothing in any history touched: the
// layout and game found, the file read with them, and the decoded text to read it again when
// the user changes a column's role or the game.
struct ImportScan
{
    FileVerdict verdict = FileVerdict::Empty;
    // For the user, empty for a readable table: "文件中没有可读入的开奖号码".
    QString message;
    // Only the start of the file was read: nothing in its first bytes looked like a draw.
    bool stoppedEarly = false;
    qint64 bytesRead = 0;

    // The rest is there where the file is text (verdict Table or NoDraws).
    std::shared_ptr<const SourceText> source;
    TableLayout layout;
    GameGuess games;
    ReadResult read; // with `layout` and read.game, at first games.candidates().front()

    bool ok() const { return verdict == FileVerdict::Table; }
};

} // namespace quorlent::import
