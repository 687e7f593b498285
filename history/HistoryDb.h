#pragma once

#include "DrawRecord.h"
#include "Game.h"
#include "HistoryRow.h"
#include "SqliteDb.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace quorlent {

// The history database file: tables Lishi (one row per draw) and Carcu (the last tally).
// Every change of the history is one transaction; rows are read in issue order, equal issues in
// the order they were stored.
// Yields the records of a run one at a time: fills the record and returns true, or returns
// false at the end. Lets a long run be written without holding all its records at once.
using RecordSource = std::function<bool(DrawRecord &)>;

// The records of a span, one after the other.
RecordSource recordsFrom(std::span<const DrawRecord> records);

class HistoryDb
{
  public:
    enum class OpenStatus
    {
        Opened,
        Created,
        NotOurs,
        Failed
    };
    struct OpenResult
    {
        std::unique_ptr<HistoryDb> db;
        OpenStatus status = OpenStatus::Failed;
        QString message; // for the status bar when there is no database
    };

    // Opens the file, or creates it with both tables when it does not exist. A file that is not
    // a database of ours is left exactly as it is.
    static OpenResult openOrCreate(const QString &path);
    // Creates a new history file for `game`, named `name`; a file already at `path` is refused and
    // left as it is.
    static OpenResult create(const QString &path, const Game &game, const QString &name);
    // Whether the file at `path` starts with our database header.
    static bool isOurs(const QString &path);
    // An empty file: all that a creation killed before its first write could leave. It holds
    // nothing, so a new history may take its place.
    static bool isLeftEmpty(const QString &path);
    // Where a new file is made before it takes its name: hidden, beside it.
    static QString stagingPath(const QString &path);

    const QString &path() const { return m_path; }
    SqliteDb &sql() { return *m_db; }

    // The game the file's draws belong to: the table Caizhong says; a file without it (every file
    // written before games existed, and the default history) holds the original game.
    const Game &game() const { return m_game; }
    // The history's own name ("排列五"); empty for a file without one.
    const QString &name() const { return m_name; }
    // Records the game and the name in the file, in one transaction. The caller makes sure the
    // history holds no draws of another game.
    bool setGame(const Game &game, const QString &name);

    std::vector<HistoryRow> loadRows();

    // A stored draw whose digits the user corrected: the digits it was stored with first and
    // those it has now. Kept beside Lishi (table Xiuzheng), which keeps its columns.
    struct Correction
    {
        int32_t sqqh = 0;
        Digits original{};
        Digits corrected{};
        bool operator==(const Correction &) const = default;
    };
    std::vector<Correction> loadCorrections();

    // What a correction writes: the draw's own codes, the codes and texts of it that the draw
    // after it keeps as its previous draw, and the codes (and, where a rebuild wrote them, the
    // texts) the draw after that keeps as the earlier draw. Rows are named by issue; an issue
    // stored twice cannot be corrected.
    struct CorrectionWrite
    {
        int32_t sqqh = 0;
        DrawCodes own;
        std::optional<int32_t> next;      // the draw after it
        std::optional<int32_t> afterNext; // the draw after that
        Correction mark;
    };
    bool correct(const CorrectionWrite &write);
    // Replaces the draws from issue `fromIssue` on (all rows with a greater or equal issue) with
    // `records`, and records `marks` as corrections, in one transaction.
    bool replaceFrom(int32_t fromIssue, std::span<const DrawRecord> records,
                     std::span<const Correction> marks = {});
    bool append(std::span<const DrawRecord> records);
    // Empties Lishi and stores `records` in their place, in one transaction.
    bool replaceAll(std::span<const DrawRecord> records);
    // With `stored`: also gives the rows stored, in issue order. `expected`: how many records the
    // source will yield, where known. `current`: the rows the file holds now, as loadRows() gave
    // them and the writers since kept them; where the file vouches for its rows as derived, the
    // leading rows the records repeat stay as they are and only the rest is written.
    bool replaceAll(const RecordSource &source, std::vector<HistoryRow> *stored = nullptr,
                    size_t expected = 0, std::span<const HistoryRow> current = {});
    bool clear();
    // Removes the draw with the greatest issue (the last stored of equal ones).
    bool deleteNewest();
    // Carcu := the given (value, count) rows, in this order.
    bool writeTally(std::span<const std::pair<int, int64_t>> rows);

    // Column names of Lishi in table order, and the statements built from them.
    static std::vector<std::string> lishiColumns();
    static std::string createStatements();

  private:
    HistoryDb(QString path, std::unique_ptr<SqliteDb> db);
    // Opens the file, or creates it (with `newGame` recorded in the same transaction, when given).
    static OpenResult openFile(const QString &path, const Game *newGame, const QString &name);
    // The same, where a missing file is made whole before it takes its name.
    static OpenResult openPlaced(const QString &path, const Game *newGame, const QString &name);
    // Inserts the records; with `rows`, appends the row of each.
    bool insertAll(const RecordSource &source, std::vector<HistoryRow> *rows = nullptr);
    // Reads records while they repeat `current` from its first row, adding the row of each to
    // `rows`; removes the stored rows from the first that differs on (from the start of its
    // issue), and gives the source of what is still to be inserted.
    std::optional<RecordSource> keepRepeatedRows(const RecordSource &source,
                                                 std::span<const HistoryRow> current,
                                                 std::vector<HistoryRow> &rows);
    // Removes every row and date; the rows from issue `fromIssue` on, and their dates.
    bool removeAll();
    bool removeFrom(int32_t fromIssue);
    // Whether `record` is written exactly as the derived row `row` is stored.
    bool storedAs(const DrawRecord &record, const HistoryRow &row) const;
    // Every row read from Lishi itself, in issue order; and the dates kept beside it.
    std::vector<HistoryRow> scanRows();
    void addDates(std::vector<HistoryRow> &rows);
    // Makes the compact copy beside Lishi hold `rows` (creating it where missing), inside the
    // caller's transaction.
    bool mirror(std::span<const HistoryRow> rows);
    bool readGame();
    bool hasTable(const char *name);
    // Empties the tables that go with Lishi's rows (draw dates, corrections).
    bool clearSideTables();
    // Records corrections inside the caller's transaction; a draw corrected again keeps the
    // digits it was first stored with.
    bool writeMarks(std::span<const Correction> marks);
    bool pruneMarks();

    QString m_path;
    std::unique_ptr<SqliteDb> m_db;
    Game m_game = Game::standard();
    QString m_name;
    bool m_hasDates = false;       // the table Kaijiangri exists
    bool m_hasCorrections = false; // the table Xiuzheng exists
};

} // namespace quorlent
