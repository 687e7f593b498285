#pragma once

#include "Bitset.h"
#include "CompiledCondition.h"
#include "ConditionSet.h"
#include "ConjunctionShareTask.h"
#include "DrawTable.h"
#include "OmissionTrack.h"
#include "Record.h"
#include "RecordWindow.h"

#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace quorlent::filter {

// What one condition alone keeps of the part's numbers (at the draw to come, for those that
// read earlier draws).
struct ConditionCount
{
    uint32_t numbers = 0; // numbers of the part (orderings, in 组选)
    uint32_t groups = 0;  // multisets among them
    double share = 0;     // numbers ÷ part size: the chance a random draw passes
};

// The filter's answer at once.
struct FilterCounts
{
    uint32_t partSize = 0;        // numbers of the part
    uint32_t partGroups = 0;      // multisets of the part (组选 numbers)
    uint32_t remaining = 0;       // numbers passing every switched-on valid condition
    uint32_t remainingGroups = 0; // multisets among them: the 组选 count
    double remainingShare = 0;    // remaining ÷ partSize (in 组选 too: multisets by orderings)
    std::vector<std::optional<ConditionCount>> conditions; // by condition; none when invalid
    // The switched-on valid condition that keeps the smallest share alone; -1 without one.
    int mostRemoving = -1;
};

// The records over one window of the history.
struct RecordTable
{
    size_t begin = 0; // the window's draws, as indexes into the history rows
    size_t end = 0;
    std::vector<std::optional<Record>> conditions; // each alone, by condition; none when invalid
    Record together; // every switched-on valid condition together; all draws pass without one
};

// The 缩水 filter over a history: which numbers of the part remain, what each condition keeps,
// and how the conditions fared over the history's draws.
//
// The engine reads the rows where they lie: the caller keeps them alive and tells it when rows
// were appended (rowsAppended) or changed otherwise (rowsReset). It works out once per
// condition which numbers of the part pass and which draws of the history do, so after one
// condition changed only that one is worked out again; the draws' part values, 重号 counts and
// omission marks are kept per history and extended as draws come. Not thread-safe; run a
// ConjunctionShareTask on another thread instead.
//
// A draw is judged against the draws before it only: 重号 against the draw just before (nothing
// repeats at the first draw), 冷号 and 热号 by the omissions before it (see OmissionCursor). The
// remaining numbers are for the draw to come, after the newest.
//
// The window uses it on its own thread:
//   engine.setConditions(set);                   // after every edit of a row
//   const FilterCounts counts = engine.counts(); // the count, and each condition's share
//   const RecordTable records = engine.records(RecordWindow::All);
//   if (records.together.pending) {              // 冷号 or 热号 together over a long window
//       ConjunctionShareTask task = *engine.conjunctionTask(RecordWindow::All);
//       // task.run(&cancel) on a worker thread; with its record, back on this thread:
//       engine.acceptConjunction(task, record);  // and records() again
//   }
// Cancel the worker when the conditions change again; a late record is ignored anyway.
class FilterEngine
{
  public:
    explicit FilterEngine(const std::vector<HistoryRow> &rows);

    // Rows were added at the end of the history.
    void rowsAppended();
    // The history changed in any other way (rows removed, replaced, cleared).
    void rowsReset();

    // Takes in a new condition set; only conditions whose rule or part changed are worked out
    // again, so switching one on or off costs next to nothing.
    void setConditions(const ConditionSet &set);
    const ConditionSet &conditions() const { return m_set; }
    // validate() of the set.
    const std::vector<QString> &errors() const { return m_errors; }
    // The draws it has been told of: the rows at construction, rowsAppended() or rowsReset().
    size_t drawCount() const { return m_drawCount; }

    FilterCounts counts() const;
    // The remaining numbers in ascending order: in 直选 the numbers, in 组选 one per multiset,
    // written with ascending digits (see remainingText()).
    std::vector<uint32_t> remainingValues() const;

    // The records over the newest `lastDraws` draws (0 or more than there are: all of them).
    // The together record with 冷号 or 热号 switched on is exact; when working it out would take
    // more than setSynchronousWork() allows it comes back pending, and conjunctionTask() gives
    // the work to run elsewhere.
    RecordTable records(size_t lastDraws) const;
    RecordTable records(RecordWindow window) const { return records(windowDraws(window)); }
    // The work of the pending together record over that window; none when it is not pending.
    std::optional<ConjunctionShareTask> conjunctionTask(size_t lastDraws) const;
    std::optional<ConjunctionShareTask> conjunctionTask(RecordWindow window) const
    {
        return conjunctionTask(windowDraws(window));
    }
    // Works out ahead, for the part in use, the omission marks a 冷号 or 热号 condition like this
    // one needs (kept among a few spare ones), so that switching a condition to it later costs a
    // fraction: for idle time, e.g. the thresholds next to the one in use. Does nothing when the
    // spare room is full.
    void prepareOmissions(const Condition &condition) const;

    // A finished task's record, kept for records() while the conditions and history stay as
    // they were when the task was made.
    void acceptConjunction(const ConjunctionShareTask &task, const Record &record);

    // The most work, in conjunctionWork() steps, records() does at once for the together record.
    // A step takes about 5 ns: the default, about 5 ms, covers 近 1000 期 of 五星 with up to
    // 60,000 numbers passing the other conditions, and leaves 全部 of a long history pending.
    void setSynchronousWork(uint64_t steps) { m_synchronousWork = steps; }
    static constexpr uint64_t kDefaultSynchronousWork = 1'000'000;

  private:
    struct Entry
    {
        Condition rule;
        std::optional<CompiledCondition> compiled;
        Bitset numbers; // numbers of the part passing, at the draw to come
        uint32_t numberCount = 0;
        uint32_t groupCount = 0;
        Bitset draws; // draws of the history passing
        OmissionTrack *track = nullptr;
    };

    // The switched-on valid conditions.
    struct Together
    {
        std::vector<const Entry *> entries;
        bool dependent = false;
        // The draws of [begin, end) passing them all.
        int64_t passes(size_t begin, size_t end) const;
    };

    DrawTable &table() const;
    OmissionTrack &trackFor(const OmissionKey &key) const;
    void build(Entry &entry) const;
    void buildNumbers(Entry &entry) const;
    void extendDraws(Entry &entry) const;
    void dropUnusedTracks();
    const Bitset &remaining() const;
    Together together() const;
    double shareOf(const Entry &entry, size_t begin, size_t end) const;
    QByteArray togetherKey(size_t begin, size_t end) const;
    uint64_t togetherWork(size_t begin, size_t end) const;
    ConjunctionShareTask taskFor(size_t begin, size_t end) const;
    std::pair<size_t, size_t> windowOf(size_t lastDraws) const;

    const std::vector<HistoryRow> &m_rows;
    size_t m_drawCount = 0;
    ConditionSet m_set;
    bool m_hasSet = false;
    std::vector<QString> m_errors;
    std::vector<Entry> m_entries;
    uint64_t m_synchronousWork = kDefaultSynchronousWork;
    uint64_t m_generation = 0; // counts rowsReset()

    mutable std::array<std::unique_ptr<DrawTable>, 8> m_tables;
    mutable std::vector<std::unique_ptr<OmissionTrack>> m_tracks;
    mutable std::optional<Bitset> m_remaining;
    struct KnownTogether
    {
        QByteArray key;
        Record record;
    };
    mutable std::vector<KnownTogether> m_known; // exact together records, newest last
};

} // namespace quorlent::filter
