#pragma once

#include "Game.h"
#include "HistoryRow.h"

#include <QIODevice>
#include <span>

namespace quorlent {

// Writes draws as history text lines, one per row in the given order, each ending in CR LF, no
// header. The file-name overloads write through QSaveFile: the file is either complete or, after
// a failure, as it was before.
class HistoryTextWriter
{
public:
    enum class Form
    {
        Backup,  // nine stored digits, blank, five digits: what the rebuild and the import read
        Display, // eleven-digit display form, blank, five digits: for people, not re-importable
    };

    // Issues in the forms of `game`.
    static bool write(QIODevice &device, std::span<const HistoryRow> rows, Form form,
                      const Game &game = Game::standard());
    // On failure `error` (when given) holds the device's reason.
    static bool write(const QString &path, std::span<const HistoryRow> rows, Form form,
                      QString *error = nullptr, const Game &game = Game::standard());
};

} // namespace quorlent
