#pragma once

#include "DrawRecord.h"

namespace quorlent {

// What the window and the searches keep in memory of one stored draw. `previous` holds the stored
// previous-draw codes, which the stored previous-draw texts and tokens describe; `hasPrevious` says
// whether those texts are non-empty.
struct HistoryRow
{
    int32_t sqqh = 0;
    DrawCodes own;
    DrawCodes previous;
    bool hasPrevious = false;

    const Digits &digits() const { return own.digits(); }

    static HistoryRow fromRecord(const DrawRecord &record)
    {
        return {record.sqqh, record.own, record.previous, !record.previousTexts.empty()};
    }
    bool operator==(const HistoryRow &) const = default;
};

} // namespace quorlent
