#include "HistoryStore.h"
#include "RowMirror.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

using namespace quorlent;

namespace {

struct Draw
{
    int32_t sqqh = 0;
    Digits digits{};
    int32_t date = 0;
    int segmentBase = 1;
};

// `step` 2 leaves every other issue free; `dated` gives each draw a date of its own.
std::vector<Draw> randomDraws(int count, int32_t first, unsigned seed, int step = 1,
                              bool dated = false)
{
    std::mt19937 rng(seed);
    std::vector<Draw> draws;
    for (int i = 0; i < count; ++i) {
        Draw draw{first + i * step, {}, dated ? 20010101 + i : 0};
        for (uint8_t &d : draw.digits)
            d = uint8_t(rng() % 10);
        draws.push_back(draw);
    }
    return draws;
}

// What reading the draws in as a history file writes.
std::vector<DrawRecord> recordsOf(const std::vector<Draw> &draws, bool earlierTexts = false)
{
    DrawRun run;
    run.setFillEarlierTexts(earlierTexts);
    std::vector<DrawRecord> records;
    for (const Draw &draw : draws) {
        records.push_back(run.append(draw.sqqh, draw.digits, draw.segmentBase));
        records.back().date = draw.date;
    }
    return records;
}

// Everything the file holds of its draws, every column, in the order a reader meets them.
std::vector<std::string> contents(HistoryDb &db)
{
    std::string row;
    for (const std::string &column : HistoryDb::lishiColumns())
        row += (row.empty() ? "" : "||','||") + ("quote(" + column + ")");
    std::vector<std::string> lines;
    for (const std::string &sql :
         {"SELECT " + row + " FROM Lishi ORDER BY SQQH, rowid",
          std::string("SELECT SQQH||':'||intDate FROM Kaijiangri ORDER BY SQQH"),
          std::string("SELECT SQQH||':'||txtOld||txtNew FROM Xiuzheng ORDER BY SQQH")}) {
        Statement stmt = db.sql().prepare(sql.c_str());
        while (stmt.isValid() && stmt.step() == SQLITE_ROW)
            lines.push_back(stmt.columnText(0));
    }
    return lines;
}

// Whether the history's file holds exactly what writing `draws` into a new file would, and
// its rows in memory and in the compact copy agree with it; gives the rows the rewrite changed.
struct Rewrite
{
    explicit Rewrite(const Game &game) : game(game) {}

    void open()
    {
        const QString path = dir.filePath("Varnibo.mdb");
        ASSERT_TRUE(game.isStandard() ? store.open(path).db || store.isOpen()
                                      : store.create(path, game, "test").db || store.isOpen());
    }

    void write(const std::vector<DrawRecord> &records)
    {
        if (!store.isOpen())
            open();
        const int64_t before = sqlite3_total_changes(store.db()->sql().handle());
        ASSERT_TRUE(store.replaceAll(records));
        changes = sqlite3_total_changes(store.db()->sql().handle()) - before;
    }

    void expectAsNew(const std::vector<DrawRecord> &records)
    {
        QTemporaryDir other;
        HistoryStore fresh;
        const QString path = other.filePath("Varnibo.mdb");
        ASSERT_TRUE(game.isStandard() ? fresh.open(path).db || fresh.isOpen()
                                      : fresh.create(path, game, "test").db || fresh.isOpen());
        ASSERT_TRUE(fresh.replaceAll(records));
        const std::vector<std::string> written = contents(*store.db());
        const std::vector<std::string> expected = contents(*fresh.db());
        EXPECT_EQ(written.size(), expected.size());
        const auto differ =
            std::mismatch(written.begin(), written.end(), expected.begin(), expected.end());
        if (differ.first != written.end() || differ.second != expected.end())
            ADD_FAILURE() << "first difference at line " << (differ.first - written.begin())
                          << ":\n  " << (differ.first != written.end() ? *differ.first : "(none)")
                          << "\n  "
                          << (differ.second != expected.end() ? *differ.second : "(none)");
        EXPECT_EQ(store.rows(), fresh.rows());
        HistoryStore reopened;
        ASSERT_TRUE(reopened.open(store.path()).db || reopened.isOpen());
        EXPECT_EQ(reopened.rows(), fresh.rows());
    }

    Game game;
    QTemporaryDir dir;
    HistoryStore store;
    int64_t changes = 0;
};

} // namespace

