#include "LishiInserter.h"
#include "HistoryDb.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using namespace quorlent;

namespace {

// Every column of every row of Lishi as text, in the order stored.
std::vector<std::vector<std::string>> table(SqliteDb &db)
{
    Statement stmt =
        db.prepare("SELECT *, typeof(QQH), typeof(txtHisPreLst) FROM Lishi ORDER BY rowid");
    std::vector<std::vector<std::string>> rows;
    while (stmt.step() == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int c = 0; c < stmt.columnCount(); ++c)
            row.push_back(stmt.columnText(c));
        rows.push_back(row);
    }
    return rows;
}

} // namespace

// Runs as the writers make them, broken where a record does not continue the one before, with
// and without the earlier-draw texts, and a remainder short of a whole statement: each row as the
// plain one-row statement stores it.
TEST(LishiInserterTest, StoresWhatTheOneRowStatementStores)
{
    std::mt19937 rng(7);
    std::vector<DrawRecord> records;
    DrawRun run;
    int32_t sqqh = 160908001;
    for (int i = 0; i < 400; ++i) {
        if (i % 97 == 50)
            run = DrawRun(); // a run starts again: no previous draw
        if (i == 200)
            run.setFillEarlierTexts(true);
        if (i == 300)
            run.setFillEarlierTexts(false);
        Digits digits{};
        for (uint8_t &d : digits)
            d = uint8_t(rng() % 10);
        records.push_back(run.append(sqqh++, digits, int(rng() % 2)));
        if (i % 61 == 30)
            records.back().previous[Kind::Segment][2] = 9; // a record of its own
    }
    QTemporaryDir dir;
    auto batched = HistoryDb::openOrCreate(dir.filePath("batched.mdb")).db;
    auto single = HistoryDb::openOrCreate(dir.filePath("single.mdb")).db;
    ASSERT_TRUE(batched && single);
    LishiInserter inserter(batched->sql());
    for (const DrawRecord &record : records)
        ASSERT_TRUE(inserter.add(record));
    ASSERT_TRUE(inserter.finish());
    for (const DrawRecord &record : records) { // one at a time: the one-row statement
        LishiInserter alone(single->sql());
        ASSERT_TRUE(alone.add(record));
        ASSERT_TRUE(alone.finish());
    }
    const auto stored = table(batched->sql());
    ASSERT_EQ(stored.size(), records.size());
    EXPECT_EQ(stored, table(single->sql()));
}
