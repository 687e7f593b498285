#pragma once

#include "Ledger.h"
#include "PlanDefinition.h"

#include <memory>

namespace quorlent::plan {

// A plan run over a history: its ledger, or what stopped it.
struct PlanRun
{
    std::unique_ptr<Ledger> ledger;
    FieldErrors errors; // bad input: nothing was run
    bool cancelled = false;
    QString failure; // the run could not finish (see PlanProposals::error)

    bool ok() const { return ledger != nullptr; }
};

// The proposals of the definition's source over rows [begin, end).
PlanProposals proposalsOf(const std::vector<HistoryRow> &rows, size_t begin, size_t end,
                          const PlanDefinition &definition, const PlanControl &control = {});

// Checks the definition and its range against the history, works out the proposals (the long
// part, with progress and cancel) and settles the ledger with the play, prizes and progression.
// `rows` (issue order, of `game`) must outlive the ledger.
PlanRun runPlan(const std::vector<HistoryRow> &rows, const Game &game,
                const PlanDefinition &definition, const PlanControl &control = {});

} // namespace quorlent::plan
