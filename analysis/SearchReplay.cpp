#include "SearchReplay.h"

#include <algorithm>

namespace quorlent {

namespace {

bool isFollow(const BacktestRequest &request)
{
    return request.search == BacktestRequest::Search::Follow;
}

} // namespace

SearchReplay::SearchReplay(const std::vector<HistoryRow> &rows, const BacktestRequest &request)
    : m_rows(rows), m_request(request), m_outcomes(request.tally),
      m_index(rows, m_request.request,
              isFollow(request) ? OutcomeIndex::Rule::Follow : OutcomeIndex::Rule::Combination,
              m_outcomes),
      m_followMatch(rows, m_request.request), m_combinationMatch(rows, m_request.request),
      m_shift(request.request.previousDraw ? 1 : size_t(request.request.distance()))
{
}

std::optional<int64_t> SearchReplay::tallyBefore(size_t t, std::span<int64_t> counts) const
{
    std::array<int, kPositions> reference = m_request.request.reference;
    if (m_request.typedReference) {
        if (t >= m_rows.size())
            return std::nullopt;
        // Whether t's compared draw matches the typed pattern: the searches' own rules.
        if (!(isFollow(m_request) ? m_followMatch(t) : m_combinationMatch(t)))
            return std::nullopt;
    } else {
        if (t < m_shift)
            return std::nullopt;
        const PositionValues &compared = m_rows[t - m_shift].own[m_request.request.kind];
        std::copy(compared.begin(), compared.end(), reference.begin());
    }
    return m_index.query(reference, counts);
}

} // namespace quorlent
