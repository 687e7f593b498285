#pragma once

#include "HistoryLine.h"
#include "HistoryRow.h"

#include <span>
#include <vector>

namespace quorlent::import {

// A draw the history has with other digits than the file.
struct MergeConflict
{
    int32_t sqqh = 0;
    Digits storedDigits{};
    Digits fileDigits{};
    qsizetype line = 0; // the file's 1-based line
};

// What adding a file's draws to a history would do: each file draw is new, already stored with
// the same digits, or a conflict the user decides (ticked, the file's digits replace the stored).
struct MergePlan
{
    std::vector<HistoryLine> newDraws; // issues the history does not have, in issue order
    std::vector<qsizetype> newDrawLines;
    std::vector<int32_t> sameIssues; // stored with the same digits: nothing to do
    std::vector<MergeConflict> conflicts;
    // Every new draw is later than the newest stored one: the draws can be appended.
    bool onlyAfterNewest = true;

    // `stored` (a history's rows) and `draws` (with their lines, as ReadResult has them) in
    // strict issue order; one pass over both.
    static MergePlan of(std::span<const HistoryRow> stored, std::span<const HistoryLine> draws,
                        std::span<const qsizetype> lines);
};

} // namespace quorlent::import
