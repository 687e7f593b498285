#pragma once

#include "Game.h"
#include "HistoryRow.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorlent {

// The stored issues first..last (both included) that the 起 and 止 boxes name.
struct IssueRange
{
    int32_t first = 0;
    int32_t last = 0;

    // Each box counts by its last nine characters read as a number (another game's issue is read
    // in its own form, Game::fromDisplay). When either box cannot be read there is no range: a
    // search then has no hits and tallies nothing.
    static std::optional<IssueRange> fromTexts(const QString &start, const QString &end,
                                               const Game &game = Game::standard());

    // The rows [begin, end) that lie in the range; `rows` must be in issue order. A range whose
    // start lies after its end gives an empty span.
    struct Span
    {
        size_t begin = 0;
        size_t end = 0;
    };
    Span span(const std::vector<HistoryRow> &rows) const;
};

} // namespace quorlent
