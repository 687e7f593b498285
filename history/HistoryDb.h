#pragma once

#include "DrawRecord.h"
#include "HistoryRow.h"
#include "SqliteDb.h"

#include <QString>
#include <functional>
#include <memory>
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
    enum class OpenStatus { Opened, Created, NotOurs, Failed };
    struct OpenResult
    {
        std::unique_ptr<HistoryDb> db;
        OpenStatus status = OpenStatus::Failed;
        QString message; // for the status bar when there is no database
    };

    // Opens the file, or creates it with both tables when it does not exist. A file that is not
    // a database of ours is left exactly as it is.
    static OpenResult openOrCreate(const QString &path);
    // Whether the file at `path` starts with our database header.
    static bool isOurs(const QString &path);

    const QString &path() const { return m_path; }
    SqliteDb &sql() { return *m_db; }

    std::vector<HistoryRow> loadRows();
    bool append(std::span<const DrawRecord> records);
    // Empties Lishi and stores `records` in their place, in one transaction.
    bool replaceAll(std::span<const DrawRecord> records);
    bool replaceAll(const RecordSource &source);
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
    bool insertAll(const RecordSource &source);

    QString m_path;
    std::unique_ptr<SqliteDb> m_db;
};

} // namespace quorlent
