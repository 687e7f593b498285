#pragma once

#include "DrawCodes.h"

#include <optional>

namespace quorlent {

// The five texts that describe a draw in a later row: its digits and its tokens of the four kinds
// (txtHisLst, txtHisLstHm, txtHisLstDx, txtHisLstDs, txtHisLstDuan, or the txtHisPreLst family).
struct DrawTexts
{
    ColumnText digits;
    std::array<ColumnText, kKinds> tokens;

    // The texts of a stored draw, built from its stored codes (whatever segment base it was
    // written with).
    static DrawTexts describe(const DrawCodes &codes);
    bool empty() const { return digits.empty(); }
    bool operator==(const DrawTexts &) const = default;
};

// A draw to be stored: its issue, digits and (numbered by year) date as yyyymmdd, 0 when not known.
struct DatedDraw
{
    int32_t sqqh = 0;
    Digits digits{};
    int32_t date = 0;
    bool operator==(const DatedDraw &) const = default;
};

// Everything a writer stores for one new row of Lishi; the work columns keep their defaults.
struct DrawRecord
{
    int32_t sqqh = 0;
    DrawCodes own;             // L?A .. L?F
    DrawCodes previous;        // L?AS .. L?FS: the draw just before, zero when there is none
    DrawCodes earlier;         // L?AP .. L?FP: the draw before that, zero when there is none
    DrawTexts previousTexts;   // empty when there is no previous draw
    DrawTexts earlierTexts;    // filled only by the rebuild
    int32_t date = 0;          // yyyymmdd, kept beside Lishi for games numbered by year

    int32_t qqh() const { return sqqh + 1; }
};

// A writing run: derives each new row from its digits and carries the codes of the two draws
// before it, so the first row of a day gets the last draw of the day before as its previous draw.
class DrawRun
{
public:
    DrawRun() = default;
    // Continue after stored rows: `last` is the newest stored draw, `beforeLast` the one before.
    DrawRun(const DrawCodes *beforeLast, const DrawCodes *last);

    // The rebuild also writes the texts of the draw two rows before into txtHisPreLst*.
    void setFillEarlierTexts(bool fill) { m_fillEarlierTexts = fill; }

    DrawRecord append(int32_t sqqh, const Digits &digits, int segmentBase);

private:
    std::optional<DrawCodes> m_last;
    std::optional<DrawCodes> m_beforeLast;
    // The texts of the two draws, each described once however many rows refer to it.
    DrawTexts m_lastTexts;
    DrawTexts m_beforeLastTexts;
    bool m_fillEarlierTexts = false;
};

} // namespace quorlent
