#pragma once

#include "Game.h"
#include "HistoryLine.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace quorlent::import {

// A row of the file that is not stored, and why.
struct RefusedRow
{
    qsizetype line = 0; // 1-based
    QString reason;     // "开奖号码只有 4 位"

    // "第 17 行：开奖号码只有 4 位"
    QString message() const { return QStringLiteral("第 %1 行：%2").arg(line).arg(reason); }
};

// A row's fields as the file has them, for the preview to show before anything is stored.
struct RawRow
{
    qsizetype line = 0; // 1-based
    QStringList fields;
    QString refusal; // why the row is refused, empty when it is stored
};

// The order the file lists its draws in.
enum class DrawOrder : uint8_t
{
    OldestFirst,
    NewestFirst,
};

// A file's table read with one layout and one game. Every line is counted once: a row of the
// table is stored or refused, any other line skipped, so
// draws.size() + refused.size() + skippedLines == lines.
struct ReadResult
{
    static constexpr int kFirstRows = 20;

    Game game = Game::standard();
    DrawOrder order = DrawOrder::OldestFirst;
    // The draws to store, in issue order (oldest first) whatever the file's order; each with the
    // date of a date column where the game numbers by year (0 where none), as HistoryRow keeps it.
    std::vector<HistoryLine> draws;
    std::vector<qsizetype> drawLines; // the 1-based line of each draw, same indexes
    std::vector<RefusedRow> refused;  // in the order of the file's lines
    std::vector<RawRow> firstRows;    // the table's first kFirstRows rows, stored or refused
    qsizetype lines = 0;
    qsizetype skippedLines = 0; // title and header lines, blank lines, lines without a digit

    int32_t oldestIssue() const { return draws.empty() ? 0 : draws.front().sqqh; }
    int32_t newestIssue() const { return draws.empty() ? 0 : draws.back().sqqh; }
};

} // namespace quorlent::import
