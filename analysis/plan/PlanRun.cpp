#include "PlanRun.h"

namespace quorlent::plan {

PlanProposals proposalsOf(const std::vector<HistoryRow> &rows, size_t begin, size_t end,
                          const PlanDefinition &definition, const PlanControl &control)
{
    switch (definition.source) {
    case SourceKind::Search:
        return searchProposals(rows, begin, end, definition.search, control);
    case SourceKind::Scheme:
        return schemeProposals(rows, begin, end, definition.scheme, control);
    case SourceKind::Digits:
        return constantProposals(begin, end, Proposal::ofDigits(definition.digits.allowed()));
    case SourceKind::Typed:
        return constantProposals(begin, end, Proposal::ofTokens(definition.typed.tokens()));
    }
    return constantProposals(begin, end, Proposal());
}

PlanRun runPlan(const std::vector<HistoryRow> &rows, const Game &game,
                const PlanDefinition &definition, const PlanControl &control)
{
    PlanRun run;
    run.errors = definition.validate();
    FieldError rangeError;
    const std::optional<PlanRange::Rows> span = definition.range.resolve(rows, game, &rangeError);
    if (!span)
        run.errors.push_back(rangeError);
    if (!run.errors.empty())
        return run;

    PlanProposals proposals = proposalsOf(rows, span->begin, span->end, definition, control);
    if (proposals.cancelled) {
        run.cancelled = true;
        return run;
    }
    if (!proposals.error.isEmpty()) {
        run.failure = proposals.error;
        return run;
    }
    auto ledger = std::make_unique<Ledger>(rows, std::move(proposals));
    if (auto error = ledger->setPlay(*playById(definition.play), definition.prizes)) {
        run.errors.push_back(*error);
        return run;
    }
    if (auto error = ledger->setStaking(definition.progression, definition.startBalance)) {
        run.errors.push_back(*error);
        return run;
    }
    run.ledger = std::move(ledger);
    return run;
}

} // namespace quorlent::plan
