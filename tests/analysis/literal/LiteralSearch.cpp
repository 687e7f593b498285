#include "LiteralSearch.h"

#include "Game.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <memory>

namespace quorlent::literal {

namespace {

// The original game: these draws are numbered by its issues.
constexpr Game kGame = Game::standard();

// strLeiSuffix and the token columns, by kind index.
const char *const kSuffix[4] = {"A", "B", "E", "F"};
const char *const kPreviousTokens[4] = {"txtHisLstHm", "txtHisLstDx", "txtHisLstDs",
                                        "txtHisLstDuan"};
const char *const kEarlierTokens[4] = {"txtHisPreLstHm", "txtHisPreLstDx", "txtHisPreLstDs",
                                       "txtHisPreLstDuan"};
// The counter sets: 10 for numbers, 2 for big/small and odd/even, 6 for segments.
const int kCounterSlots[4] = {10, 2, 2, 6};

int kindIndex(Kind kind)
{
    return static_cast<int>(kind);
}

std::string column(int position, Kind kind, const char *letter = "")
{
    std::string name("L");
    name += std::to_string(position);
    name += kSuffix[kindIndex(kind)];
    name += letter;
    return name;
}

// The walks edit row by row; like the engine's buffered edits they are one unit of work, unless
// the caller already holds a transaction.
class WalkTransaction
{
public:
    explicit WalkTransaction(SqliteDb &db)
    {
        if (sqlite3_get_autocommit(db.handle()))
            m_tx = std::make_unique<Transaction>(db);
    }
    void commit()
    {
        if (m_tx)
            m_tx->commit();
    }

private:
    std::unique_ptr<Transaction> m_tx;
};

// Combinations of k out of positions 1..5 in lexicographic order; none unless k is 1..5.
std::vector<std::vector<int>> combinations(int k)
{
    std::vector<std::vector<int>> all;
    if (k < 1 || k > 5)
        return all;
    std::vector<int> current;
    std::function<void(int)> extend = [&](int from) {
        if (static_cast<int>(current.size()) == k) {
            all.push_back(current);
            return;
        }
        const int rank = static_cast<int>(current.size()) + 1;
        for (int p = from; p <= 5 - (k - rank); ++p) {
            current.push_back(p);
            extend(p + 1);
            current.pop_back();
        }
    };
    extend(1);
    return all;
}

QString percent(int64_t count, int64_t total)
{
    if (total == 0)
        return QStringLiteral("0.000%");
    const double share = static_cast<double>(count) * 100.0 / static_cast<double>(total);
    const long long thousandths = std::llround(share * 1000.0);
    return QStringLiteral("%1.%2%")
        .arg(thousandths / 1000)
        .arg(thousandths % 1000, 3, 10, QLatin1Char('0'));
}

QString outcomeText(Kind kind, int64_t nmb)
{
    if (kind == Kind::BigSmall)
        return nmb == 0 ? QStringLiteral("小") : nmb == 1 ? QStringLiteral("大") : QString();
    if (kind == Kind::OddEven)
        return nmb == 0 ? QStringLiteral("双") : nmb == 1 ? QStringLiteral("单") : QString();
    return QString::number(nmb);
}

} // namespace

void LiteralSearch::execute(const std::string &sql, Outcome &outcome)
{
    ++outcome.statements;
    if (!m_db.exec(sql.c_str()))
        ++outcome.failedStatements;
}

// Row r takes the previous-draw token text and digits of row r - N + 1; the first N - 1 rows get
// empty texts.
void LiteralSearch::rebuildEarlierTokens(Kind kind, int n, Outcome &outcome)
{
    const std::string target = kEarlierTokens[kindIndex(kind)];
    const std::string source = kPreviousTokens[kindIndex(kind)];
    WalkTransaction tx(m_db);
    // The walk reads only the columns it copies, which makes it cheaper than "SELECT *".
    Statement walk = m_db.prepare(
        ("SELECT rowid, [" + source + "], [txtHisLst] FROM lishi ORDER BY SQQH, rowid").c_str());
    Statement edit = m_db.prepare(
        ("UPDATE [Lishi] SET [" + target + "] = ?, [txtHisPreLst] = ? WHERE rowid = ?").c_str());
    if (!walk.isValid() || !edit.isValid()) {
        ++outcome.failedStatements;
        return;
    }
    std::deque<std::pair<std::string, std::string>> window;
    while (walk.step() == SQLITE_ROW) {
        window.emplace_back(walk.columnText(1), walk.columnText(2));
        if (static_cast<int>(window.size()) > n)
            window.pop_front();
        const bool full = static_cast<int>(window.size()) == n;
        edit.bind(1, full ? window.front().first : std::string())
            .bind(2, full ? window.front().second : std::string())
            .bind(3, walk.columnInt(0));
        if (edit.step() != SQLITE_DONE)
            ++outcome.failedStatements;
        edit.reset();
    }
    tx.commit();
}

// Only for the hit list of a fixed-position 前 N 期 search without positions, which rebuilds
// nothing: the digits of the draw N issues earlier rather than what the last search left.
void LiteralSearch::rebuildEarlierDigits(int n, Outcome &outcome)
{
    WalkTransaction tx(m_db);
    Statement walk = m_db.prepare("SELECT rowid, [txtHisLst] FROM lishi ORDER BY SQQH, rowid");
    Statement edit = m_db.prepare("UPDATE [Lishi] SET [txtHisPreLst] = ? WHERE rowid = ?");
    std::deque<std::string> window;
    while (walk.step() == SQLITE_ROW) {
        window.push_back(walk.columnText(1));
        if (static_cast<int>(window.size()) > n)
            window.pop_front();
        const bool full = static_cast<int>(window.size()) == n;
        edit.bind(1, full ? window.front() : std::string()).bind(2, walk.columnInt(0));
        if (edit.step() != SQLITE_DONE)
            ++outcome.failedStatements;
        edit.reset();
    }
    tx.commit();
}

// W = L p K S: W(r) = V(r - 1). W = L p K P: W(r) = V(r - N), and txtHisPreLst rebuilt as for
// the tokens. Rows without a draw that far back are left NULL rather than 0, so that no
// comparison can find them (mended: 0 would match a reference value 0).
void LiteralSearch::shiftColumn(int position, Kind kind, bool previous, int n, Outcome &outcome)
{
    const std::string value = column(position, kind);
    const std::string shifted = column(position, kind, previous ? "S" : "P");
    const size_t shift = previous ? 1 : static_cast<size_t>(n);
    WalkTransaction tx(m_db);
    Statement walk = m_db.prepare(
        ("SELECT rowid, [" + value + "], [txtHisLst] FROM lishi ORDER BY SQQH, rowid").c_str());
    const std::string editSql =
        previous ? "UPDATE [Lishi] SET [" + shifted + "] = ? WHERE rowid = ?"
                 : "UPDATE [Lishi] SET [" + shifted + "] = ?, [txtHisPreLst] = ? WHERE rowid = ?";
    Statement edit = m_db.prepare(editSql.c_str());
    if (!walk.isValid() || !edit.isValid()) {
        ++outcome.failedStatements;
        return;
    }
    std::deque<int64_t> values;
    std::deque<std::string> digits;
    while (walk.step() == SQLITE_ROW) {
        values.push_back(walk.columnInt(1));
        if (values.size() > shift + 1)
            values.pop_front();
        if (values.size() == shift + 1)
            edit.bind(1, values.front());
        else
            edit.bindNull(1);
        if (previous) {
            edit.bind(2, walk.columnInt(0));
        } else {
            digits.push_back(walk.columnText(2));
            if (static_cast<int>(digits.size()) > n)
                digits.pop_front();
            const bool full = static_cast<int>(digits.size()) == n;
            edit.bind(2, full ? digits.front() : std::string()).bind(3, walk.columnInt(0));
        }
        if (edit.step() != SQLITE_DONE)
            ++outcome.failedStatements;
        edit.reset();
    }
    tx.commit();
}

Outcome LiteralSearch::follow(const SearchRequest &request, const TallyOptions &options)
{
    Outcome outcome;
    std::unique_ptr<Transaction> tx;
    if (m_oneTransaction)
        tx = std::make_unique<Transaction>(m_db);

    const bool bolZyw = request.freePositions;
    const bool bolSq = request.previousDraw;
    const int intPreQi = std::max(1, request.earlierDistance); // 0 has no meaning: taken as 1
    const Kind kind = request.kind;
    const int lei = kindIndex(kind);
    const std::string tokenColumn = bolSq ? kPreviousTokens[lei] : kEarlierTokens[lei];

    if (!bolSq && bolZyw)
        rebuildEarlierTokens(kind, intPreQi, outcome);

    execute("UPDATE [Lishi] SET [intTh]=0", outcome);
    int n = 0;
    if (bolZyw) {
        int counters[10] = {};
        for (int p = 1; p <= 5; ++p) {
            if (!request.selected[p - 1])
                continue;
            ++n;
            const int v = request.reference[p - 1];
            if (v < 0 || v >= kCounterSlots[lei])
                continue; // the counter step fails, and with it the statement
            const int c = ++counters[v];
            execute("UPDATE [Lishi] SET [intTh]=([intTh] +1) WHERE [" + tokenColumn + "] LIKE '%" +
                        std::to_string(c) + "X" + std::to_string(v) + "%'",
                    outcome);
        }
    } else {
        const char *letter = bolSq ? "S" : "P";
        for (int p = 1; p <= 5; ++p) {
            if (!request.selected[p - 1])
                continue;
            shiftColumn(p, kind, bolSq, intPreQi, outcome);
            ++n;
            std::string sql = "UPDATE [Lishi] SET [intTh]=([intTh] +1) WHERE "
                              "(length(trim([txtHisLst])) > 0) AND [" +
                              column(p, kind, letter) +
                              "] = " + std::to_string(request.reference[p - 1]);
            if (!bolSq) // mended: no draw N issues earlier, no match
                sql += " AND length(trim([txtHisPreLst])) > 0";
            execute(sql, outcome);
        }
        if (!bolSq && n == 0)
            rebuildEarlierDigits(intPreQi, outcome);
    }
    showSearchResult(" AND [intTh] = " + std::to_string(n), request, options, outcome);
    if (tx)
        tx->commit();
    return outcome;
}

Outcome LiteralSearch::combination(const SearchRequest &request, const TallyOptions &options)
{
    Outcome outcome;
    std::unique_ptr<Transaction> tx;
    if (m_oneTransaction)
        tx = std::make_unique<Transaction>(m_db);

    const bool bolZyw = request.freePositions;
    const bool bolSq = request.previousDraw;
    const int intPreQi = std::max(1, request.earlierDistance);
    const Kind kind = request.kind;
    const int lei = kindIndex(kind);
    const std::string tokenColumn = bolSq ? kPreviousTokens[lei] : kEarlierTokens[lei];

    if (!bolSq && bolZyw)
        rebuildEarlierTokens(kind, intPreQi, outcome);

    execute("UPDATE [Lishi] SET [bolOk]= 0", outcome);
    const int k = request.combinationWidth;
    const std::string mark = "UPDATE [Lishi] SET [bolOk]= 1 WHERE [intTh] = " + std::to_string(k);

    if (bolZyw) {
        execute("UPDATE [Lishi] SET [txtHisP6]= [" + tokenColumn + "]", outcome);
        for (const std::vector<int> &combination : combinations(k)) {
            int counters[10] = {};
            execute("UPDATE [Lishi] SET [intTh]=0", outcome);
            for (int p : combination) {
                const int v = request.reference[p - 1];
                if (v >= 0 && v < kCounterSlots[lei])
                    ++counters[v];
            }
            for (int p : combination) {
                const int v = request.reference[p - 1];
                if (v < 0 || v >= kCounterSlots[lei])
                    continue; // fails: this combination cannot reach k
                execute("UPDATE [Lishi] SET [intTh]=([intTh] +1) WHERE [txtHisP6] LIKE '%" +
                            std::to_string(counters[v]) + "X" + std::to_string(v) + "%'",
                        outcome);
            }
            execute(mark, outcome);
        }
    } else {
        const char *letter = bolSq ? "S" : "P";
        for (int p = 1; p <= 5; ++p)
            shiftColumn(p, kind, bolSq, intPreQi, outcome);
        for (const std::vector<int> &combination : combinations(k)) {
            execute("UPDATE [Lishi] SET [intTh]=0", outcome);
            bool flagged[6] = {};
            for (int p : combination)
                flagged[p] = true;
            for (int p = 1; p <= 5; ++p) {
                if (!flagged[p])
                    continue;
                std::string sql = "UPDATE [Lishi] SET [intTh]=([intTh] +1) WHERE "
                                  "(length(trim([txtHisLst])) > 0) AND [" +
                                  column(p, kind, letter) +
                                  "] = " + std::to_string(request.reference[p - 1]);
                if (!bolSq) // mended, as in the follow search
                    sql += " AND length(trim([txtHisPreLst])) > 0";
                execute(sql, outcome);
            }
            execute(mark, outcome);
        }
    }
    showSearchResult(" AND [bolOk]= 1", request, options, outcome);
    if (tx)
        tx->commit();
    return outcome;
}

void LiteralSearch::showSearchResult(const std::string &filter, const SearchRequest &request,
                                     const TallyOptions &options, Outcome &outcome)
{
    const int intConsqSort = std::clamp(options.position, 1, 5);
    const int intConsqFrom = options.groupSelection ? 1 : intConsqSort;
    const Kind resultKind = options.resultKind;
    const int result = kindIndex(resultKind);
    const bool bolSq = request.previousDraw;

    outcome.hitHeader = {QStringLiteral("期号"),
                         QStringLiteral("第1位"),
                         QStringLiteral("第2位"),
                         QStringLiteral("第3位"),
                         QStringLiteral("第4位"),
                         QStringLiteral("第5位"),
                         bolSq ? QStringLiteral("上期开奖") : QStringLiteral("前期开奖")};

    int64_t counters[10] = {};
    int64_t hits = 0;
    const std::optional<int32_t> start = kGame.fromDisplay(request.rangeStart);
    const std::optional<int32_t> end = kGame.fromDisplay(request.rangeEnd);
    outcome.rangeFormed = start && end;
    if (outcome.rangeFormed) {
        std::string sql = "SELECT [SQQH]";
        for (int i = 1; i <= 5; ++i)
            sql += ", [" + column(i, resultKind) + "]";
        sql += bolSq ? ", [txtHisLst]" : ", [txtHisPreLst]";
        sql += " FROM [lishi] WHERE [SQQH] >= " + std::to_string(*start) +
               " AND  [SQQH] <= " + std::to_string(*end) + filter + " ORDER BY SQQH, rowid";
        Statement query = m_db.prepare(sql.c_str());
        if (!query.isValid())
            ++outcome.failedStatements;
        while (query.isValid() && query.step() == SQLITE_ROW) {
            ++hits;
            const auto sqqh = static_cast<int32_t>(query.columnInt(0));
            std::array<QString, 7> line;
            line[0] = QStringLiteral("20%1").arg(sqqh, 9, 10, QLatin1Char('0'));
            for (int i = 1; i <= 5; ++i)
                line[i] = QString::number(query.columnInt(i));
            line[6] = QString::fromStdString(query.columnText(6));
            for (int j = intConsqFrom; j <= intConsqSort; ++j) {
                const int64_t v = query.columnInt(j);
                if (v >= 0 && v < kCounterSlots[result])
                    ++counters[v];
            }
            outcome.hitIssues.push_back(sqqh);
            outcome.hitList.push_back(std::move(line));
        }
    }
    const int64_t total = (intConsqSort + 1 - intConsqFrom) * hits;

    execute("DELETE FROM Carcu", outcome);
    std::vector<int> values;
    if (resultKind == Kind::Segment) {
        for (int k = 0; k < 5; ++k)
            values.push_back(options.segmentBase + k);
    } else {
        for (int v = 0; v < kCounterSlots[result]; ++v)
            values.push_back(v);
    }
    for (int v : values) {
        const int64_t count = v >= 0 && v < kCounterSlots[result] ? counters[v] : 0;
        execute("INSERT INTO Carcu (Nmb, Count) VALUES (" + std::to_string(v) + ", " +
                    std::to_string(count) + ")",
                outcome);
    }

    Statement written = m_db.prepare("SELECT Nmb, Count FROM Carcu ORDER BY rowid");
    while (written.step() == SQLITE_ROW)
        outcome.carcu.emplace_back(static_cast<int>(written.columnInt(0)), written.columnInt(1));

    // Equal counts keep the order they were written in, ascending Nmb.
    Statement ranking = m_db.prepare("SELECT * FROM Carcu ORDER BY Count DESC, rowid");
    int rank = 0;
    while (ranking.step() == SQLITE_ROW) {
        const int64_t nmb = ranking.columnInt(0);
        const int64_t count = ranking.columnInt(1);
        outcome.ranking.push_back({QString::number(++rank), outcomeText(resultKind, nmb),
                                   QString::number(count), percent(count, total)});
    }
}

} // namespace quorlent::literal
