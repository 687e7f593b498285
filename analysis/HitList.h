#pragma once

#include "Game.h"
#include "HistoryRow.h"

#include <QString>
#include <cstddef>
#include <vector>

namespace quorlent {

// The layout of the hit list (MSFlexGrid2): one line per hit, seven columns.
//   0 期号       the hit's issue as the game writes it ("20" and the nine stored digits)
//   1..5 第i位   the hit's own codes of the result kind at positions 1..5 (codes, not labels)
//   6 上期开奖 / 前期开奖   the digits of the draw the hit was judged by, "" when there is none
struct HitListLayout
{
    enum Column
    {
        Issue = 0,
        FirstPosition = 1,
        ComparedDraw = 6,
        ColumnCount = 7
    };

    Kind resultKind = Kind::Number;
    bool previousDraw = true; // 上期 or 前 N 期
    int distance = 1;         // N of 前 N 期
    Game game = Game::standard(); // writes the issues
    int segmentBase = 1;          // the 段数 codes' base, for their key

    // How the position columns' codes are written ("0 = 小（0–4），1 = 大（5–9）"); empty for 号码.
    QString codeKey() const;

    QString header(int column) const;
    // The text of one cell for the hit at index `row` of `rows` (in issue order).
    QString cell(const std::vector<HistoryRow> &rows, size_t row, int column) const;
    // Column 6 alone: the rebuilt txtHisPreLst for 前 N 期 (txtHisLst of the row N - 1 places
    // earlier), txtHisLst for 上期.
    QString comparedDigits(const std::vector<HistoryRow> &rows, size_t row) const;
};

} // namespace quorlent
