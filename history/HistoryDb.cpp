#include "HistoryDb.h"

#include "LishiInserter.h"
#include "ProcessMemory.h"
#include "RowMirror.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>

#include <algorithm>

namespace quorlent {

namespace {

// Marks the files this program created ("QRLT"), so that a foreign file is never touched.
constexpr uint32_t kApplicationId = 0x51524C54;
constexpr int kTextColumns = 10; // txtHisLst .. txtHisLstDuan, txtHisPreLst .. txtHisPreLstDuan

const char *const kTextColumnNames[kTextColumns] = {
    "txtHisLst",    "txtHisLstHm",    "txtHisLstDx",    "txtHisLstDs",    "txtHisLstDuan",
    "txtHisPreLst", "txtHisPreLstHm", "txtHisPreLstDx", "txtHisPreLstDs", "txtHisPreLstDuan"};

std::string codeColumn(int position, Kind kind, const char *letter)
{
    std::string name = "L";
    name += std::to_string(position + 1);
    name += kindSuffix(kind);
    name += letter;
    return name;
}

// The 60 code columns in table order: own, previous ("S"), earlier ("P"); kind-major.
std::vector<std::string> codeColumns()
{
    std::vector<std::string> names;
    for (const char *letter : {"", "S", "P"}) {
        for (Kind kind : kAllKinds) {
            for (int p = 0; p < kPositions; ++p)
                names.push_back(codeColumn(p, kind, letter));
        }
    }
    return names;
}

// What the rows in memory are read from: the issue, the own and previous codes, txtHisLst.
std::vector<std::string> rowColumns()
{
    std::vector<std::string> names{"SQQH"};
    const auto codes = codeColumns();
    names.insert(names.end(), codes.begin(), codes.begin() + 40);
    names.push_back(kTextColumnNames[0]);
    return names;
}

void bindCodes(Statement &stmt, int &index, const DrawCodes &codes)
{
    for (Kind kind : kAllKinds) {
        for (int p = 0; p < kPositions; ++p)
            stmt.bind(index++, codes[kind][p]);
    }
}

// The record outlives the step, so its texts need not be copied.
void bindTexts(Statement &stmt, int &index, const DrawTexts &texts)
{
    stmt.bindStatic(index++, texts.digits.view());
    for (const ColumnText &tokens : texts.tokens)
        stmt.bindStatic(index++, tokens.view());
}

bool bySqqh(const HistoryRow &a, const HistoryRow &b)
{
    return a.sqqh < b.sqqh;
}

bool anyEarlierTexts(std::span<const DrawRecord> records)
{
    return std::any_of(records.begin(), records.end(),
                       [](const DrawRecord &r) { return !r.earlierTexts.empty(); });
}

uint32_t readBigEndian(const QByteArray &bytes, int offset)
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<uint8_t>(bytes.at(offset + i));
    return value;
}

const char *const kCreateGameTable =
    "CREATE TABLE IF NOT EXISTS Caizhong(txtName TEXT, intQiPerDay INTEGER, txtQihao TEXT)";
const char *const kCreateCorrectionTable =
    "CREATE TABLE IF NOT EXISTS Xiuzheng(SQQH INTEGER PRIMARY KEY, txtOld TEXT, txtNew TEXT)";
// One date per issue: repeated issues (which the text import lets in) share it.
const char *const kCreateDateTable =
    "CREATE TABLE IF NOT EXISTS Kaijiangri(SQQH INTEGER PRIMARY KEY, intDate INTEGER)";

// Inside the caller's transaction.
bool writeGame(SqliteDb &db, const Game &game, const QString &name)
{
    if (!db.exec(kCreateGameTable) || !db.exec("DELETE FROM Caizhong"))
        return false;
    Statement stmt =
        db.prepare("INSERT INTO Caizhong(txtName, intQiPerDay, txtQihao) VALUES(?, ?, ?)");
    if (!stmt.isValid())
        return false;
    stmt.bind(1, name.toStdString())
        .bind(2, game.drawsPerDay())
        .bind(3, Game::formKey(game.form()).toStdString());
    if (stmt.step() != SQLITE_DONE)
        return false;
    return !game.numbersByYear() || db.exec(kCreateDateTable);
}

} // namespace

