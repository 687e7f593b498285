#include "Backtest.h"

#include "CombinationMatch.h"
#include "FollowMatch.h"
#include "IssueRange.h"
#include "OutcomeIndex.h"
#include "Significance.h"
#include "TallySlots.h"

#include <numeric>

namespace quorlent {

int64_t BacktestResult::trials() const
{
    return std::accumulate(steps.begin(), steps.end(), int64_t{0},
                           [](int64_t sum, const BacktestStep &s) { return sum + s.trials; });
}

int64_t BacktestResult::hits() const
{
    return std::accumulate(steps.begin(), steps.end(), int64_t{0},
                           [](int64_t sum, const BacktestStep &s) { return sum + s.hits; });
}

int64_t BacktestResult::baselineHits() const
{
    return std::accumulate(steps.begin(), steps.end(), int64_t{0},
                           [](int64_t sum, const BacktestStep &s) { return sum + s.baselineHits; });
}

BacktestResult runBacktest(const std::vector<HistoryRow> &rows, const BacktestRequest &request,
                           const BacktestControl &control)
{
    BacktestResult result;
    result.chanceRate = significance::chanceShare(request.tally.resultKind);
    const std::optional<IssueRange> range =
        IssueRange::fromTexts(request.request.rangeStart, request.request.rangeEnd,
                              request.request.game);
    if (!range)
        return result;
    result.rangeValid = true;
    const IssueRange::Span span = range->span(rows);

    const bool follow = request.search == BacktestRequest::Search::Follow;
    const TallySlots outcomes(request.tally);
    OutcomeIndex index(rows, request.request,
                       follow ? OutcomeIndex::Rule::Follow : OutcomeIndex::Rule::Combination,
                       outcomes);
    // Whether a draw's compared draw matches the typed pattern: the searches' own rules.
    const FollowMatch followMatch(rows, request.request);
    const CombinationMatch combinationMatch(rows, request.request);
    const Kind kind = request.request.kind;
    const size_t shift =
        request.request.previousDraw ? 1 : static_cast<size_t>(request.request.distance());

    std::vector<int64_t> counts(outcomes.size());
    std::vector<int64_t> everyDraw(outcomes.size()); // the baseline's tally: the range so far
    const int64_t total = static_cast<int64_t>(span.end - span.begin);
    constexpr size_t kReportEvery = 4096;

    for (size_t t = span.begin; t < span.end; ++t) {
        if ((t - span.begin) % kReportEvery == 0) {
            if (control.cancel && control.cancel->load(std::memory_order_relaxed)) {
                result.cancelled = true;
                return result;
            }
            if (control.progress)
                control.progress(static_cast<int64_t>(t - span.begin), total);
        }
        ++result.rangeDraws;

        std::array<int, kPositions> reference = request.request.reference;
        bool applies = true;
        if (request.typedReference) {
            applies = follow ? followMatch(t) : combinationMatch(t);
        } else if (t < shift) {
            applies = false;
        } else {
            const PositionValues &compared = rows[t - shift].own[kind];
            std::copy(compared.begin(), compared.end(), reference.begin());
        }

        if (!applies) {
            ++result.unmatchedDraws;
        } else if (index.query(reference, counts) == 0) {
            ++result.skippedDraws;
        } else {
            BacktestStep step;
            step.sqqh = rows[t].sqqh;
            step.prediction = static_cast<int8_t>(outcomes.values()[Tally::leadingIndex(counts)]);
            step.baselinePrediction =
                static_cast<int8_t>(outcomes.values()[Tally::leadingIndex(everyDraw)]);
            const PositionValues &drawn = rows[t].own[request.tally.resultKind];
            for (int p = outcomes.firstPosition(); p <= outcomes.lastPosition(); ++p) {
                ++step.trials;
                step.hits += drawn[p] == step.prediction;
                step.baselineHits += drawn[p] == step.baselinePrediction;
            }
            result.steps.push_back(step);
        }

        index.add(t);
        outcomes.forEach(rows[t], [&everyDraw](size_t slot) { ++everyDraw[slot]; });
    }
    if (control.progress)
        control.progress(total, total);
    return result;
}

} // namespace quorlent
