#pragma once

#include "Separator.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace quorlent::import {

// What a column of the table holds, as the preview lets the user set it.
enum class ColumnRole : uint8_t
{
    Other,  // not read: sums, weekdays, prize amounts, 试机号
    Issue,  // 期号
    Date,   // 开奖日期, any time of day after it ignored
    Digits, // the five digits in one field
    Digit1, // one digit a column, positions 1 to 5
    Digit2,
    Digit3,
    Digit4,
    Digit5,
};

// How the preview names a role: "期号", "开奖号码", "第 3 位", "不读入".
QString roleName(ColumnRole role);

// How a file's table is laid out: the separator, each column's role, and where the table starts.
// Lines before the table's first row are its title and header; they are skipped, not refused.
struct TableLayout
{
    Separator separator = Separator::Comma;
    std::vector<ColumnRole> roles; // one a column, left to right; columns beyond are Other
    qsizetype firstRowLine = 1;    // 1-based line of the table's first row
    qsizetype headerLine = 0;      // 1-based line of the header row, 0 when there is none
    QStringList header;            // the header row's fields, as the file names the columns

    // The first column with the role, -1 when none has it.
    int column(ColumnRole role) const;
    // The columns the five digits come from: the Digits column for each position where there is
    // one, else the DigitN columns; -1 for a position nothing gives.
    std::array<int, 5> digitColumns() const;
    // Whether every row can give a draw: an issue column and all five digits.
    bool readsDraws() const;

    bool operator==(const TableLayout &) const = default;
};

} // namespace quorlent::import
