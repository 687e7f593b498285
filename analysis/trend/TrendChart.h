#pragma once

#include "DrawFeatures.h"
#include "TrendStatistics.h"

#include <vector>

namespace quorlent::trend {

// What the chart shows on one of its lines.
struct TrendRow
{
    bool missing = false;
    int32_t issue = 0;        // the draw's issue, or the first missing one
    int32_t lastIssue = 0;    // the last missing issue of the line
    int64_t missingCount = 0; // missing draws the line stands for
    bool issueExists = true;  // false for a stored issue that cannot exist
    size_t draw = 0;          // the counted draw (not for a missing line)
    Digits digits{};
    DrawFeatures features;
    // 0 where the draw shows the column's digit, else the omission.
    std::array<int64_t, kPresenceColumns> omission{};
    // Whether the cell lies in its column's current run of absence (遗漏分层).
    std::array<bool, kPresenceColumns> layered{};
};

// The trend chart without its widgets: the counted draws of the history, the window the user
// chose, the statistics of that window, and each line computed when asked. Follows the history
// through rebuild() (a new history), appended() and truncated() (rows added or removed at the
// end); the history is the store's vector of rows, in issue order, read in place.
class TrendChart
{
  public:
    explicit TrendChart(const std::vector<HistoryRow> &rows, const Game &game = Game::standard());

    // Reads the history as another game's (another history was opened); rebuild() follows. A
    // game without several draws a day has no 同期号: it is switched off.
    void setGame(const Game &game);
    const Game &game() const { return m_every.game(); }

    void setWindow(const TrendWindow &window);
    // 0: every draw; 1-N: draw k of each day only (同期号).
    void setSameDraw(int sameDraw);
    void setOrigin(StatsOrigin origin);
    const TrendWindow &window() const { return m_window; }
    int sameDraw() const { return m_same.sameDraw(); }
    StatsOrigin origin() const { return m_origin; }

    void rebuild();
    void appended(size_t from);
    void truncated();

    // The lines of the window, oldest first: its counted draws and the missing ones between.
    size_t rowCount() const { return m_lineEnd - m_lineBegin; }
    // The series line of the window's first row.
    size_t firstLine() const { return m_lineBegin; }
    TrendRow row(size_t index) const;
    bool isMissingRow(size_t index) const { return series().isMissingLine(m_lineBegin + index); }
    // The digits of a row's draw (zeros for a missing line), without the rest of row().
    Digits digitsOf(size_t index) const;

    const DrawRange &range() const { return m_range; }
    const TrendStatistics &statistics() const { return m_stats; }
    // Missing draws inside the window.
    int64_t missingInWindow() const { return m_missing; }
    const TrendSeries &series() const { return m_same.sameDraw() ? m_same : m_every; }
    const std::vector<HistoryRow> &history() const { return m_rows; }
    // Changes whenever what the lines show may have changed.
    uint64_t revision() const { return m_revision; }

    size_t memoryBytes() const { return m_every.memoryBytes() + m_same.memoryBytes(); }

  private:
    // Recomputes the window and its statistics; `grown`: draws were only added at the end.
    void refresh(bool grown = false);
    static TrendSeries::DrawObserver wholeTally(WindowTally &tally);

    const std::vector<HistoryRow> &m_rows;
    // Every draw, kept in step with the history even while 同期号 is shown, so that turning it
    // off costs nothing; and the draws of 同期号.
    TrendSeries m_every;
    TrendSeries m_same;
    TrendWindow m_window;
    StatsOrigin m_origin = StatsOrigin::Carried;
    DrawRange m_range;
    size_t m_lineBegin = 0;
    size_t m_lineEnd = 0;
    int64_t m_missing = 0;
    // The statistics of all of a series (全部, where both origins agree) are kept and grown
    // with the history; another window gets a tally of its own.
    WindowTally m_everyWhole;
    WindowTally m_sameWhole;
    WindowTally m_tally;
    TrendStatistics m_stats{};
    uint64_t m_revision = 0;
};

} // namespace quorlent::trend