RecordSource recordsFrom(std::span<const DrawRecord> records)
{
    return [records, next = size_t{0}](DrawRecord &record) mutable {
        if (next == records.size())
            return false;
        record = records[next++];
        return true;
    };
}

std::vector<std::string> HistoryDb::lishiColumns()
{
    std::vector<std::string> names{"SQQH", "QQH"};
    for (auto &name : codeColumns())
        names.push_back(name);
    for (const char *name : kTextColumnNames)
        names.push_back(name);
    names.insert(names.end(), {"intTh", "bolOk", "txtHisP6"});
    return names;
}

std::string HistoryDb::createStatements()
{
    std::string sql = "CREATE TABLE IF NOT EXISTS Lishi(SQQH INTEGER NOT NULL, QQH INTEGER";
    for (auto &name : codeColumns())
        sql += ", " + name + " INTEGER DEFAULT 0";
    for (const char *name : kTextColumnNames)
        sql += std::string(", ") + name + " TEXT DEFAULT ''";
    sql += ", intTh INTEGER DEFAULT 0, bolOk INTEGER DEFAULT 0, txtHisP6 TEXT DEFAULT '');"
           "CREATE INDEX IF NOT EXISTS LishiBySQQH ON Lishi(SQQH);"
           "CREATE TABLE IF NOT EXISTS Carcu(Nmb INTEGER, Count INTEGER);";
    return sql;
}

bool HistoryDb::isOurs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(100);
    return header.size() == 100 && header.startsWith(QByteArray("SQLite format 3\0", 16)) &&
           readBigEndian(header, 68) == kApplicationId;
}

HistoryDb::HistoryDb(QString path, std::unique_ptr<SqliteDb> db)
    : m_path(std::move(path)), m_db(std::move(db))
{
}

bool HistoryDb::hasTable(const char *name)
{
    Statement stmt = m_db->prepare("SELECT 1 FROM sqlite_master WHERE type='table' AND name=?");
    return stmt.isValid() && stmt.bind(1, std::string_view(name)).step() == SQLITE_ROW;
}

bool HistoryDb::readGame()
{
    m_hasDates = hasTable("Kaijiangri");
    m_hasCorrections = hasTable("Xiuzheng");
    if (!hasTable("Caizhong"))
        return true; // written before games existed: the original game
    Statement stmt = m_db->prepare("SELECT txtName, intQiPerDay, txtQihao FROM Caizhong LIMIT 1");
    if (!stmt.isValid())
        return false;
    if (stmt.step() != SQLITE_ROW)
        return true;
    const auto form = Game::formOfKey(QString::fromStdString(stmt.columnText(2)));
    const auto game = form ? Game::make(static_cast<int>(stmt.columnInt(1)), *form) : std::nullopt;
    if (!game)
        return false; // a game this program cannot read: better no history than a wrong one
    m_game = *game;
    m_name = QString::fromStdString(stmt.columnText(0));
    return true;
}

bool HistoryDb::setGame(const Game &game, const QString &name)
{
    Transaction tx(*m_db);
    if (!tx.isActive() || !writeGame(*m_db, game, name) || !tx.commit())
        return false;
    m_game = game;
    m_name = name;
    m_hasDates = m_hasDates || game.numbersByYear();
    return true;
}

bool HistoryDb::clearSideTables()
{
    return (!m_hasDates || m_db->exec("DELETE FROM Kaijiangri")) &&
           (!m_hasCorrections || m_db->exec("DELETE FROM Xiuzheng"));
}

// A correction's mark holds while the draw is stored with the corrected digits: a history
// rewritten with other digits under that issue (another file read in) is not corrected.
bool HistoryDb::pruneMarks()
{
    return !m_hasCorrections ||
           m_db->exec("DELETE FROM Xiuzheng WHERE NOT EXISTS (SELECT 1 FROM Lishi WHERE "
                      "Lishi.SQQH = Xiuzheng.SQQH AND "
                      "(L1A || L2A || L3A || L4A || L5A) = Xiuzheng.txtNew)");
}

