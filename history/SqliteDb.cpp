#include "SqliteDb.h"

namespace quorlent {

Statement &Statement::bind(int index, int64_t value)
{
    sqlite3_bind_int64(m_stmt.get(), index, value);
    return *this;
}

Statement &Statement::bind(int index, std::string_view text)
{
    sqlite3_bind_text(m_stmt.get(), index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

Statement &Statement::bindStatic(int index, std::string_view text)
{
    sqlite3_bind_text(m_stmt.get(), index, text.data(), static_cast<int>(text.size()),
                      SQLITE_STATIC);
    return *this;
}

Statement &Statement::bindStaticBlob(int index, std::string_view bytes)
{
    sqlite3_bind_blob(m_stmt.get(), index, bytes.data(), static_cast<int>(bytes.size()),
                      SQLITE_STATIC);
    return *this;
}

Statement &Statement::bindNull(int index)
{
    sqlite3_bind_null(m_stmt.get(), index);
    return *this;
}

int Statement::step() { return m_stmt ? sqlite3_step(m_stmt.get()) : SQLITE_MISUSE; }

void Statement::reset() { sqlite3_reset(m_stmt.get()); }

int64_t Statement::columnInt(int column) const { return sqlite3_column_int64(m_stmt.get(), column); }

std::string Statement::columnText(int column) const
{
    const auto *text = sqlite3_column_text(m_stmt.get(), column);
    if (!text)
        return {};
    return std::string(reinterpret_cast<const char *>(text),
                       static_cast<size_t>(sqlite3_column_bytes(m_stmt.get(), column)));
}

std::string_view Statement::columnBytes(int column) const
{
    const void *bytes = sqlite3_column_blob(m_stmt.get(), column);
    if (!bytes)
        return {};
    return {static_cast<const char *>(bytes),
            static_cast<size_t>(sqlite3_column_bytes(m_stmt.get(), column))};
}

bool Statement::columnIsNull(int column) const
{
    return sqlite3_column_type(m_stmt.get(), column) == SQLITE_NULL;
}

int Statement::columnCount() const { return sqlite3_column_count(m_stmt.get()); }

std::unique_ptr<SqliteDb> SqliteDb::open(const std::string &path, int flags, std::string *error)
{
    sqlite3 *db = nullptr;
    // One connection is only ever used by one thread.
    const int rc = sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        if (error)
            *error = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    // Whole-history reads and writes are the common case: map the file and keep a large cache.
    sqlite3_exec(db, kMemoryPragmas, nullptr, nullptr, nullptr);
    return std::unique_ptr<SqliteDb>(new SqliteDb(db));
}

SqliteDb::~SqliteDb() { sqlite3_close_v2(m_db); }

bool SqliteDb::exec(const char *sql)
{
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

Statement SqliteDb::prepare(const char *sql)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) != SQLITE_OK)
        return Statement();
    return Statement(stmt);
}

int64_t SqliteDb::queryInt(const char *sql, int64_t fallback)
{
    Statement stmt = prepare(sql);
    if (stmt.isValid() && stmt.step() == SQLITE_ROW && !stmt.columnIsNull(0))
        return stmt.columnInt(0);
    return fallback;
}

std::string SqliteDb::lastError() const { return sqlite3_errmsg(m_db); }

TriggersOff::TriggersOff(SqliteDb &db) : m_db(db)
{
    // The pointer receives the state after the call: ask first, then turn them off.
    sqlite3_db_config(m_db.handle(), SQLITE_DBCONFIG_ENABLE_TRIGGER, -1, &m_before);
    sqlite3_db_config(m_db.handle(), SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
}

TriggersOff::~TriggersOff()
{
    sqlite3_db_config(m_db.handle(), SQLITE_DBCONFIG_ENABLE_TRIGGER, m_before, nullptr);
}

Transaction::Transaction(SqliteDb &db) : m_db(db) { m_active = m_db.exec("BEGIN IMMEDIATE"); }

Transaction::~Transaction()
{
    if (m_active)
        m_db.exec("ROLLBACK");
}

bool Transaction::commit()
{
    if (!m_active)
        return false;
    m_active = false;
    if (m_db.exec("COMMIT"))
        return true;
    m_db.exec("ROLLBACK");
    return false;
}

} // namespace quorlent
