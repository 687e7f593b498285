#include "TrendWindow.h"

#include "Issue.h"

#include <algorithm>

namespace quorlent::trend {

namespace {

// The first counted draw whose issue is at least `issue`: the series is in issue order.
size_t firstFrom(const TrendSeries &series, std::span<const HistoryRow> rows, int64_t issue)
{
    size_t low = 0;
    size_t high = series.size();
    while (low < high) {
        const size_t mid = low + (high - low) / 2;
        if (rows[series.storeIndex(mid)].sqqh < issue)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

DrawRange issuesRange(const TrendSeries &series, std::span<const HistoryRow> rows, int64_t first,
                      int64_t last)
{
    if (first > last)
        std::swap(first, last);
    return {firstFrom(series, rows, first), firstFrom(series, rows, last + 1)};
}

} // namespace

DrawRange resolveWindow(const TrendSeries &series, std::span<const HistoryRow> rows,
                        const TrendWindow &window)
{
    const size_t n = series.size();
    switch (window.kind) {
    case TrendWindow::Kind::Latest: {
        const auto count = size_t(std::max<int64_t>(window.count, 0));
        return {n - std::min(n, count), n};
    }
    case TrendWindow::Kind::All:
        return {0, n};
    case TrendWindow::Kind::Day: {
        if (!window.day.isValid())
            return {};
        const int64_t day = int64_t(issue::dayNumberOf(window.day)) * 1000;
        return issuesRange(series, rows, day, day + 999);
    }
    case TrendWindow::Kind::Issues:
        return issuesRange(series, rows, window.first, window.last);
    }
    return {};
}

} // namespace quorlent::trend
