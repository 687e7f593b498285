#include "HistoryDb.h"
#include "HistoryStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorlent;

namespace {

std::vector<DrawRecord> sampleRun(std::initializer_list<std::pair<int32_t, Digits>> draws)
{
    DrawRun run;
    std::vector<DrawRecord> records;
    for (const auto &[sqqh, digits] : draws)
        records.push_back(run.append(sqqh, digits, 1));
    return records;
}

} // namespace

TEST(HistoryDbTest, CreatesAMissingFileWithBothTables)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Varnibo.mdb");
    auto result = HistoryDb::openOrCreate(path);
    ASSERT_EQ(result.status, HistoryDb::OpenStatus::Created);
    EXPECT_TRUE(HistoryDb::isOurs(path));
    EXPECT_EQ(result.db->sql().queryInt("SELECT count(*) FROM sqlite_master WHERE name IN "
                                        "('Lishi','Carcu')"),
              2);
    EXPECT_TRUE(result.db->loadRows().empty());
    result.db.reset();
    EXPECT_EQ(HistoryDb::openOrCreate(path).status, HistoryDb::OpenStatus::Opened);
}

TEST(HistoryDbTest, NeverTouchesAFileThatIsNotOurs)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Varnibo.mdb");
    static const char kJet[] = "\x00\x01\x00\x00Standard Jet DB\x00 and more bytes";
    const QByteArray jet(kJet, sizeof kJet - 1);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(jet);
    }
    auto result = HistoryDb::openOrCreate(path);
    EXPECT_EQ(result.status, HistoryDb::OpenStatus::NotOurs);
    EXPECT_FALSE(result.db);
    EXPECT_FALSE(result.message.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), jet);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    // A SQLite file of someone else's is not ours either.
    const QString other = dir.filePath("other.mdb");
    {
        auto db = SqliteDb::open(other.toStdString(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        ASSERT_TRUE(db->exec("CREATE TABLE t(x)"));
    }
    EXPECT_EQ(HistoryDb::openOrCreate(other).status, HistoryDb::OpenStatus::NotOurs);
}

TEST(HistoryDbTest, StoresEveryDerivedColumn)
{
    QTemporaryDir dir;
    auto db = HistoryDb::openOrCreate(dir.filePath("Varnibo.mdb")).db;
    const auto records =
        sampleRun({{160908076, {3, 1, 3, 3, 0}}, {160908077, {5, 6, 7, 8, 9}}, {160908078, {0, 0, 0, 0, 1}}});
    ASSERT_TRUE(db->append(records));

    Statement stmt = db->sql().prepare(
        "SELECT QQH, L3A, L3B, L3E, L3F, L1AS, L1FS, L1AP, txtHisLst, txtHisLstHm, txtHisLstDuan, "
        "txtHisPreLst, intTh, bolOk FROM Lishi ORDER BY SQQH");
    ASSERT_EQ(stmt.step(), SQLITE_ROW);
    EXPECT_EQ(stmt.columnInt(0), 160908077);
    EXPECT_EQ(stmt.columnInt(5), 0);
    EXPECT_EQ(stmt.columnText(8), "");
    ASSERT_EQ(stmt.step(), SQLITE_ROW);
    ASSERT_EQ(stmt.step(), SQLITE_ROW);
    EXPECT_EQ(stmt.columnInt(1), 0);
    EXPECT_EQ(stmt.columnInt(4), 1);
    EXPECT_EQ(stmt.columnInt(5), 5); // previous draw's first digit
    EXPECT_EQ(stmt.columnInt(6), 3); // its segment code, base 1
    EXPECT_EQ(stmt.columnInt(7), 3); // the draw before that
    EXPECT_EQ(stmt.columnText(8), "56789");
    EXPECT_EQ(stmt.columnText(9), "1X5 1X6 1X7 1X8 1X9 ");
    EXPECT_EQ(stmt.columnText(10), "1X3 1X4 2X4 1X5 2X5 ");
    EXPECT_EQ(stmt.columnText(11), "");
    EXPECT_EQ(stmt.columnInt(12), 0);
    EXPECT_EQ(stmt.columnInt(13), 0);
}

TEST(HistoryDbTest, ReadsInIssueOrderAndKeepsInsertionOrderOfEqualIssues)
{
    QTemporaryDir dir;
    auto db = HistoryDb::openOrCreate(dir.filePath("Varnibo.mdb")).db;
    ASSERT_TRUE(db->append(sampleRun({{160908078, {1, 1, 1, 1, 1}},
                                      {160908076, {2, 2, 2, 2, 2}},
                                      {160908078, {3, 3, 3, 3, 3}},
                                      {70908001, {4, 4, 4, 4, 4}}})));
    const auto rows = db->loadRows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].sqqh, 70908001);
    EXPECT_EQ(rows[1].sqqh, 160908076);
    EXPECT_EQ(rows[2].digits()[0], 1);
    EXPECT_EQ(rows[3].digits()[0], 3);
    EXPECT_FALSE(rows[2].hasPrevious);
    EXPECT_TRUE(rows[3].hasPrevious);

    ASSERT_TRUE(db->deleteNewest());
    const auto after = db->loadRows();
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after.back().digits()[0], 1);
}

TEST(HistoryStoreTest, MemoryFollowsTheTable)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Varnibo.mdb");
    HistoryStore store;
    store.open(path);
    DrawRun run = store.continueRun();
    std::vector<DrawRecord> first{run.append(160908119, {1, 2, 3, 4, 5}, 1),
                                  run.append(160908120, {6, 7, 8, 9, 0}, 1)};
    ASSERT_TRUE(store.append(first));
    DrawRun more = store.continueRun();
    const DrawRecord next = more.append(160909001, {0, 0, 0, 0, 0}, 1);
    EXPECT_EQ(next.previous, first[1].own);
    EXPECT_EQ(next.earlier, first[0].own);
    ASSERT_TRUE(store.append(std::span(&next, 1)));
    ASSERT_TRUE(store.deleteNewest());

    HistoryStore reopened;
    reopened.open(path);
    EXPECT_EQ(reopened.rows(), store.rows());
    EXPECT_EQ(reopened.size(), 2u);

    ASSERT_TRUE(store.clear());
    EXPECT_TRUE(store.empty());
    HistoryStore cleared;
    cleared.open(path);
    EXPECT_TRUE(cleared.empty());
}
