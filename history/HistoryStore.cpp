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
    return replaceAll(recordsFrom(records), records.size());
}

bool HistoryStore::replaceAll(const RecordSource &source, size_t expected)
{
    std::vector<HistoryRow> rows;
    if (!m_db || !m_db->replaceAll(source, &rows, expected, m_rows))
        return false;
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
    loadCorrections(); // the newest draw's mark went with it
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

const HistoryDb::Correction *HistoryStore::correctionOf(int32_t sqqh) const
{
    const auto found = m_corrections.find(sqqh);
    return found == m_corrections.end() ? nullptr : &found->second;
}

namespace {

bool bySqqh(const HistoryRow &row, int32_t sqqh) { return row.sqqh < sqqh; }

} // namespace

// A mark holds while the draw is stored with its corrected digits (the database prunes the others
// as it changes; a file changed by other means is read the same way).
void HistoryStore::loadCorrections()
{
    m_corrections.clear();
    if (!m_db)
        return;
    for (const HistoryDb::Correction &mark : m_db->loadCorrections()) {
        const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), mark.sqqh, bySqqh);
        if (at != m_rows.end() && at->sqqh == mark.sqqh && at->digits() == mark.corrected)
            m_corrections[mark.sqqh] = mark;
    }
}

bool HistoryStore::correctDraw(size_t index, const Digits &digits, int segmentBase, QString *why)
{
    auto refuse = [&](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (!m_db || index >= m_rows.size())
        return refuse(QStringLiteral("没有这一期"));
    const HistoryRow &row = m_rows[index];
    if (row.digits() == digits)
        return refuse(QStringLiteral("开奖号码与存储的相同"));
    const bool repeated = (index > 0 && m_rows[index - 1].sqqh == row.sqqh) ||
                          (index + 1 < m_rows.size() && m_rows[index + 1].sqqh == row.sqqh);
    if (repeated)
        return refuse(QStringLiteral("这一期存储了不止一次，请先用缺期检查找出重复的期号"));

    HistoryDb::CorrectionWrite write;
    write.sqqh = row.sqqh;
    write.own = DrawCodes::fromDigits(digits, segmentBase);
    if (index + 1 < m_rows.size())
        write.next = m_rows[index + 1].sqqh;
    if (index + 2 < m_rows.size())
        write.afterNext = m_rows[index + 2].sqqh;
    const HistoryDb::Correction *before = correctionOf(row.sqqh);
    write.mark = {row.sqqh, before ? before->original : row.digits(), digits};
    if (!m_db->correct(write))
        return refuse(lastError());

    m_rows[index].own = write.own;
    if (write.next)
        m_rows[index + 1].previous = write.own;
    if (write.mark.original == digits)
        m_corrections.erase(row.sqqh); // corrected back to what it was stored with
    else
        m_corrections[row.sqqh] = write.mark;
    ++m_revision;
    const int last = int(std::min(index + 1, m_rows.size() - 1));
    emit rowsCorrected(int(index), last);
    return true;
}

bool HistoryStore::mergeDraws(std::span<const DatedDraw> newDraws,
                              std::span<const std::pair<int32_t, Digits>> replacements,
                              int segmentBase, std::span<const HistoryDb::Correction> restoredMarks)
{
    if (!m_db)
        return false;
    // The history as it will be, from the first place that changes.
    struct Draw
    {
        int32_t sqqh;
        Digits digits;
        int32_t date;
    };
    std::map<int32_t, Digits> replaced(replacements.begin(), replacements.end());
    size_t first = m_rows.size();
    if (!newDraws.empty()) {
        first = size_t(std::lower_bound(m_rows.begin(), m_rows.end(), newDraws.front().sqqh, bySqqh) -
                       m_rows.begin());
    }
    if (!replaced.empty()) {
        const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), replaced.begin()->first, bySqqh);
        first = std::min(first, size_t(at - m_rows.begin()));
    }
    if (first == m_rows.size() && newDraws.empty())
        return true;
    std::vector<Draw> tail;
    tail.reserve(m_rows.size() - first + newDraws.size());
    size_t n = 0;
    for (size_t r = first; r < m_rows.size() || n < newDraws.size();) {
        if (n < newDraws.size() && (r == m_rows.size() || newDraws[n].sqqh < m_rows[r].sqqh)) {
            tail.push_back({newDraws[n].sqqh, newDraws[n].digits, newDraws[n].date});
            ++n;
        } else {
            const auto replacement = replaced.find(m_rows[r].sqqh);
            tail.push_back({m_rows[r].sqqh,
                            replacement == replaced.end() ? m_rows[r].digits() : replacement->second,
                            m_rows[r].date});
            ++r;
        }
    }
    const DrawCodes *last = first >= 1 ? &m_rows[first - 1].own : nullptr;
    const DrawCodes *beforeLast = first >= 2 ? &m_rows[first - 2].own : nullptr;
    DrawRun run(beforeLast, last);
    std::vector<DrawRecord> records;
    records.reserve(tail.size());
    for (const Draw &draw : tail) {
        records.push_back(run.append(draw.sqqh, draw.digits, segmentBase));
        records.back().date = draw.date;
    }
    std::vector<HistoryDb::Correction> marks;
    for (const auto &[sqqh, digits] : replaced) {
        const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), sqqh, bySqqh);
        if (at == m_rows.end() || at->sqqh != sqqh || at->digits() == digits)
            continue;
        const HistoryDb::Correction *before = correctionOf(sqqh);
        marks.push_back({sqqh, before ? before->original : at->digits(), digits});
    }
    marks.insert(marks.end(), restoredMarks.begin(), restoredMarks.end());

    // Only new draws after the newest: an append, which the views follow row by row.
    if (first == m_rows.size() && marks.empty())
        return append(records);
    const int32_t fromIssue = first < m_rows.size() ? m_rows[first].sqqh : records.front().sqqh;
    if (!m_db->replaceFrom(fromIssue, records, marks))
        return false;
    std::vector<HistoryRow> rows(m_rows.begin(), m_rows.begin() + std::ptrdiff_t(first));
    for (const DrawRecord &record : records)
        rows.push_back(HistoryRow::fromRecord(record));
    resetRows(std::move(rows)); // the marks written with the draws come with them
    return true;
}

void HistoryStore::resetRows(std::vector<HistoryRow> rows)
{
    // Room for many days of new draws: an entry must not copy the whole history to grow it.
    if (rows.capacity() - rows.size() < kRowHeadroom)
        rows.reserve(rows.size() * 2 + kRowHeadroom);
    emit aboutToReset();
    m_rows = std::move(rows);
    loadCorrections();
    ++m_revision;
    emit resetDone();
}

} // namespace quorlent
