#include "FollowSearch.h"

#include "FollowMatch.h"
#include "HitCollector.h"
#include "IssueRange.h"

namespace quorlent {

std::vector<uint32_t> followSearch(const std::vector<HistoryRow> &rows,
                                   const SearchRequest &request)
{
    std::vector<uint32_t> hits;
    const std::optional<IssueRange> range =
        IssueRange::fromTexts(request.rangeStart, request.rangeEnd, request.game);
    if (!range)
        return hits;
    const IssueRange::Span span = range->span(rows);
    const FollowMatch matches(rows, request);
    if (!matches.possible())
        return hits;
    return collectHits(span, matches);
}

} // namespace quorlent
