#pragma once

#include "FileOpResult.h"
#include "HistoryDb.h"

#include <QString>
#include <vector>

namespace quorlent {

class HistoryStore;

// The draws the last deletion removed (the newest draw, down to an issue, the last m, or all of
// them), so that the deletion can be undone. Kept in memory only: it lasts until the history
// changes again in any way (an entry, an import, an update, a correction, another deletion,
// another history opened) and does not survive the program's end.
//
//     DeletionUndo undo = DeletionUndo::before(store);
//     if (deleteNewestDraw(store).ok)
//         undo.deletionDone(store);
//     ...
//     if (undo.available(store))
//         undo.restore(store, segmentBase);
class DeletionUndo
{
  public:
    // The history as it is before a deletion.
    static DeletionUndo before(const HistoryStore &store);
    // The deletion is done: keeps the draws it removed (a deletion keeps the oldest draws and
    // removes the rest). Nothing is kept when nothing was removed.
    void deletionDone(const HistoryStore &store);

    // The deletion can be undone: the history is still the one it left.
    bool available(const HistoryStore &store) const;
    const std::vector<DatedDraw> &draws() const { return m_draws; }

    // Puts the draws back, with the corrections they carried, derived again with `segmentBase` as
    // if the history had been read in so, in one transaction. Spent afterwards, whether or not it
    // worked.
    FileOpResult restore(HistoryStore &store, int segmentBase);

  private:
    std::vector<DatedDraw> m_draws;
    std::vector<HistoryDb::Correction> m_marks;
    QString m_path;
    uint64_t m_revision = 0;
    bool m_done = false;
};

} // namespace quorlent
