#pragma once

#include "Backtest.h"
#include "PlanSource.h"
#include "Proposal.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quorlent::plan {

// What a plan proposed before each draw of a range, and for the draw to come. Equal proposals
// are kept once: a plan of fixed numbers holds one proposal however long the range, a search a
// few hundred at most.
struct PlanProposals
{
    static constexpr uint32_t kNone = UINT32_MAX;

    size_t begin = 0; // the range's rows in the history
    size_t end = 0;
    std::vector<Proposal> pool;
    // Per row of the range: its proposal in the pool, or kNone where the plan had too few
    // earlier draws to propose anything (a search without an earlier hit, or without the draw
    // its reference comes from).
    std::vector<uint32_t> byRow;
    uint32_t next = kNone; // for the draw after the newest
    bool cancelled = false;
    QString error; // why nothing could be proposed (the plan's numbers would not fit in memory)

    size_t rowCount() const { return byRow.size(); }
    const Proposal *at(size_t row) const
    {
        return byRow[row] == kNone ? nullptr : &pool[byRow[row]];
    }
    const Proposal *nextProposal() const { return next == kNone ? nullptr : &pool[next]; }
};

// Cancellation and progress: the same as the backtest's.
using PlanControl = BacktestControl;

// The proposals of each source for the rows [begin, end) of `rows` (issue order) and for the
// draw after the newest. The source must be valid (its validate() empty). A cancelled run comes
// back with `cancelled` set and nothing else to be read.
PlanProposals searchProposals(const std::vector<HistoryRow> &rows, size_t begin, size_t end,
                              const SearchSource &source, const PlanControl &control = {});
PlanProposals schemeProposals(const std::vector<HistoryRow> &rows, size_t begin, size_t end,
                              const SchemeSource &source, const PlanControl &control = {});
// The same proposal before every draw: 杀号/定胆, 守号.
PlanProposals constantProposals(size_t begin, size_t end, Proposal proposal);

} // namespace quorlent::plan