// A history read in again over itself keeps the rows it repeats: only what differs is written, and
// the file ends exactly as if the history had been written into a new one.
TEST(RewriteTest, KeepsTheRowsARewriteRepeatsAndEndsAsAFreshWrite)
{
    const int n = 3 * int(RowMirror::kBlockRows) + 77;
    const std::vector<Draw> base = randomDraws(n, 160000001, 3, 2);
    struct Case
    {
        const char *name;
        std::function<void(std::vector<Draw> &)> change;
        int64_t mostChanges; // rows of Lishi and the side tables the rewrite may touch
    };
    const std::vector<Case> cases = {
        {"the same draws", [](auto &) {}, 0},
        {"new draws after the newest",
         [](auto &d) {
             for (const Draw &draw : randomDraws(30, d.back().sqqh + 2, 9, 2))
                 d.push_back(draw);
         },
         30},
        {"other digits in the middle", [&](auto &d) { d[size_t(n / 2)].digits[2] ^= 1; },
         2 * (n - n / 2)},
        {"the newest draws gone", [](auto &d) { d.resize(d.size() - 40); }, 40},
        {"a draw missing in the middle", [&](auto &d) { d.erase(d.begin() + n - 10); }, 20},
        {"a draw between two stored ones",
         [&](auto &d) {
             d.insert(d.begin() + n - 5, Draw{d[size_t(n - 5)].sqqh - 1, {1, 2, 3, 4, 5}});
         },
         12},
        {"another segment base from the middle on",
         [&](auto &d) {
             for (size_t i = size_t(n) - 100; i < d.size(); ++i)
                 d[i].segmentBase = 0;
         },
         -1},
        {"an issue stored twice, its second draw changed",
         [&](auto &d) {
             d.insert(d.begin() + n - 20, d[size_t(n - 21)]);
             d[size_t(n - 20)].digits[0] ^= 1;
         },
         44},
        {"the first draw changed", [](auto &d) { d[0].digits[4] ^= 1; }, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Draw> changed = base;
        c.change(changed);
        Rewrite rewrite(Game::standard());
        // An issue stored twice in the history being replaced, too.
        std::vector<Draw> stored = base;
        if (std::string(c.name).find("twice") != std::string::npos)
            stored.insert(stored.begin() + n - 20, base[size_t(n - 21)]);
        rewrite.write(recordsOf(stored));
        rewrite.write(recordsOf(changed));
        rewrite.expectAsNew(recordsOf(changed));
        if (c.mostChanges >= 0)
            EXPECT_LE(rewrite.changes, c.mostChanges + 30); // and the compact copy's blocks
    }
}

// The dates of a game numbered by year are part of the row; the rebuild's earlier-draw texts and a
// change by another tool make the stored rows other than a run derives, and a rewrite then writes
// every row, as it always did.
TEST(RewriteTest, RowsNotDerivedAsARunWritesThemAreWrittenAgain)
{
    const Game daily = *Game::make(1, IssueForm::YearSequence4);
    std::vector<Draw> draws = randomDraws(300, 2001001, 5, 1, true);
    {
        Rewrite rewrite(daily);
        rewrite.write(recordsOf(draws));
        std::vector<Draw> redated = draws;
        redated[150].date += 1;
        rewrite.write(recordsOf(redated));
        EXPECT_LE(rewrite.changes, 4 * 150 + 30); // rows and dates from the redated draw on
        rewrite.expectAsNew(recordsOf(redated));
    }
    {
        Rewrite rewrite(daily);
        rewrite.write(recordsOf(draws, true));
        rewrite.write(recordsOf(draws));
        rewrite.expectAsNew(recordsOf(draws));
        rewrite.write(recordsOf(draws, true));
        rewrite.expectAsNew(recordsOf(draws, true));
    }
    for (const char *otherTool : {"UPDATE Lishi SET bolOk = 1 WHERE SQQH = 2001009",
                                  "UPDATE Lishi SET L3AP = 7 WHERE SQQH = 2001009"}) {
        SCOPED_TRACE(otherTool);
        Rewrite rewrite(daily);
        rewrite.write(recordsOf(draws));
        ASSERT_TRUE(rewrite.store.db()->sql().exec(otherTool));
        rewrite.write(recordsOf(draws));
        EXPECT_GE(rewrite.changes, 2 * int64_t(draws.size()));
        rewrite.expectAsNew(recordsOf(draws));
    }
    {
        // Draws entered one by one into a new history are derived too: reading the file in
        // afterwards writes only what it adds.
        Rewrite rewrite(daily);
        rewrite.open();
        for (size_t i = 0; i < 20; ++i) {
            DrawRun run = rewrite.store.continueRun();
            std::vector<DrawRecord> entered{run.append(draws[i].sqqh, draws[i].digits, 1)};
            entered.back().date = draws[i].date;
            ASSERT_TRUE(rewrite.store.append(entered));
        }
        rewrite.write(recordsOf(draws));
        EXPECT_LE(rewrite.changes, 2 * int64_t(draws.size() - 20) + 30);
        rewrite.expectAsNew(recordsOf(draws));
    }
    {
        // A draw entered among stored ones keeps the newest as its previous draw.
        Rewrite rewrite(daily);
        std::vector<Draw> gapped = draws;
        gapped.erase(gapped.begin() + 100);
        rewrite.write(recordsOf(gapped));
        DrawRun run = rewrite.store.continueRun();
        std::vector<DrawRecord> entered{run.append(draws[100].sqqh, draws[100].digits, 1)};
        entered.back().date = draws[100].date;
        ASSERT_TRUE(rewrite.store.append(entered));
        rewrite.write(recordsOf(draws));
        rewrite.expectAsNew(recordsOf(draws));
    }
}
