#include "CombinationSearch.h"

#include "ComparedDraws.h"
#include "IssueRange.h"
#include "ReferenceCounts.h"

namespace quorlent {

// Rather than trying each of the up to ten combinations, count how many reference positions a
// row can satisfy at once: some combination of k positions matches exactly when that number
// reaches k, since any k of the satisfiable positions form one, and no combination can use more.
// With fixed positions that number is how many positions agree; with free positions it is the
// multiset overlap of the in-range reference values and the compared draw.
std::vector<uint32_t> combinationSearch(const std::vector<HistoryRow> &rows,
                                        const SearchRequest &request)
{
    std::vector<uint32_t> hits;
    const int k = request.combinationWidth;
    if (k < 1 || k > kPositions)
        return hits;
    const std::optional<IssueRange> range =
        IssueRange::fromTexts(request.rangeStart, request.rangeEnd);
    if (!range)
        return hits;
    const IssueRange::Span span = range->span(rows);
    const ComparedDraws compared(rows, request.previousDraw, request.distance());
    const Kind kind = request.kind;

    if (request.freePositions) {
        ReferenceCounts usable(kind);
        for (int v : request.reference)
            usable.add(v);
        if (usable.size() < k)
            return hits;
        for (size_t r = span.begin; r < span.end; ++r) {
            const HistoryRow *source = compared.describingRow(r);
            if (source && usable.matchedIn(source->previous[kind]) >= k)
                hits.push_back(static_cast<uint32_t>(r));
        }
        return hits;
    }

    for (size_t r = span.begin; r < span.end; ++r) {
        if (!compared.passesFixedGuard(r))
            continue;
        int agreeing = 0;
        for (int p = 0; p < kPositions; ++p)
            agreeing += compared.shiftedValue(r, kind, p) == request.reference[p];
        if (agreeing >= k)
            hits.push_back(static_cast<uint32_t>(r));
    }
    return hits;
}

} // namespace quorlent
