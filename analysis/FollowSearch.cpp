#include "FollowSearch.h"

#include "FollowMatch.h"
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
    if (matches.everyRow())
        hits.reserve(span.end - span.begin);
    for (size_t r = span.begin; r < span.end; ++r) {
        if (matches(r))
            hits.push_back(static_cast<uint32_t>(r));
    }
    return hits;
}

} // namespace quorlent
