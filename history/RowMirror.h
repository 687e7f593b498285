#pragma once

#include "HistoryRow.h"
#include "SqliteDb.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorlent {

class SharedFirstTouch;

// The compact copy of Lishi beside it, table LishiYasuo: what the window keeps of each draw, a few
// bytes a draw in blocks of kBlockRows rows in issue order (RowBlock), so that opening a history
// reads a fortieth of the file. Lishi stays as it always was, every column written; the copy only
// saves reading it.
//
// The copy is in step with Lishi or it is empty. This program's writers (HistoryDb) change it in
// the transaction that changes Lishi, with the triggers off. Anything else that changes Lishi (an
// earlier version of the program, another tool) fires a trigger that empties the copy, and the
// next opening reads Lishi itself and writes the copy anew. A file without the copy (written
// before it existed) is read from Lishi too.
//
// The copy may also vouch that Lishi holds nothing but what this program's writing runs derived,
// in issue order and without the earlier-draw texts, from the issues, digits, codes and dates the
// copy keeps: every other column as such a run writes it. A stored row that agrees with a new run
// on those is then the row that run would write, and a rewrite of the history may keep it.
// Whatever changes Lishi without the triggers off (or empties the copy) withdraws the word.
//
// Every method but load() runs inside the caller's transaction.
class RowMirror
{
  public:
    static constexpr size_t kBlockRows = 4096;

    explicit RowMirror(SqliteDb &db) : m_db(db) {}

    // Creates the table, empty and out of step, and the triggers that empty it when a statement
    // of someone else's changes one of `watched` (Lishi's columns the rows are read from).
    bool create(const std::vector<std::string> &watched);
    // The number of rows of a copy in step, or nothing when the copy is missing, emptied or of a
    // form this program does not read.
    std::optional<size_t> size();

    // Every row in issue order (with room for `spare` more), or nothing when the copy is not in
    // step, or does not agree with Lishi on the number of rows and on the newest draw.
    std::optional<std::vector<HistoryRow>> load(size_t spare);

    // Makes the copy `rows`, in step (after a whole history was written or read).
    bool store(std::span<const HistoryRow> rows);

    // Whether the copy is in step and vouches for Lishi as derived (see above).
    bool isDerived();
    // After a writer left Lishi derived: a whole history written by an in-order run, or emptied.
    bool markDerived();
    // After a writer stored rows no in-order run would: the copy may stay in step, but no longer
    // vouches for them.
    bool forgetDerived();

    // What a writer of Lishi tells the copy after its change; nothing to do while the copy is out
    // of step. Rows appended in the order they were stored.
    bool appended(std::span<const HistoryRow> rows);
    // The rows from issue `fromIssue` on were removed, `rows` stored after them.
    bool replacedFrom(int32_t fromIssue, std::span<const HistoryRow> rows);
    // The draw `sqqh` got the codes `own`, and the draw after it (`next`) keeps them as its
    // previous draw.
    bool corrected(int32_t sqqh, const DrawCodes &own, std::optional<int32_t> next);
    // The newest row (the last stored of the greatest issue) was removed.
    bool removedNewest();

  private:
    // Rows from the block that holds the first row with an issue of at least `issue` to the end
    // of the `count` rows; `firstRow` gets the index of the first.
    bool loadTail(int32_t issue, size_t count, size_t &firstRow, std::vector<HistoryRow> &rows);
    // With `touch`, the rows are written only where it lets them be, and never moved.
    bool loadBlocks(size_t firstBlock, size_t blockCount, std::vector<HistoryRow> &rows,
                    SharedFirstTouch *touch = nullptr);
    // Writes `rows` as the blocks from row `firstRow` (a block's first row) on; with `toEnd` they
    // are the last rows, and the copy ends after them.
    bool put(size_t firstRow, std::span<const HistoryRow> rows, bool toEnd);
    // A copy that does not read as it should is emptied: the next opening reads Lishi.
    bool abandon();

    SqliteDb &m_db;
};

} // namespace quorlent
