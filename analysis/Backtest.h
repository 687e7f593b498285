#pragma once

#include "HistoryRow.h"
#include "SearchRequest.h"
#include "Tally.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace quorlent {

// How a search would have fared had it been used before every draw of the issue range.
//
// Draws t of the range are taken in issue order. The reference pattern for t is the pattern of
// t's compared draw in the search kind (the draw before t under 上期, the draw N before under
// 前 N 期): what the automatic tab shows when the draw before t is the newest. With a typed
// reference (the manual tab) that pattern is used for every draw, and only the draws whose
// compared draw matches it are scored. The prediction for t is the first row of the tally grid
// that the search gives with that reference over the draws of the range before t; a draw with no
// earlier hit is skipped. 直选 scores one trial per draw at the tallied position, 组选 one per
// tallied position; a trial is a hit when the draw's value there, in the result kind, equals the
// prediction. A baseline that ignores the pattern (always the outcome most frequent in the range
// so far, ranked as the tally grid ranks) is scored on the same draws.
struct BacktestRequest
{
    enum class Search
    {
        Follow,
        Combination
    };

    Search search = Search::Follow;
    SearchRequest request; // the window's options; the reference counts only when typed
    TallyOptions tally;
    bool typedReference = false; // the manual tab (手动输入号)
};

// One scored draw.
struct BacktestStep
{
    int32_t sqqh = 0;
    int8_t prediction = 0;
    int8_t baselinePrediction = 0;
    uint8_t trials = 0;
    uint8_t hits = 0;
    uint8_t baselineHits = 0;
    bool operator==(const BacktestStep &) const = default;
};

struct BacktestResult
{
    bool rangeValid = false; // false when the 起 or 止 box cannot be read: nothing scored
    bool cancelled = false;  // stopped early: the figures cover the draws before the stop
    int64_t rangeDraws = 0;  // draws of the range looked at
    // Draws the reference does not apply to: no draw 1 (上期) or N (前 N 期) earlier on the
    // automatic tab; a compared draw that does not match the typed pattern on the manual tab.
    int64_t unmatchedDraws = 0;
    int64_t skippedDraws = 0;        // no earlier hit, so no prediction
    std::vector<BacktestStep> steps; // the scored draws, in issue order
    double chanceRate = 0;           // the hit rate of a guess under the chance model

    int64_t scoredDraws() const { return static_cast<int64_t>(steps.size()); }
    int64_t trials() const;
    int64_t hits() const;
    int64_t baselineHits() const;
};

// Cancellation and progress, for a run off the user-interface thread.
struct BacktestControl
{
    // Checked every few thousand draws; when it turns true the run stops.
    const std::atomic<bool> *cancel = nullptr;
    // Called now and then from the running thread with the draws done and the draws in all.
    std::function<void(int64_t done, int64_t total)> progress;
};

// Reads nothing but `rows` (in issue order) and writes nothing. Counts as it goes, so the whole
// range costs about as much as a few searches, whatever its length.
BacktestResult runBacktest(const std::vector<HistoryRow> &rows, const BacktestRequest &request,
                           const BacktestControl &control = {});

} // namespace quorlent