namespace {

std::optional<Digits> digitsOfText(const std::string &text)
{
    if (text.size() != kPositions)
        return std::nullopt;
    Digits digits{};
    for (int p = 0; p < kPositions; ++p) {
        if (text[size_t(p)] < '0' || text[size_t(p)] > '9')
            return std::nullopt;
        digits[size_t(p)] = uint8_t(text[size_t(p)] - '0');
    }
    return digits;
}

std::string textOfDigits(const Digits &digits)
{
    return std::string(digitText(digits).view());
}

// "L1AS=?,L2AS=?,…" for the 20 code columns with the letter.
std::string assignments(const char *letter)
{
    std::string sql;
    for (Kind kind : kAllKinds) {
        for (int p = 0; p < kPositions; ++p) {
            if (!sql.empty())
                sql += ',';
            sql += codeColumn(p, kind, letter) + "=?";
        }
    }
    return sql;
}

} // namespace

std::vector<HistoryDb::Correction> HistoryDb::loadCorrections()
{
    std::vector<Correction> marks;
    if (!m_hasCorrections)
        return marks;
    Statement stmt = m_db->prepare("SELECT SQQH, txtOld, txtNew FROM Xiuzheng ORDER BY SQQH");
    while (stmt.isValid() && stmt.step() == SQLITE_ROW) {
        const auto original = digitsOfText(stmt.columnText(1));
        const auto corrected = digitsOfText(stmt.columnText(2));
        if (original && corrected)
            marks.push_back({int32_t(stmt.columnInt(0)), *original, *corrected});
    }
    return marks;
}

bool HistoryDb::writeMarks(std::span<const Correction> marks)
{
    if (marks.empty())
        return true;
    if (!m_hasCorrections && !m_db->exec(kCreateCorrectionTable))
        return false;
    m_hasCorrections = true;
    // The first digits a draw was stored with stay its original.
    Statement stmt = m_db->prepare("INSERT INTO Xiuzheng(SQQH, txtOld, txtNew) VALUES(?, ?, ?) "
                                   "ON CONFLICT(SQQH) DO UPDATE SET txtNew = excluded.txtNew");
    // Corrected back to the digits it was first stored with: no longer a correction.
    Statement undo = m_db->prepare("DELETE FROM Xiuzheng WHERE SQQH = ?");
    if (!stmt.isValid() || !undo.isValid())
        return false;
    for (const Correction &mark : marks) {
        if (mark.original == mark.corrected) {
            if (undo.bind(1, mark.sqqh).step() != SQLITE_DONE)
                return false;
            undo.reset();
            continue;
        }
        stmt.bind(1, mark.sqqh)
            .bind(2, textOfDigits(mark.original))
            .bind(3, textOfDigits(mark.corrected));
        if (stmt.step() != SQLITE_DONE)
            return false;
        stmt.reset();
    }
    return true;
}

bool HistoryDb::correct(const CorrectionWrite &write)
{
    TriggersOff ownWrite(*m_db);
    Transaction tx(*m_db);
    if (!tx.isActive())
        return false;
    const bool created = !m_hasCorrections;
    auto fail = [&] {
        if (created)
            m_hasCorrections = false; // rolled back with the rest
        return false;
    };
    // Each statement must change exactly the one row it names.
    auto run = [&](Statement &stmt) {
        return stmt.step() == SQLITE_DONE && sqlite3_changes(m_db->handle()) == 1;
    };
    Statement own =
        m_db->prepare(("UPDATE Lishi SET " + assignments("") + " WHERE SQQH=?").c_str());
    int index = 1;
    bindCodes(own, index, write.own);
    own.bind(index, write.sqqh);
    if (!own.isValid() || !run(own))
        return fail();
    if (write.next) {
        const DrawTexts texts = DrawTexts::describe(write.own);
        Statement next = m_db->prepare(
            ("UPDATE Lishi SET " + assignments("S") +
             ",txtHisLst=?,txtHisLstHm=?,txtHisLstDx=?,txtHisLstDs=?,txtHisLstDuan=? WHERE SQQH=?")
                .c_str());
        index = 1;
        bindCodes(next, index, write.own);
        bindTexts(next, index, texts);
        next.bind(index, *write.next);
        if (!next.isValid() || !run(next))
            return fail();
        if (write.afterNext) {
            // The earlier-draw texts are there only where a rebuild wrote them.
            std::string sql = "UPDATE Lishi SET " + assignments("P");
            for (const char *column : {"txtHisPreLst", "txtHisPreLstHm", "txtHisPreLstDx",
                                       "txtHisPreLstDs", "txtHisPreLstDuan"})
                sql += std::string(",") + column +
                       "=CASE WHEN length(txtHisPreLst)>0 THEN ? ELSE " + column + " END";
            sql += " WHERE SQQH=?";
            Statement after = m_db->prepare(sql.c_str());
            index = 1;
            bindCodes(after, index, write.own);
            bindTexts(after, index, texts);
            after.bind(index, *write.afterNext);
            if (!after.isValid() || !run(after))
                return fail();
        }
    }
    if (!RowMirror(*m_db).corrected(write.sqqh, write.own, write.next) ||
        !writeMarks(std::span(&write.mark, 1)) || !tx.commit())
        return fail();
    return true;
}

