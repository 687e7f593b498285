#include "RowMirror.h"

#include "ProcessMemory.h"
#include "RowBlock.h"
#include "SharedFirstTouch.h"

#include <algorithm>

namespace quorlent {

namespace {

// The row of block -1 says the copy is in step: its form and the number of rows; that of block -2
// holds Lishi's greatest rowid as of the last change this program made.
constexpr int64_t kStateBlock = -1;
constexpr int64_t kLastRowidBlock = -2;
// Present while the copy vouches that Lishi holds only derived rows.
constexpr int64_t kDerivedBlock = -3;
constexpr int64_t kForm = 1;

bool bySqqh(const HistoryRow &a, const HistoryRow &b)
{
    return a.sqqh < b.sqqh;
}

size_t blocksFor(size_t rows)
{
    return (rows + RowMirror::kBlockRows - 1) / RowMirror::kBlockRows;
}

} // namespace

bool RowMirror::create(const std::vector<std::string> &watched)
{
    // Someone else's change empties the copy once; after that the triggers cost a look at an
    // empty table.
    const std::string emptyIt =
        " WHEN EXISTS (SELECT 1 FROM LishiYasuo) BEGIN DELETE FROM LishiYasuo; END;";
    std::string columns;
    for (const std::string &name : watched)
        columns += (columns.empty() ? "" : ", ") + name;
    const std::string sql =
        "CREATE TABLE IF NOT EXISTS LishiYasuo(intKuai INTEGER PRIMARY KEY, intQihao INTEGER, "
        "intShu INTEGER, binHao BLOB);"
        "CREATE TRIGGER IF NOT EXISTS LishiYasuoZeng AFTER INSERT ON Lishi" +
        emptyIt + "CREATE TRIGGER IF NOT EXISTS LishiYasuoShan AFTER DELETE ON Lishi" + emptyIt +
        "CREATE TRIGGER IF NOT EXISTS LishiYasuoGai AFTER UPDATE OF " + columns + " ON Lishi" +
        emptyIt +
        // A change of any other column leaves the copy right but the rows no longer derived.
        "CREATE TRIGGER IF NOT EXISTS LishiYasuoYuan AFTER UPDATE ON Lishi WHEN EXISTS (SELECT 1 "
        "FROM LishiYasuo WHERE intKuai = " +
        std::to_string(kDerivedBlock) +
        ") BEGIN DELETE FROM LishiYasuo WHERE intKuai = " + std::to_string(kDerivedBlock) +
        "; END;";
    return m_db.exec(sql.c_str());
}

bool RowMirror::isDerived()
{
    return size().has_value() && m_db.queryInt(("SELECT count(*) FROM LishiYasuo WHERE intKuai = " +
                                                std::to_string(kDerivedBlock))
                                                   .c_str(),
                                               0) == 1;
}

bool RowMirror::markDerived()
{
    return !size() || m_db.exec(("INSERT OR REPLACE INTO LishiYasuo(intKuai, intShu) VALUES(" +
                                 std::to_string(kDerivedBlock) + ", 0)")
                                    .c_str());
}

bool RowMirror::forgetDerived()
{
    return m_db.exec(
        ("DELETE FROM LishiYasuo WHERE intKuai = " + std::to_string(kDerivedBlock)).c_str());
}

std::optional<size_t> RowMirror::size()
{
    Statement stmt = m_db.prepare("SELECT intQihao, intShu FROM LishiYasuo WHERE intKuai = ?");
    if (!stmt.isValid() || stmt.bind(1, kStateBlock).step() != SQLITE_ROW ||
        stmt.columnInt(0) != kForm || stmt.columnInt(1) < 0)
        return std::nullopt;
    return size_t(stmt.columnInt(1));
}

bool RowMirror::loadBlocks(size_t firstBlock, size_t blockCount, std::vector<HistoryRow> &rows,
                           SharedFirstTouch *touch)
{
    Statement stmt = m_db.prepare("SELECT intKuai, intShu, binHao FROM LishiYasuo "
                                  "WHERE intKuai >= ? AND intKuai < ? ORDER BY intKuai");
    if (!stmt.isValid())
        return false;
    stmt.bind(1, int64_t(firstBlock)).bind(2, int64_t(firstBlock + blockCount));
    size_t expected = firstBlock;
    while (stmt.step() == SQLITE_ROW) {
        const int64_t count = stmt.columnInt(1);
        if (stmt.columnInt(0) != int64_t(expected++) || count < 1 || count > int64_t(kBlockRows))
            return false;
        if (touch) {
            // Shared memory may not move: a block beyond the room reserved is a damaged copy.
            const size_t end = rows.size() + size_t(count);
            if (end > rows.capacity())
                return false;
            touch->claim(end * sizeof(HistoryRow));
        }
        if (!RowBlock::decode(stmt.columnBytes(2), size_t(count), rows))
            return false;
    }
    return expected == firstBlock + blockCount;
}

std::optional<std::vector<HistoryRow>> RowMirror::load(size_t spare)
{
    const std::optional<size_t> count = size();
    if (!count)
        return std::nullopt;
    std::vector<HistoryRow> rows;
    reserveOnLargePages(rows, *count + spare);
    {
        SharedFirstTouch touch(rows.data(), *count * sizeof(HistoryRow));
        if (!loadBlocks(0, blocksFor(*count), rows, &touch) || rows.size() != *count)
            return std::nullopt;
    }
    // Two questions that read a few pages of the file (counting Lishi's rows would read all of
    // its index): its greatest rowid, which any row added since would change, and its newest draw.
    Statement lastRowid = m_db.prepare("SELECT intShu FROM LishiYasuo WHERE intKuai = ?");
    if (!lastRowid.isValid() || lastRowid.bind(1, kLastRowidBlock).step() != SQLITE_ROW ||
        lastRowid.columnInt(0) != m_db.queryInt("SELECT max(rowid) FROM Lishi", 0))
        return std::nullopt;
    if (!rows.empty()) {
        Statement newest = m_db.prepare("SELECT SQQH, L1A, L2A, L3A, L4A, L5A FROM Lishi "
                                        "ORDER BY SQQH DESC, rowid DESC LIMIT 1");
        if (!newest.isValid() || newest.step() != SQLITE_ROW ||
            newest.columnInt(0) != rows.back().sqqh)
            return std::nullopt;
        for (int p = 0; p < kPositions; ++p) {
            if (newest.columnInt(1 + p) != rows.back().digits()[size_t(p)])
                return std::nullopt;
        }
    }
    return rows;
}

bool RowMirror::put(size_t firstRow, std::span<const HistoryRow> rows, bool toEnd)
{
    Statement stmt = m_db.prepare("INSERT OR REPLACE INTO LishiYasuo(intKuai, intQihao, intShu, "
                                  "binHao) VALUES(?, ?, ?, ?)");
    if (!stmt.isValid())
        return false;
    for (size_t at = 0; at < rows.size(); at += kBlockRows) {
        const auto block = rows.subspan(at, std::min(kBlockRows, rows.size() - at));
        const std::string bytes = RowBlock::encode(block);
        stmt.bind(1, int64_t((firstRow + at) / kBlockRows))
            .bind(2, block.front().sqqh)
            .bind(3, int64_t(block.size()))
            .bindStaticBlob(4, bytes);
        if (stmt.step() != SQLITE_DONE)
            return false;
        stmt.reset();
    }
    if (!toEnd)
        return true;
    const size_t end = firstRow + rows.size();
    Statement drop = m_db.prepare("DELETE FROM LishiYasuo WHERE intKuai >= ?");
    if (!drop.isValid() || drop.bind(1, int64_t(blocksFor(end))).step() != SQLITE_DONE)
        return false;
    stmt.bind(1, kStateBlock).bind(2, kForm).bind(3, int64_t(end)).bindNull(4);
    if (stmt.step() != SQLITE_DONE)
        return false;
    stmt.reset();
    stmt.bind(1, kLastRowidBlock)
        .bindNull(2)
        .bind(3, m_db.queryInt("SELECT max(rowid) FROM Lishi", 0))
        .bindNull(4);
    return stmt.step() == SQLITE_DONE;
}

bool RowMirror::store(std::span<const HistoryRow> rows)
{
    return m_db.exec("DELETE FROM LishiYasuo") && put(0, rows, true);
}

bool RowMirror::abandon()
{
    return m_db.exec("DELETE FROM LishiYasuo");
}

bool RowMirror::loadTail(int32_t issue, size_t count, size_t &firstRow,
                         std::vector<HistoryRow> &rows)
{
    // The last block that starts before `issue`: the first row at or after it is in that block or
    // starts the next one.
    Statement stmt = m_db.prepare("SELECT max(intKuai) FROM LishiYasuo WHERE intKuai >= 0 AND "
                                  "intQihao < ?");
    if (!stmt.isValid() || stmt.bind(1, issue).step() != SQLITE_ROW)
        return false;
    const size_t block = stmt.columnIsNull(0) ? 0 : size_t(stmt.columnInt(0));
    firstRow = block * kBlockRows;
    return firstRow <= count && loadBlocks(block, blocksFor(count) - block, rows) &&
           firstRow + rows.size() == count;
}

bool RowMirror::appended(std::span<const HistoryRow> rows)
{
    const std::optional<size_t> count = size();
    if (!count || rows.empty())
        return true;
    // The last block is written again with the new rows after it.
    const size_t lastBlock = *count > 0 ? (*count - 1) / kBlockRows : 0;
    std::vector<HistoryRow> tail;
    if (!loadBlocks(lastBlock, *count > 0 ? 1 : 0, tail))
        return abandon();
    if (std::is_sorted(rows.begin(), rows.end(), bySqqh) &&
        (tail.empty() || tail.back().sqqh <= rows.front().sqqh)) {
        tail.insert(tail.end(), rows.begin(), rows.end());
        return put(lastBlock * kBlockRows, tail, true);
    }
    // Rows that take their places among the stored ones, after equal issues: their previous
    // draws are not those of the issue order.
    if (!forgetDerived())
        return false;
    tail.clear();
    if (!loadBlocks(0, blocksFor(*count), tail))
        return abandon();
    tail.insert(tail.end(), rows.begin(), rows.end());
    std::stable_sort(tail.begin(), tail.end(), bySqqh);
    return put(0, tail, true);
}

bool RowMirror::replacedFrom(int32_t fromIssue, std::span<const HistoryRow> rows)
{
    const std::optional<size_t> count = size();
    if (!count)
        return true;
    int32_t lowest = fromIssue;
    for (const HistoryRow &row : rows)
        lowest = std::min(lowest, row.sqqh);
    size_t firstRow = 0;
    std::vector<HistoryRow> tail;
    if (!loadTail(lowest, *count, firstRow, tail))
        return abandon();
    const auto kept = std::lower_bound(tail.begin(), tail.end(), fromIssue,
                                       [](const HistoryRow &r, int32_t s) { return r.sqqh < s; });
    tail.erase(kept, tail.end());
    tail.insert(tail.end(), rows.begin(), rows.end());
    std::stable_sort(tail.begin(), tail.end(), bySqqh);
    return put(firstRow, tail, true);
}

bool RowMirror::corrected(int32_t sqqh, const DrawCodes &own, std::optional<int32_t> next)
{
    const std::optional<size_t> count = size();
    if (!count)
        return true;
    size_t firstRow = 0;
    std::vector<HistoryRow> tail;
    if (!loadTail(sqqh, *count, firstRow, tail))
        return abandon();
    const auto at = std::lower_bound(tail.begin(), tail.end(), sqqh,
                                     [](const HistoryRow &r, int32_t s) { return r.sqqh < s; });
    if (at == tail.end() || at->sqqh != sqqh)
        return abandon();
    at->own = own;
    auto last = at;
    if (next) {
        if (at + 1 == tail.end() || (at + 1)->sqqh != *next)
            return abandon();
        (at + 1)->previous = own;
        last = at + 1;
    }
    // Only the blocks that changed are written again.
    const size_t end =
        std::min(tail.size(), (size_t(last - tail.begin()) / kBlockRows + 1) * kBlockRows);
    return put(firstRow, std::span(tail).first(end), false);
}

bool RowMirror::removedNewest()
{
    const std::optional<size_t> count = size();
    if (!count || *count == 0)
        return true;
    const size_t lastBlock = (*count - 1) / kBlockRows;
    std::vector<HistoryRow> tail;
    if (!loadBlocks(lastBlock, 1, tail) || tail.empty())
        return abandon();
    tail.pop_back();
    return put(lastBlock * kBlockRows, tail, true);
}

} // namespace quorlent
