#pragma once

#include "DrawRecord.h"

namespace quorlent {

// Rows of spare capacity the history keeps in memory, so that entries and updates append without
// moving the whole history.
inline constexpr size_t kRowHeadroom = 4096;

// What the window and the searches keep in memory of one stored draw. `previous` holds the stored
// previous-draw codes, which the stored previous-draw texts and tokens describe; `hasPrevious` says
// whether those texts are non-empty.
struct HistoryRow
{
    int32_t sqqh = 0;
    DrawCodes own;
    DrawCodes previous;
    bool hasPrevious = false;
    // The draw's date as yyyymmdd where the game numbers its draws by year (the issue does not
    // say it); 0 where the issue says it, or where nobody told.
    int32_t date = 0;

    const Digits &digits() const { return own.digits(); }

    static HistoryRow fromRecord(const DrawRecord &record)
    {
        return {record.sqqh, record.own, record.previous, !record.previousTexts.empty(),
                record.date};
    }
    bool operator==(const HistoryRow &) const = default;
};

} // namespace quorlent