bool HistoryDb::replaceFrom(int32_t fromIssue, std::span<const DrawRecord> records,
                            std::span<const Correction> marks)
{
    TriggersOff ownWrite(*m_db);
    Transaction tx(*m_db);
    if (!tx.isActive())
        return false;
    const bool created = !m_hasCorrections;
    if (!removeFrom(fromIssue))
        return false;
    std::vector<HistoryRow> rows;
    rows.reserve(records.size());
    // The writer derives the new rows from the stored ones before `fromIssue`, in issue order.
    const bool derived =
        std::is_sorted(records.begin(), records.end(),
                       [](const DrawRecord &a, const DrawRecord &b) { return a.sqqh < b.sqqh; }) &&
        (records.empty() || records.front().sqqh >= fromIssue) && !anyEarlierTexts(records);
    if (!insertAll(recordsFrom(records), &rows) ||
        !RowMirror(*m_db).replacedFrom(fromIssue, rows) ||
        (!derived && !RowMirror(*m_db).forgetDerived()) || !writeMarks(marks) || !pruneMarks() ||
        !tx.commit()) {
        if (created)
            m_hasCorrections = false;
        return false;
    }
    return true;
}

HistoryDb::OpenResult HistoryDb::create(const QString &path, const Game &game, const QString &name)
{
    if ((QFileInfo::exists(path) || QFileInfo(path).isSymLink()) && !isLeftEmpty(path)) {
        OpenResult refused;
        refused.message =
            QObject::tr("文件 %1 已经存在，未作任何改动。").arg(QFileInfo(path).fileName());
        return refused;
    }
    return openPlaced(path, &game, name);
}

HistoryDb::OpenResult HistoryDb::openOrCreate(const QString &path)
{
    return openPlaced(path, nullptr, {});
}

HistoryDb::OpenResult HistoryDb::openFile(const QString &path, const Game *newGame,
                                          const QString &name)
{
    OpenResult result;
    // SQLite takes file names in UTF-8 on every system (on Windows, not in the ANSI code page).
    const std::string native = path.toUtf8().toStdString();
    const bool exists = QFileInfo::exists(path);
    if (exists && !isOurs(path)) {
        result.status = OpenStatus::NotOurs;
        result.message =
            QObject::tr("历史数据库 %1 不是本程序的数据库，未作任何改动；本次运行没有历史号码。")
                .arg(QFileInfo(path).fileName());
        return result;
    }
    std::string error;
    const int flags = SQLITE_OPEN_READWRITE | (exists ? 0 : SQLITE_OPEN_CREATE);
    auto db = SqliteDb::open(native, flags, &error);
    bool ok = db != nullptr;
    if (ok && !exists) {
        // Large pages: a whole-history import makes a sixteenth of the writes of the default size.
        // Setting the page size resets the file mapping, so it is asked for again.
        ok = db->exec("PRAGMA page_size=65536; PRAGMA mmap_size=1073741824");
        Transaction tx(*db);
        ok = ok && tx.isActive() &&
             db->exec(("PRAGMA application_id=" + std::to_string(kApplicationId)).c_str()) &&
             db->exec("PRAGMA user_version=1") && db->exec(createStatements().c_str()) &&
             RowMirror(*db).create(rowColumns()) && RowMirror(*db).store({}) &&
             RowMirror(*db).markDerived() && (!newGame || writeGame(*db, *newGame, name)) &&
             tx.commit();
        if (!ok) {
            error = db->lastError();
            db.reset();
            QFile::remove(path);
        }
    } else if (ok) {
        // Ours, but perhaps from before a table was added: add what is missing.
        ok = db->exec(createStatements().c_str());
        if (!ok)
            error = db->lastError();
    }
    if (!ok) {
        result.status = OpenStatus::Failed;
        result.message = QObject::tr("无法打开历史数据库 %1：%2")
                             .arg(QFileInfo(path).fileName(), QString::fromStdString(error));
        return result;
    }
    result.db.reset(new HistoryDb(path, std::move(db)));
    if (!result.db->readGame()) {
        result.db.reset();
        result.status = OpenStatus::Failed;
        result.message =
            QObject::tr("历史数据库 %1 的彩种无法识别，未作任何改动；本次运行没有历史号码。")
                .arg(QFileInfo(path).fileName());
        return result;
    }
    result.status = exists ? OpenStatus::Opened : OpenStatus::Created;
    return result;
}

