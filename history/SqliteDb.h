#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace quorlent {

struct StatementFinalizer
{
    void operator()(sqlite3_stmt *stmt) const { sqlite3_finalize(stmt); }
};

// A prepared statement; values are always bound, never spliced into SQL text.
class Statement
{
public:
    Statement() = default;
    explicit Statement(sqlite3_stmt *stmt) : m_stmt(stmt) {}

    bool isValid() const { return m_stmt != nullptr; }
    Statement &bind(int index, int64_t value);
    Statement &bind(int index, std::string_view text);
    // The text must stay alive and unchanged until the statement has stepped.
    Statement &bindStatic(int index, std::string_view text);
    // Bytes as a BLOB; they must stay alive and unchanged until the statement has stepped.
    Statement &bindStaticBlob(int index, std::string_view bytes);
    Statement &bindNull(int index);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Ready to step again; bindings stay until rebound.
    void reset();

    int64_t columnInt(int column) const;
    std::string columnText(int column) const;
    // The bytes of a text or BLOB value, valid until the statement steps or resets.
    std::string_view columnBytes(int column) const;
    bool columnIsNull(int column) const;
    int columnCount() const;

private:
    std::unique_ptr<sqlite3_stmt, StatementFinalizer> m_stmt;
};

// One open SQLite connection.
class SqliteDb
{
public:
    // The memory a connection may use for the file: mapped, and cached. A whole history is
    // written through a cache of a few megabytes about as fast as through a large one, and the
    // reads that opening a history makes are a few megabytes.
    static constexpr const char *kMemoryPragmas =
        "PRAGMA mmap_size=1073741824; PRAGMA cache_size=-8192";

    // Opens with the given sqlite3_open_v2 flags; returns null and sets `error` on failure.
    static std::unique_ptr<SqliteDb> open(const std::string &path, int flags,
                                          std::string *error = nullptr);
    ~SqliteDb();
    SqliteDb(const SqliteDb &) = delete;
    SqliteDb &operator=(const SqliteDb &) = delete;

    bool exec(const char *sql);
    Statement prepare(const char *sql);
    // The first column of the first row of a query, or `fallback`.
    int64_t queryInt(const char *sql, int64_t fallback = 0);
    std::string lastError() const;
    sqlite3 *handle() const { return m_db; }

private:
    explicit SqliteDb(sqlite3 *db) : m_db(db) {}
    sqlite3 *m_db = nullptr;
};

// Keeps the database's triggers from firing for this connection's statements while it lives (and
// lets them fire again afterwards, as before).
class TriggersOff
{
public:
    explicit TriggersOff(SqliteDb &db);
    ~TriggersOff();
    TriggersOff(const TriggersOff &) = delete;
    TriggersOff &operator=(const TriggersOff &) = delete;

private:
    SqliteDb &m_db;
    int m_before = 1;
};

// Rolls back unless committed.
class Transaction
{
public:
    explicit Transaction(SqliteDb &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    bool isActive() const { return m_active; }
    bool commit();

private:
    SqliteDb &m_db;
    bool m_active = false;
};

} // namespace quorlent
