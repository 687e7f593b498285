#include "CombinationSearch.h"

#include "CombinationMatch.h"
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
    for (size_t r = span.begin; r < span.end; ++r) {
        if (matches(r))
            hits.push_back(static_cast<uint32_t>(r));
    }
    return hits;
}

} // namespace quorlent
