#include "HistoryStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorlent;

namespace {

// Every column of Lishi but the work columns, row by row in issue order.
std::vector<std::vector<std::string>> storedColumns(HistoryDb &db)
{
    std::string sql = "SELECT ";
    bool first = true;
    for (const std::string &column : HistoryDb::lishiColumns()) {
        if (column == "intTh" || column == "bolOk" || column == "txtHisP6")
            continue;
        sql += (first ? "" : ",") + column;
        first = false;
    }
    sql += " FROM Lishi ORDER BY SQQH, rowid";
    Statement stmt = db.sql().prepare(sql.c_str());
    std::vector<std::vector<std::string>> rows;
    while (stmt.step() == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int c = 0; c < stmt.columnCount(); ++c)
            row.push_back(stmt.columnText(c));
        rows.push_back(row);
    }
    return rows;
}

Digits digitsAt(int i)
{
    return {uint8_t(i % 10), uint8_t(i * 3 % 10), uint8_t(i * 7 % 10), 4, 5};
}

// The history a text import of these draws gives.
std::vector<std::vector<std::string>> imported(const std::vector<DatedDraw> &draws)
{
    QTemporaryDir dir;
    HistoryStore store;
    store.open(dir.filePath("Varnibo.mdb"));
    DrawRun run;
    std::vector<DrawRecord> records;
    for (const DatedDraw &draw : draws)
        records.push_back(run.append(draw.sqqh, draw.digits, 1));
    EXPECT_TRUE(store.replaceAll(records));
    return storedColumns(*store.db());
}

class CorrectionTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_store.open(m_dir.filePath("Varnibo.mdb"));
        for (int i = 0; i < 12; ++i)
            m_draws.push_back({160908001 + i * 2, digitsAt(i), 0}); // every other issue
        DrawRun run;
        std::vector<DrawRecord> records;
        for (const DatedDraw &draw : m_draws)
            records.push_back(run.append(draw.sqqh, draw.digits, 1));
        ASSERT_TRUE(m_store.replaceAll(records));
    }
    QTemporaryDir m_dir;
    HistoryStore m_store;
    std::vector<DatedDraw> m_draws;
};

} // namespace

TEST_F(CorrectionTest, ACorrectedDrawAndTheDrawsAfterItAreAsIfReadInWithTheRightDigits)
{
    for (size_t index : {size_t(5), size_t(10), size_t(11), size_t(0)}) {
        const Digits right{9, 8, 7, 6, uint8_t(index % 10)};
        ASSERT_TRUE(m_store.correctDraw(index, right, 1));
        m_draws[index].digits = right;
        EXPECT_EQ(storedColumns(*m_store.db()), imported(m_draws)) << index;
        EXPECT_EQ(m_store.rows()[index].digits(), right);
        if (index + 1 < m_draws.size())
            EXPECT_EQ(m_store.rows()[index + 1].previous.digits(), right);
    }
    // Marked with the digits first stored, also after the history is opened again.
    const HistoryDb::Correction *mark = m_store.correctionOf(m_draws[5].sqqh);
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->original, digitsAt(5));
    HistoryStore again;
    again.open(m_dir.filePath("Varnibo.mdb"));
    EXPECT_EQ(again.corrections().size(), 4u);
    EXPECT_EQ(again.rows(), m_store.rows());

    // Corrected again, it keeps its first digits; corrected back, it is no correction.
    ASSERT_TRUE(again.correctDraw(5, {1, 1, 1, 1, 1}, 1));
    EXPECT_EQ(again.correctionOf(m_draws[5].sqqh)->original, digitsAt(5));
    ASSERT_TRUE(again.correctDraw(5, digitsAt(5), 1));
    EXPECT_EQ(again.correctionOf(m_draws[5].sqqh), nullptr);
    QString why;
    EXPECT_FALSE(again.correctDraw(5, digitsAt(5), 1, &why));
    EXPECT_FALSE(why.isEmpty());
}

TEST_F(CorrectionTest, AddedDrawsTakeTheirPlacesAndTheRestFollows)
{
    // Into the gaps, at the end, and one stored draw given the file's digits.
    const std::vector<DatedDraw> added{{160908004, {1, 2, 3, 4, 5}, 0},
                                       {160908010, {5, 4, 3, 2, 1}, 0},
                                       {160908030, {0, 0, 0, 0, 0}, 0}};
    const std::vector<std::pair<int32_t, Digits>> replaced{{160908013, {7, 7, 7, 7, 7}}};
    ASSERT_TRUE(m_store.mergeDraws(added, replaced, 1));
    std::vector<DatedDraw> expected = m_draws;
    expected.insert(expected.end(), added.begin(), added.end());
    std::sort(expected.begin(), expected.end(),
              [](const DatedDraw &a, const DatedDraw &b) { return a.sqqh < b.sqqh; });
    for (DatedDraw &draw : expected) {
        if (draw.sqqh == 160908013)
            draw.digits = {7, 7, 7, 7, 7};
    }
    EXPECT_EQ(storedColumns(*m_store.db()), imported(expected));
    ASSERT_NE(m_store.correctionOf(160908013), nullptr);
    EXPECT_EQ(m_store.corrections().size(), 1u);

    // Reading another file in under the same issues takes the marks of changed digits away.
    DrawRun run;
    std::vector<DrawRecord> records;
    for (const DatedDraw &draw : m_draws)
        records.push_back(run.append(draw.sqqh, draw.digits, 1));
    ASSERT_TRUE(m_store.replaceAll(records));
    EXPECT_TRUE(m_store.corrections().empty());
}
