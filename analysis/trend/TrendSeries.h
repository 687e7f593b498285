#pragma once

#include "HistoryRow.h"
#include "IssueOrdinals.h"
#include "TrendColumns.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace quorlent::trend {

// The draws a trend chart counts, in issue order, and the lines it shows: one per counted draw,
// and in between, in place, the draws that are missing from the history. Either every stored
// draw is counted, or (同期号) only draw k of each day; then a day without its draw k is the
// missing line.
//
// For every presence column the series keeps the ascending list of counted draws that show its
// digit, so an omission or a statistic is a search in a list, not a walk through the history.
// That costs one int per draw and position and one per distinct digit of a draw; nothing per cell.
class TrendSeries
{
public:
    // A stretch of missing draws longer than this (more than a day's draws) is one line.
    static constexpr int64_t kSpelledOutGap = 120;

    struct Gap
    {
        int32_t first = 0; // issues of the first and last missing draw
        int32_t last = 0;
        int64_t count = 0;
        size_t line = 0;
    };

    // `sameDraw` 1-120 counts draw k of each day only; 0 counts every draw.
    explicit TrendSeries(int sameDraw = 0) : m_sameDraw(sameDraw) {}

    int sameDraw() const { return m_sameDraw; }

    void rebuild(std::span<const HistoryRow> rows);
    // rows[from..] were added at the end of the history.
    void append(std::span<const HistoryRow> rows, size_t from);
    // The history lost rows at its end and is now `rows`.
    void truncate(std::span<const HistoryRow> rows);

    // Counted draws.
    size_t size() const { return m_storeIndex.size(); }
    bool empty() const { return m_storeIndex.empty(); }
    // The history row of a counted draw.
    size_t storeIndex(size_t draw) const { return m_storeIndex[draw]; }
    size_t lineOfDraw(size_t draw) const { return m_lineOfDraw[draw]; }

    size_t lineCount() const { return m_lines.size(); }
    bool isMissingLine(size_t line) const { return m_lines[line] < 0; }
    size_t drawOfLine(size_t line) const { return size_t(m_lines[line]); }
    const Gap &gapOfLine(size_t line) const { return m_gaps[size_t(-1 - m_lines[line])]; }
    const std::vector<Gap> &gaps() const { return m_gaps; }

    // The counted draws that show the column's digit, ascending.
    std::span<const int32_t> appearances(int column) const { return m_appearances[size_t(column)]; }

    // Bytes held by the series (capacities).
    size_t memoryBytes() const;

private:
    void add(const HistoryRow &row, size_t storeIndex);
    void addGap(int64_t first, int64_t last);
    bool isCounted(const HistoryRow &row) const;
    std::optional<int64_t> placeOf(int32_t issue);
    int32_t issueAtPlace(int64_t place) const;
    void findLastPlace(std::span<const HistoryRow> rows);

    int m_sameDraw = 0;
    IssueOrdinals m_ordinals;
    std::optional<int64_t> m_lastPlace; // place of the newest counted issue that can exist
    std::vector<int32_t> m_storeIndex;
    std::vector<int32_t> m_lineOfDraw;
    std::vector<int32_t> m_lines; // a draw, or -1 - its index in m_gaps
    std::vector<Gap> m_gaps;
    std::array<std::vector<int32_t>, kPresenceColumns> m_appearances;
};

} // namespace quorlent::trend
