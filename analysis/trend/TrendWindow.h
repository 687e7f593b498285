#pragma once

#include "TrendSeries.h"

#include <QDate>

namespace quorlent::trend {

// Which of the counted draws a chart shows: the newest n (近 30 … 1000 期 and a typed number),
// all of them, those of one calendar day (今天, 昨天), or those whose issues lie in a range.
struct TrendWindow
{
    enum class Kind
    {
        Latest,
        All,
        Day,
        Issues
    };

    Kind kind = Kind::Latest;
    int64_t count = 100; // Latest
    QDate day;           // Day
    int32_t first = 0;   // Issues: stored form, both ends included, in either order
    int32_t last = 0;

    static TrendWindow latest(int64_t n) { return {Kind::Latest, n, {}, 0, 0}; }
    static TrendWindow all() { return {Kind::All, 0, {}, 0, 0}; }
    static TrendWindow ofDay(const QDate &date) { return {Kind::Day, 0, date, 0, 0}; }
    static TrendWindow issues(int32_t a, int32_t b) { return {Kind::Issues, 0, {}, a, b}; }

    bool operator==(const TrendWindow &) const = default;
};

// Counted draws [begin, end) of a series.
struct DrawRange
{
    size_t begin = 0;
    size_t end = 0;
    size_t size() const { return end - begin; }
    bool empty() const { return end == begin; }
    bool operator==(const DrawRange &) const = default;
};

// The draws of the series the window takes; `rows` is the history the series was built from.
DrawRange resolveWindow(const TrendSeries &series, std::span<const HistoryRow> rows,
                        const TrendWindow &window);

} // namespace quorlent::trend