std::vector<HistoryRow> HistoryDb::loadRows()
{
    std::optional<std::vector<HistoryRow>> rows = RowMirror(*m_db).load(kRowHeadroom);
    if (!rows) {
        rows = scanRows();
        // For the next opening; a file that cannot be written is read from Lishi each time.
        TriggersOff ownWrite(*m_db);
        Transaction tx(*m_db);
        if (tx.isActive() && mirror(*rows))
            tx.commit();
    }
    if (m_hasDates)
        addDates(*rows);
    return std::move(*rows);
}

std::vector<HistoryRow> HistoryDb::scanRows()
{
    std::vector<HistoryRow> rows;
    std::string sql = "SELECT SQQH";
    const auto codes = codeColumns();
    for (int i = 0; i < 40; ++i) // own and previous codes
        sql += "," + codes[i];
    // A plain scan in rowid (insertion) order, sorted here: far cheaper than walking the SQQH
    // index and looking every row up again.
    sql += ",length(trim(txtHisLst))>0 FROM Lishi ORDER BY rowid";
    // The whole table passes through: neither mapped nor cached, so that it is not held in memory.
    m_db->exec("PRAGMA mmap_size=0; PRAGMA cache_size=-2048");
    Statement stmt = m_db->prepare(sql.c_str());
    if (stmt.isValid()) {
        // With room to grow, so that the first entries do not copy the whole history.
        const auto stored = static_cast<size_t>(m_db->queryInt("SELECT count(*) FROM Lishi"));
        rows.reserve(stored + kRowHeadroom);
        while (stmt.step() == SQLITE_ROW) {
            HistoryRow row;
            row.sqqh = static_cast<int32_t>(stmt.columnInt(0));
            int column = 1;
            for (DrawCodes *target : {&row.own, &row.previous}) {
                for (Kind kind : kAllKinds) {
                    for (int p = 0; p < kPositions; ++p)
                        (*target)[kind][p] = static_cast<uint8_t>(stmt.columnInt(column++));
                }
            }
            row.hasPrevious = stmt.columnInt(column) != 0;
            rows.push_back(row);
        }
    }
    stmt = Statement();
    m_db->exec(SqliteDb::kMemoryPragmas);
    if (!std::is_sorted(rows.begin(), rows.end(), bySqqh))
        std::stable_sort(rows.begin(), rows.end(), bySqqh);
    return rows;
}

// One date per issue: repeated issues share it.
void HistoryDb::addDates(std::vector<HistoryRow> &rows)
{
    Statement stmt = m_db->prepare("SELECT SQQH, intDate FROM Kaijiangri ORDER BY SQQH");
    if (!stmt.isValid())
        return;
    auto row = rows.begin();
    while (row != rows.end() && stmt.step() == SQLITE_ROW) {
        const auto sqqh = static_cast<int32_t>(stmt.columnInt(0));
        const auto date = static_cast<int32_t>(stmt.columnInt(1));
        for (; row != rows.end() && row->sqqh <= sqqh; ++row) {
            if (row->sqqh == sqqh)
                row->date = date;
        }
    }
}

