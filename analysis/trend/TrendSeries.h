#pragma once

#include "HistoryRow.h"
#include "IssueOrdinals.h"
#include "TrendColumns.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace quorlent::trend {

// Where each presence column stands just before a counted draw: the last counted draw that showed
// its digit (-1: none) and the length of the run of consecutive draws showing it that ends there.
struct Presence
{
    std::array<int32_t, kPresenceColumns> last;
    std::array<int32_t, kPresenceColumns> run;

    Presence()
    {
        last.fill(-1);
        run.fill(0);
    }
    // Takes in counted draw `draw`.
    void step(const Digits &digits, int32_t draw);
};

// The draws a trend chart counts, in issue order, and the lines it shows: one per counted draw,
// and in between, in place, the draws missing from the history. Either every stored draw is
// counted, or (同期号) only draw k of each day; then a day without its draw k is the missing line.
//
// Nothing is kept per draw when every draw is counted: the series reads the history's rows in
// place, lists the missing stretches, and keeps the presence of every column at every 128th draw,
// from which the presence before any draw is a short walk.
class TrendSeries
{
  public:
    static constexpr size_t kCheckpointEvery = 128;

    struct Gap
    {
        int32_t first = 0; // issues of the first and last missing draw
        int32_t last = 0;
        int64_t count = 0;
        size_t beforeDraw = 0; // the counted draw the stretch comes before
        size_t line = 0;
    };

    // `sameDraw` 1-N counts draw k of each day only; 0 counts every draw. `rows` is the history
    // in issue order, read where it lies, of `game`.
    TrendSeries(const std::vector<HistoryRow> &rows, int sameDraw,
                const Game &game = Game::standard());

    const Game &game() const { return m_ordinals.game(); }
    // Reads the history as another game's; rebuild() follows.
    void setGame(const Game &game) { m_ordinals = IssueOrdinals(game); }
    // A stretch of missing draws longer than this (more than a day's draws) is one line.
    int64_t spelledOutGap() const { return std::max(game().drawsPerDay(), 1); }

    int sameDraw() const { return m_sameDraw; }
    // Counts another set of draws; rebuild() follows.
    void setSameDraw(int sameDraw) { m_sameDraw = sameDraw; }

    // Told of each counted draw as it is added.
    using DrawObserver = std::function<void(const Digits &digits, int32_t draw)>;

    void rebuild(const DrawObserver &observe = {});
    // Forgets every draw (until rebuild()).
    void clear();
    // rows[from..] were added at the end of the history.
    void append(size_t from, const DrawObserver &observe = {});
    // The history lost rows at its end.
    void truncate();

    // Counted draws.
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    // The history row of a counted draw.
    size_t storeIndex(size_t draw) const { return m_sameDraw ? size_t(m_storeIndex[draw]) : draw; }
    const HistoryRow &rowOf(size_t draw) const { return m_rows[storeIndex(draw)]; }

    size_t lineCount() const { return m_size + m_gaps.size(); }
    size_t lineOfDraw(size_t draw) const;
    bool isMissingLine(size_t line) const { return gapAtLine(line) != nullptr; }
    // The counted draw of a line that is not missing.
    size_t drawOfLine(size_t line) const;
    const Gap *gapAtLine(size_t line) const;
    const std::vector<Gap> &gaps() const { return m_gaps; }

    // The presence of every column just before a counted draw (or after the last, at size()).
    Presence presenceBefore(size_t draw) const;

    // Bytes held by the series (capacities).
    size_t memoryBytes() const;

  private:
    void add(const HistoryRow &row, size_t storeIndex, const DrawObserver &observe);
    void addGap(int64_t first, int64_t last);
    bool isCounted(const HistoryRow &row) const;
    std::optional<int64_t> placeOf(int32_t issue);
    int32_t issueAtPlace(int64_t place) const;

    const std::vector<HistoryRow> &m_rows;
    int m_sameDraw = 0;
    IssueOrdinals m_ordinals;
    std::optional<int64_t> m_lastPlace; // place of the newest counted issue that can exist
    size_t m_size = 0;
    std::vector<int32_t> m_storeIndex; // 同期号 only
    std::vector<Gap> m_gaps;
    std::vector<Presence> m_checkpoints; // before draws 0, 128, 256, ...
    Presence m_tail;                     // after the last counted draw
};

} // namespace quorlent::trend
