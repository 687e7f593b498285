#include "NaiveBacktest.h"

#include "Game.h"
#include "IssueRange.h"
#include "SearchResult.h"
#include "Significance.h"

namespace quorlent::testing {

namespace {

// The original game: these draws are numbered by its issues.
constexpr Game kGame = Game::standard();

SearchResult search(const std::vector<HistoryRow> &rows, const BacktestRequest &request,
                    const SearchRequest &searchRequest)
{
    return request.search == BacktestRequest::Search::Follow
               ? runFollowSearch(rows, searchRequest, request.tally)
               : runCombinationSearch(rows, searchRequest, request.tally);
}

} // namespace

BacktestResult naiveBacktest(const std::vector<HistoryRow> &rows, const BacktestRequest &request)
{
    BacktestResult result;
    result.chanceRate = significance::chanceShare(request.tally.resultKind);
    const auto range = IssueRange::fromTexts(request.request.rangeStart, request.request.rangeEnd);
    if (!range)
        return result;
    result.rangeValid = true;
    const IssueRange::Span span = range->span(rows);
    const SearchRequest &options = request.request;
    const size_t shift = options.previousDraw ? 1 : static_cast<size_t>(options.distance());

    for (size_t t = span.begin; t < span.end; ++t) {
        ++result.rangeDraws;
        SearchRequest before = options;
        if (request.typedReference) {
            SearchRequest alone = options;
            alone.rangeStart = alone.rangeEnd = kGame.displayForm(rows[t].sqqh);
            if (search(rows, request, alone).hits != std::vector<uint32_t>{uint32_t(t)}) {
                ++result.unmatchedDraws;
                continue;
            }
        } else if (t < shift) {
            ++result.unmatchedDraws;
            continue;
        } else {
            const PositionValues &compared = rows[t - shift].own[options.kind];
            std::copy(compared.begin(), compared.end(), before.reference.begin());
        }
        // The range as it stood when the draw before t was the newest.
        before.rangeEnd = kGame.displayForm(t > 0 ? rows[t - 1].sqqh : 0);
        const SearchResult found = search(rows, request, before);
        if (t == 0 || found.hits.empty()) {
            ++result.skippedDraws;
            continue;
        }
        SearchRequest everyDraw = before;
        everyDraw.selected = {};
        const SearchResult baseline = runFollowSearch(rows, everyDraw, request.tally);

        BacktestStep step;
        step.sqqh = rows[t].sqqh;
        step.prediction = static_cast<int8_t>(found.tally.ranked().front().value);
        step.baselinePrediction = static_cast<int8_t>(baseline.tally.ranked().front().value);
        const PositionValues &drawn = rows[t].own[request.tally.resultKind];
        for (int p = request.tally.firstPosition(); p <= request.tally.lastPosition(); ++p) {
            ++step.trials;
            step.hits += drawn[p - 1] == step.prediction;
            step.baselineHits += drawn[p - 1] == step.baselinePrediction;
        }
        result.steps.push_back(step);
    }
    return result;
}

} // namespace quorlent::testing
