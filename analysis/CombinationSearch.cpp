#include "CombinationSearch.h"

#include "CombinationMatch.h"
#include "HitCollector.h"
#include "IssueRange.h"

namespace quorlent {

std::vector<uint32_t> combinationSearch(const std::vector<HistoryRow> &rows,
                                        const SearchRequest &request)
{
    std::vector<uint32_t> hits;
    const CombinationMatch matches(rows, request);
    if (!matches.possible())
        return hits;
    const std::optional<IssueRange> range =
        IssueRange::fromTexts(request.rangeStart, request.rangeEnd, request.game);
    if (!range)
        return hits;
    const IssueRange::Span span = range->span(rows);
    return collectHits(span, matches);
}

} // namespace quorlent
