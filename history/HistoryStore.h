#pragma once

#include "HistoryDb.h"

#include <QObject>
#include <map>
#include <optional>

namespace quorlent {

// The history as the window and the searches see it: the open database and, in step with it, the
// stored draws in issue order held in memory. Every change goes through here: first the database
// in one transaction, then the memory, so the two never disagree.
class HistoryStore : public QObject
{
    Q_OBJECT

public:
    explicit HistoryStore(QObject *parent = nullptr);
    ~HistoryStore() override;

    // Opens (or creates) the database file and loads its draws, in place of the history open
    // before; when it cannot be opened, the history open before stays.
    HistoryDb::OpenResult open(const QString &path);
    // Creates a new history file for `game` and opens it.
    HistoryDb::OpenResult create(const QString &path, const Game &game, const QString &name);
    bool isOpen() const { return m_db != nullptr; }
    HistoryDb *db() { return m_db.get(); }
    // The file of the open history; empty when none is open.
    QString path() const { return m_db ? m_db->path() : QString(); }

    // The game of the open history (the original game when none is open) and its name.
    const Game &game() const { return m_db ? m_db->game() : m_noGame; }
    QString name() const { return m_db ? m_db->name() : QString(); }
    // Gives an empty history another game or name. A history that holds draws keeps its game
    // (the draws were read and derived in its form); only its name may change.
    bool setGame(const Game &game, const QString &name);
    // Gives up the database (for compaction) and takes another; the rows are kept.
    std::unique_ptr<HistoryDb> takeDb();
    void adoptDb(std::unique_ptr<HistoryDb> db);

    const std::vector<HistoryRow> &rows() const { return m_rows; }
    size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }
    const HistoryRow *newest() const { return m_rows.empty() ? nullptr : &m_rows.back(); }
    // Changes with every change of the rows.
    uint64_t revision() const { return m_revision; }

    // A writing run that continues after the newest two stored draws.
    DrawRun continueRun() const;

    // Appends records (derived by a DrawRun) in one transaction.
    bool append(std::span<const DrawRecord> records);
    // Replaces the whole history in one transaction.
    bool replaceAll(std::span<const DrawRecord> records);
    // The same for a run whose records are derived as they are written; `expected`: how many,
    // where known.
    bool replaceAll(const RecordSource &source, size_t expected = 0);
    bool clear();
    bool deleteNewest();
    // The draws the user corrected, by issue: only those still stored with the corrected digits.
    const std::map<int32_t, HistoryDb::Correction> &corrections() const { return m_corrections; }
    const HistoryDb::Correction *correctionOf(int32_t sqqh) const;

    // Gives the stored draw at `index` the right digits: its codes (with `segmentBase`) and the
    // columns of the two draws after it that describe it follow, as if the history had been read
    // in with the right digits, and the draw is marked as corrected. Refused (with the reason in
    // `why`) for an issue stored twice or digits the same as stored.
    bool correctDraw(size_t index, const Digits &digits, int segmentBase, QString *why = nullptr);

    // Adds draws to the history: `newDraws` (issues it does not have, in issue order) take their
    // places, and each of `replacements` gives a stored issue the file's digits (marked as a
    // correction). Draws after the first place that changed are derived again, with
    // `segmentBase`, as if the history had been read in so. `restoredMarks` are the corrections
    // of new draws that were stored before (a deletion undone). One transaction.
    bool mergeDraws(std::span<const DatedDraw> newDraws,
                    std::span<const std::pair<int32_t, Digits>> replacements, int segmentBase,
                    std::span<const HistoryDb::Correction> restoredMarks = {});

    // Carcu := the last search's tally, (value, count) in the order shown.
    bool writeTally(std::span<const std::pair<int, int64_t>> rows);
    // What the database said about the last statement that failed.
    QString lastError() const;

signals:
    // Another history file was opened (or none could be); every view starts afresh.
    void opened();
    // The open history's game or name changed.
    void gameChanged();
    void aboutToAppend(int first, int last);
    void appended();
    void aboutToRemove(int first, int last);
    void removed();
    void aboutToReset();
    void resetDone();
    // The digits of the rows first..last changed in place (a correction); no row came or went.
    void rowsCorrected(int first, int last);

private:
    void resetRows(std::vector<HistoryRow> rows);
    void loadCorrections();

    std::unique_ptr<HistoryDb> m_db;
    static constexpr Game m_noGame = Game::standard();
    std::vector<HistoryRow> m_rows;
    std::map<int32_t, HistoryDb::Correction> m_corrections;
    uint64_t m_revision = 0;
};

} // namespace quorlent
