#include "LishiInserter.h"

#include "HistoryDb.h"

#include <algorithm>

namespace quorlent {

namespace {

constexpr int kRowsABatch = 16;
constexpr int kCodes = kKinds * kPositions; // 20 columns of one draw's codes
constexpr int kTexts = 1 + kKinds;          // a draw's digits and its four token texts

// Lishi's columns by their place in HistoryDb::lishiColumns().
constexpr size_t kOwn = 2, kPrevious = kOwn + kCodes, kEarlier = kPrevious + kCodes,
                 kPreviousTexts = kEarlier + kCodes, kEarlierTexts = kPreviousTexts + kTexts;

// The parameters of a batch: the codes of the two draws before its first row, the earlier-draw
// texts of its first row, then per row its issue, its own codes and its previous-draw texts.
constexpr int kCarriedBefore = 1, kCarriedLast = kCarriedBefore + kCodes,
              kCarriedTexts = kCarriedLast + kCodes, kFirstRow = kCarriedTexts + kTexts,
              kPerRow = 1 + kCodes + kTexts;

int rowParameter(int row)
{
    return kFirstRow + row * kPerRow;
}
// The first of the 20 code parameters of draw `draw` of the batch (-2, -1: the carried ones).
int codesParameter(int draw)
{
    return draw == -2 ? kCarriedBefore : draw == -1 ? kCarriedLast : rowParameter(draw) + 1;
}
int textsParameter(int row)
{
    return row < 0 ? kCarriedTexts : rowParameter(row) + 1 + kCodes;
}

std::string columnList(size_t first, size_t count)
{
    const std::vector<std::string> names = HistoryDb::lishiColumns();
    std::string list;
    for (size_t c = first; c < first + count; ++c)
        list += "," + names[c];
    return list;
}

void bindCodes(Statement &stmt, int first, const DrawCodes &codes)
{
    for (const PositionValues &values : codes.byKind) {
        for (uint8_t v : values)
            stmt.bind(first++, v);
    }
}

// The records outlive the step, so their texts need not be copied.
void bindTexts(Statement &stmt, int first, const DrawTexts &texts)
{
    stmt.bindStatic(first++, texts.digits.view());
    for (const ColumnText &tokens : texts.tokens)
        stmt.bindStatic(first++, tokens.view());
}

} // namespace

std::string LishiInserter::singleStatement()
{
    std::string params;
    for (size_t i = 0; i < kEarlierTexts + kTexts; ++i)
        params += i ? ",?" : "?";
    std::string sql = "INSERT INTO Lishi(";
    sql += columnList(0, kEarlierTexts + kTexts).substr(1);
    sql += ") VALUES(";
    sql += params;
    sql += ')';
    return sql;
}

std::string LishiInserter::batchStatement(int rows, bool earlierTexts)
{
    // OR FAIL: a statement of many rows that could stop halfway would otherwise first copy every
    // page it changes aside, to undo its own rows alone. The caller's transaction is undone
    // whole after any failure, so there is nothing to undo alone.
    std::string sql = "INSERT OR FAIL INTO Lishi(";
    sql += columnList(0, kEarlierTexts).substr(1);
    if (earlierTexts)
        sql += columnList(kEarlierTexts, kTexts);
    sql += ") VALUES";
    auto run = [](int first, int count) {
        std::string params;
        for (int i = 0; i < count; ++i) {
            params += ",?";
            params += std::to_string(first + i);
        }
        return params;
    };
    for (int row = 0; row < rows; ++row) {
        const int issue = rowParameter(row);
        if (row)
            sql += ',';
        sql += '(';
        const std::string number = std::to_string(issue);
        sql += '?';
        sql += number;
        sql += ",?";
        sql += number;
        sql += "+1";
        for (int draw : {row, row - 1, row - 2})
            sql += run(codesParameter(draw), kCodes);
        sql += run(textsParameter(row), kTexts);
        if (earlierTexts)
            sql += run(textsParameter(row - 1), kTexts);
        sql += ")";
    }
    return sql;
}

LishiInserter::LishiInserter(SqliteDb &db) : m_db(db)
{
    m_single = db.prepare(singleStatement().c_str());
    // As many rows a statement as the build's limit on parameters allows.
    const int limit = sqlite3_limit(db.handle(), SQLITE_LIMIT_VARIABLE_NUMBER, -1);
    m_batchRows = std::clamp((limit - kFirstRow + 1) / kPerRow, 0, kRowsABatch);
    if (m_batchRows < 2)
        m_batchRows = 0;
    m_waiting.reserve(size_t(std::max(m_batchRows, 1)));
}

bool LishiInserter::continues(const DrawRecord &record) const
{
    const DrawRecord &last = m_waiting.back();
    return record.previous == last.own && record.earlier == last.previous &&
           (m_earlierTexts ? record.earlierTexts == last.previousTexts
                           : record.earlierTexts.empty());
}

bool LishiInserter::add(const DrawRecord &record)
{
    if (m_batchRows == 0)
        return insertSingle(record);
    if (!m_waiting.empty() && !continues(record) && !finish())
        return false;
    if (m_waiting.empty())
        m_earlierTexts = !record.earlierTexts.empty();
    m_waiting.push_back(record);
    return int(m_waiting.size()) < m_batchRows || insertBatch();
}

bool LishiInserter::finish()
{
    for (const DrawRecord &record : m_waiting) {
        if (!insertSingle(record))
            return false;
    }
    m_waiting.clear();
    return true;
}

bool LishiInserter::insertSingle(const DrawRecord &record)
{
    Statement &stmt = m_single;
    stmt.bind(1, record.sqqh).bind(2, record.qqh());
    bindCodes(stmt, 1 + int(kOwn), record.own);
    bindCodes(stmt, 1 + int(kPrevious), record.previous);
    bindCodes(stmt, 1 + int(kEarlier), record.earlier);
    bindTexts(stmt, 1 + int(kPreviousTexts), record.previousTexts);
    bindTexts(stmt, 1 + int(kEarlierTexts), record.earlierTexts);
    const bool done = stmt.step() == SQLITE_DONE;
    stmt.reset();
    return done;
}

bool LishiInserter::insertBatch()
{
    // Prepared when first needed: an entry of one draw never is.
    Statement &stmt = m_batch[m_earlierTexts];
    if (!stmt.isValid())
        stmt = m_db.prepare(batchStatement(m_batchRows, m_earlierTexts).c_str());
    if (!stmt.isValid())
        return false;
    const DrawRecord &first = m_waiting.front();
    bindCodes(stmt, codesParameter(-2), first.earlier);
    bindCodes(stmt, codesParameter(-1), first.previous);
    if (m_earlierTexts)
        bindTexts(stmt, textsParameter(-1), first.earlierTexts);
    for (int row = 0; row < m_batchRows; ++row) {
        const DrawRecord &record = m_waiting[size_t(row)];
        stmt.bind(rowParameter(row), record.sqqh);
        bindCodes(stmt, codesParameter(row), record.own);
        bindTexts(stmt, textsParameter(row), record.previousTexts);
    }
    const bool done = stmt.step() == SQLITE_DONE;
    stmt.reset();
    m_waiting.clear();
    return done;
}

} // namespace quorlent