bool HistoryDb::mirror(std::span<const HistoryRow> rows)
{
    RowMirror copy(*m_db);
    return copy.create(rowColumns()) && copy.store(rows);
}

bool HistoryDb::insertAll(const RecordSource &source, std::vector<HistoryRow> *rows)
{
    LishiInserter lishi(*m_db);
    if (!lishi.isValid())
        return false;
    Statement dated;
    if (m_hasDates) {
        dated = m_db->prepare("INSERT OR REPLACE INTO Kaijiangri(SQQH, intDate) VALUES(?, ?)");
        if (!dated.isValid())
            return false;
    }
    DrawRecord record;
    while (source(record)) {
        if (m_hasDates && record.date != 0) {
            dated.bind(1, record.sqqh).bind(2, record.date);
            if (dated.step() != SQLITE_DONE)
                return false;
            dated.reset();
        }
        if (!lishi.add(record))
            return false;
        if (rows)
            rows->push_back(HistoryRow::fromRecord(record));
    }
    return lishi.finish();
}

bool HistoryDb::append(std::span<const DrawRecord> records)
{
    TriggersOff ownWrite(*m_db);
    Transaction tx(*m_db);
    std::vector<HistoryRow> rows;
    rows.reserve(records.size());
    return tx.isActive() && insertAll(recordsFrom(records), &rows) &&
           RowMirror(*m_db).appended(rows) &&
           (!anyEarlierTexts(records) || RowMirror(*m_db).forgetDerived()) && tx.commit();
}

bool HistoryDb::replaceAll(std::span<const DrawRecord> records)
{
    return replaceAll(recordsFrom(records), nullptr, records.size());
}

bool HistoryDb::storedAs(const DrawRecord &record, const HistoryRow &row) const
{
    // The other columns follow from these in a derived row, and the record, from a run, derives
    // them the same way; only the rebuild adds the earlier-draw texts.
    return record.sqqh == row.sqqh && record.own == row.own && record.previous == row.previous &&
           !record.previousTexts.empty() == row.hasPrevious && record.earlierTexts.empty() &&
           (!m_hasDates || record.date == row.date);
}

std::optional<RecordSource> HistoryDb::keepRepeatedRows(const RecordSource &source,
                                                        std::span<const HistoryRow> current,
                                                        std::vector<HistoryRow> &rows)
{
    // Records are read in place: `sameIssue` names the places of the records of the newest issue
    // read so far, stored again when the first difference falls among rows of that same issue
    // (rows are removed by whole issues). A record is a few hundred bytes; copying each would
    // cost as much as comparing it.
    std::vector<DrawRecord> places(2);
    std::vector<size_t> sameIssue;
    size_t place = 0;
    bool more = true;
    bool differs = false;
    size_t repeated = 0;
    while ((more = source(places[place]))) {
        const DrawRecord &record = places[place];
        if (repeated == current.size() || !storedAs(record, current[repeated])) {
            differs = true;
            break;
        }
        if (!sameIssue.empty() && places[sameIssue.front()].sqqh != record.sqqh)
            sameIssue.clear();
        sameIssue.push_back(place);
        rows.push_back(HistoryRow::fromRecord(record));
        ++repeated;
        // The next record goes to a place no record of this issue holds.
        place = 0;
        while (std::find(sameIssue.begin(), sameIssue.end(), place) != sameIssue.end())
            ++place;
        if (place == places.size())
            places.emplace_back();
    }
    std::vector<DrawRecord> carried;
    if (repeated < current.size()) {
        size_t kept = repeated;
        if (kept > 0 && current[kept - 1].sqqh == current[kept].sqqh) {
            kept -= sameIssue.size();
            rows.resize(kept);
            for (size_t held : sameIssue)
                carried.push_back(std::move(places[held]));
        }
        // A table emptied whole is freed page by page; removing rows by issue visits each.
        if (!(kept == 0 ? removeAll() : removeFrom(current[kept].sqqh)))
            return std::nullopt;
    }
    if (differs)
        carried.push_back(std::move(places[place]));
    return RecordSource([&source, more, carried = std::move(carried),
                         next = size_t{0}](DrawRecord &record) mutable {
        if (next < carried.size()) {
            record = std::move(carried[next++]);
            return true;
        }
        return more && (more = source(record));
    });
}

