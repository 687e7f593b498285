#include "HistoryStore.h"

#include <algorithm>

namespace quorlent {

HistoryStore::HistoryStore(QObject *parent) : QObject(parent) {}

HistoryStore::~HistoryStore() = default;

HistoryDb::OpenResult HistoryStore::open(const QString &path)
{
    HistoryDb::OpenResult result = HistoryDb::openOrCreate(path);
    if (!result.db && m_db)
        return result; // the history open before stays
    m_db = std::move(result.db);
    resetRows(m_db ? m_db->loadRows() : std::vector<HistoryRow>{});
    emit opened();
    return result;
}

HistoryDb::OpenResult HistoryStore::create(const QString &path, const Game &game,
                                           const QString &name)
{
    HistoryDb::OpenResult result = HistoryDb::create(path, game, name);
    if (!result.db)
        return result; // the open history stays
    m_db = std::move(result.db);
    resetRows({});
    emit opened();
    return result;
}

bool HistoryStore::setGame(const Game &game, const QString &name)
{
    if (!m_db || (!m_rows.empty() && game != m_db->game()))
        return false;
    if (!m_db->setGame(game, name))
        return false;
    emit gameChanged();
    return true;
}

std::unique_ptr<HistoryDb> HistoryStore::takeDb() { return std::move(m_db); }

void HistoryStore::adoptDb(std::unique_ptr<HistoryDb> db) { m_db = std::move(db); }

DrawRun HistoryStore::continueRun() const
{
    const size_t n = m_rows.size();
    const DrawCodes *last = n >= 1 ? &m_rows[n - 1].own : nullptr;
    const DrawCodes *beforeLast = n >= 2 ? &m_rows[n - 2].own : nullptr;
    return DrawRun(beforeLast, last);
}

bool HistoryStore::append(std::span<const DrawRecord> records)
{
    if (!m_db || records.empty())
        return m_db != nullptr;
    if (!m_db->append(records))
        return false;
    const bool inOrder =
        std::is_sorted(records.begin(), records.end(),
                       [](const DrawRecord &a, const DrawRecord &b) { return a.sqqh < b.sqqh; }) &&
        (m_rows.empty() || m_rows.back().sqqh <= records.front().sqqh);
    if (!inOrder) {
        // Rows stored out of order take their place by issue, after equal issues.
        std::vector<HistoryRow> rows = m_rows;
        for (const DrawRecord &record : records) {
            auto at = std::upper_bound(rows.begin(), rows.end(), record.sqqh,
                                       [](int32_t s, const HistoryRow &r) { return s < r.sqqh; });
            rows.insert(at, HistoryRow::fromRecord(record));
        }
        resetRows(std::move(rows));
        return true;
    }
    const int first = static_cast<int>(m_rows.size());
    emit aboutToAppend(first, first + static_cast<int>(records.size()) - 1);
    for (const DrawRecord &record : records)
        m_rows.push_back(HistoryRow::fromRecord(record));
    ++m_revision;
    emit appended();
    return true;
}

bool HistoryStore::replaceAll(std::span<const DrawRecord> records)
{
    return replaceAll(recordsFrom(records));
}

bool HistoryStore::replaceAll(const RecordSource &source)
{
    if (!m_db)
        return false;
    std::vector<HistoryRow> rows;
    const bool stored = m_db->replaceAll([&](DrawRecord &record) {
        if (!source(record))
            return false;
        rows.push_back(HistoryRow::fromRecord(record));
        return true;
    });
    if (!stored)
        return false;
    const auto bySqqh = [](const HistoryRow &a, const HistoryRow &b) { return a.sqqh < b.sqqh; };
    if (!std::is_sorted(rows.begin(), rows.end(), bySqqh))
        std::stable_sort(rows.begin(), rows.end(), bySqqh);
    resetRows(std::move(rows));
    return true;
}

bool HistoryStore::clear()
{
    if (!m_db || !m_db->clear())
        return false;
    resetRows({});
    return true;
}

bool HistoryStore::deleteNewest()
{
    if (!m_db || m_rows.empty())
        return false;
    if (!m_db->deleteNewest())
        return false;
    const int last = static_cast<int>(m_rows.size()) - 1;
    emit aboutToRemove(last, last);
    m_rows.pop_back();
    ++m_revision;
    emit removed();
    return true;
}

bool HistoryStore::writeTally(std::span<const std::pair<int, int64_t>> rows)
{
    return m_db && m_db->writeTally(rows);
}

QString HistoryStore::lastError() const
{
    return m_db ? QString::fromStdString(m_db->sql().lastError())
                : QStringLiteral("历史数据库没有打开");
}

void HistoryStore::resetRows(std::vector<HistoryRow> rows)
{
    // Room for many days of new draws: an entry must not copy the whole history to grow it.
    if (rows.capacity() - rows.size() < kRowHeadroom)
        rows.reserve(rows.size() * 2 + kRowHeadroom);
    emit aboutToReset();
    m_rows = std::move(rows);
    ++m_revision;
    emit resetDone();
}

} // namespace quorlent
