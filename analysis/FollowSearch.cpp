#include "FollowSearch.h"

#include "ComparedDraws.h"
#include "IssueRange.h"
#include "ReferenceCounts.h"

namespace quorlent {

std::vector<uint32_t> followSearch(const std::vector<HistoryRow> &rows,
                                   const SearchRequest &request)
{
    std::vector<uint32_t> hits;
    const std::optional<IssueRange> range =
        IssueRange::fromTexts(request.rangeStart, request.rangeEnd);
    if (!range)
        return hits;
    const IssueRange::Span span = range->span(rows);
    const ComparedDraws compared(rows, request.previousDraw, request.distance());
    const Kind kind = request.kind;

    int selectedCount = 0;
    std::array<int, kPositions> positions{};
    for (int p = 0; p < kPositions; ++p) {
        if (request.selected[p])
            positions[selectedCount++] = p;
    }

    if (selectedCount == 0) {
        // No condition to meet: every row has met all of none.
        hits.reserve(span.end - span.begin);
        for (size_t r = span.begin; r < span.end; ++r)
            hits.push_back(static_cast<uint32_t>(r));
        return hits;
    }

    if (request.freePositions) {
        ReferenceCounts needed(kind);
        for (int i = 0; i < selectedCount; ++i) {
            // The position still counts as a condition that no row can meet.
            if (!needed.add(request.reference[positions[i]]))
                return hits;
        }
        for (size_t r = span.begin; r < span.end; ++r) {
            const HistoryRow *source = compared.describingRow(r);
            if (source && needed.matchedIn(source->previous[kind]) == selectedCount)
                hits.push_back(static_cast<uint32_t>(r));
        }
        return hits;
    }

    for (size_t r = span.begin; r < span.end; ++r) {
        if (!compared.passesFixedGuard(r))
            continue;
        bool all = true;
        for (int i = 0; i < selectedCount && all; ++i) {
            const int p = positions[i];
            all = compared.shiftedValue(r, kind, p) == request.reference[p];
        }
        if (all)
            hits.push_back(static_cast<uint32_t>(r));
    }
    return hits;
}

} // namespace quorlent