bool HistoryDb::removeAll()
{
    return m_db->exec("DELETE FROM Lishi") && (!m_hasDates || m_db->exec("DELETE FROM Kaijiangri"));
}

bool HistoryDb::removeFrom(int32_t fromIssue)
{
    Statement drop = m_db->prepare("DELETE FROM Lishi WHERE SQQH >= ?");
    if (!drop.isValid() || drop.bind(1, fromIssue).step() != SQLITE_DONE)
        return false;
    if (!m_hasDates)
        return true;
    Statement dates = m_db->prepare("DELETE FROM Kaijiangri WHERE SQQH >= ?");
    return dates.isValid() && dates.bind(1, fromIssue).step() == SQLITE_DONE;
}

bool HistoryDb::replaceAll(const RecordSource &source, std::vector<HistoryRow> *stored,
                           size_t expected, std::span<const HistoryRow> current)
{
    TriggersOff ownWrite(*m_db);
    Transaction tx(*m_db);
    // With room to grow, so that the first entries do not copy the whole history.
    std::vector<HistoryRow> rows;
    reserveOnLargePages(rows, expected + kRowHeadroom);
    if (!tx.isActive())
        return false;
    // Removing every row costs as much as writing them: a history read in again over itself
    // (with new draws at its end, most often) keeps the rows it repeats.
    std::optional<RecordSource> rest = source;
    if (!current.empty() && RowMirror(*m_db).isDerived())
        rest = keepRepeatedRows(source, current, rows);
    else if (!removeAll())
        return false;
    bool earlierTexts = false;
    if (!rest || !insertAll(
                     [&](DrawRecord &record) {
                         if (!(*rest)(record))
                             return false;
                         earlierTexts = earlierTexts || !record.earlierTexts.empty();
                         return true;
                     },
                     &rows))
        return false;
    const bool inOrder = std::is_sorted(rows.begin(), rows.end(), bySqqh);
    if (!inOrder)
        std::stable_sort(rows.begin(), rows.end(), bySqqh);
    if (!mirror(rows) || (inOrder && !earlierTexts && !RowMirror(*m_db).markDerived()) ||
        !pruneMarks() || !tx.commit())
        return false;
    if (stored)
        *stored = std::move(rows);
    return true;
}

bool HistoryDb::clear()
{
    TriggersOff ownWrite(*m_db);
    Transaction tx(*m_db);
    return tx.isActive() && m_db->exec("DELETE FROM Lishi") && clearSideTables() && mirror({}) &&
           RowMirror(*m_db).markDerived() && tx.commit();
}

bool HistoryDb::deleteNewest()
{
    TriggersOff ownWrite(*m_db);
    Transaction tx(*m_db);
    return tx.isActive() &&
           m_db->exec("DELETE FROM Lishi WHERE rowid = "
                      "(SELECT rowid FROM Lishi ORDER BY SQQH DESC, rowid DESC LIMIT 1)") &&
           (!m_hasDates ||
            m_db->exec("DELETE FROM Kaijiangri WHERE SQQH NOT IN (SELECT SQQH FROM Lishi)")) &&
           pruneMarks() && RowMirror(*m_db).removedNewest() && tx.commit();
}

bool HistoryDb::writeTally(std::span<const std::pair<int, int64_t>> rows)
{
    Transaction tx(*m_db);
    if (!tx.isActive() || !m_db->exec("DELETE FROM Carcu"))
        return false;
    Statement stmt = m_db->prepare("INSERT INTO Carcu(Nmb, Count) VALUES(?, ?)");
    if (!stmt.isValid())
        return false;
    for (const auto &[value, count] : rows) {
        stmt.bind(1, value).bind(2, count);
        if (stmt.step() != SQLITE_DONE)
            return false;
        stmt.reset();
    }
    return tx.commit();
}

} // namespace quorlent
