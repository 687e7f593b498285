#include "Backtest.h"

#include "IssueRange.h"
#include "SearchReplay.h"
#include "Significance.h"

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

    SearchReplay replay(rows, request);
    const TallySlots &outcomes = replay.outcomes();
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

        const std::optional<int64_t> hits = replay.tallyBefore(t, counts);
        if (!hits) {
            ++result.unmatchedDraws;
        } else if (*hits == 0) {
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

        replay.take(t);
        outcomes.forEach(rows[t], [&everyDraw](size_t slot) { ++everyDraw[slot]; });
    }
    if (control.progress)
        control.progress(total, total);
    return result;
}

} // namespace quorlent
