#include "IssueRange.h"

#include <algorithm>

namespace quorlent {

std::optional<IssueRange> IssueRange::fromTexts(const QString &start, const QString &end,
                                                const Game &game)
{
    const std::optional<int32_t> first = game.fromDisplay(start);
    const std::optional<int32_t> last = game.fromDisplay(end);
    if (!first || !last)
        return std::nullopt;
    return IssueRange{*first, *last};
}

IssueRange::Span IssueRange::span(const std::vector<HistoryRow> &rows) const
{
    const auto begin = std::lower_bound(rows.begin(), rows.end(), first,
                                        [](const HistoryRow &r, int32_t s) { return r.sqqh < s; });
    const auto end = std::upper_bound(begin, rows.end(), last,
                                      [](int32_t s, const HistoryRow &r) { return s < r.sqqh; });
    if (end <= begin)
        return {};
    return {static_cast<size_t>(begin - rows.begin()), static_cast<size_t>(end - rows.begin())};
}

} // namespace quorlent
