#include "TrendWindow.h"

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

// The draws of a day where only the kept dates say it: dates follow the issues, so the day's draws
// lie together, found walking back from the newest (today's and yesterday's are near the end).
DrawRange dayByKeptDates(const TrendSeries &series, std::span<const HistoryRow> rows, int32_t date)
{
    auto dateOf = [&](size_t draw) { return rows[series.storeIndex(draw)].date; };
    size_t d = series.size();
    while (d > 0 && dateOf(d - 1) != date) {
        const int32_t kept = dateOf(d - 1);
        if (kept != 0 && kept < date)
            return {}; // walked past the day: none of its draws is stored
        --d;
    }
    const size_t end = d;
    while (d > 0 && dateOf(d - 1) == date)
        --d;
    return {d, end};
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
        const Game &game = series.game();
        if (game.numbersByYear())
            return dayByKeptDates(series, rows, Game::dateNumber(window.day));
        const int64_t day = game.issueOfDay(window.day, 0);
        // Every sequence the day's digits can hold, those beyond the schedule included.
        return issuesRange(series, rows, day, game.issueOfDay(window.day.addDays(1), 0) - 1);
    }
    case TrendWindow::Kind::Issues:
        return issuesRange(series, rows, window.first, window.last);
    }
    return {};
}

} // namespace quorlent::trend
