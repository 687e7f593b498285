#include "SearchResult.h"

#include "CombinationSearch.h"
#include "FollowSearch.h"
#include "IssueRange.h"

namespace quorlent {

namespace {

SearchResult resultOf(const std::vector<HistoryRow> &rows, const SearchRequest &request,
                      const TallyOptions &options, std::vector<uint32_t> hits)
{
    SearchResult result;
    result.rangeValid =
        IssueRange::fromTexts(request.rangeStart, request.rangeEnd, request.game).has_value();
    result.hits = std::move(hits);
    result.hitList = {options.resultKind, request.previousDraw, request.distance(), request.game,
                      options.segmentBase};
    result.tally = Tally::count(rows, result.hits, options);
    return result;
}

} // namespace

SearchResult runFollowSearch(const std::vector<HistoryRow> &rows, const SearchRequest &request,
                             const TallyOptions &tally)
{
    return resultOf(rows, request, tally, followSearch(rows, request));
}

SearchResult runCombinationSearch(const std::vector<HistoryRow> &rows, const SearchRequest &request,
                                  const TallyOptions &tally)
{
    return resultOf(rows, request, tally, combinationSearch(rows, request));
}

} // namespace quorlent
