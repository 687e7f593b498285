#include "RowMirror.h"
#include "HistoryStore.h"
#include "RowBlock.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using namespace quorlent;

namespace {

// Codes no writer of this program derives: what another tool might have left in a file.
DrawCodes oddCodes(std::mt19937 &rng)
{
    DrawCodes codes;
    for (PositionValues &values : codes.byKind) {
        for (uint8_t &v : values)
            v = uint8_t(rng() % 256);
    }
    return codes;
}

Digits randomDigits(std::mt19937 &rng)
{
    Digits digits{};
    for (uint8_t &d : digits)
        d = uint8_t(rng() % 10);
    return digits;
}

// Some rows written with the other segment base; `step` 2 leaves every other issue free.
std::vector<DrawRecord> records(int count, int32_t first, unsigned seed, int step = 1)
{
    std::mt19937 rng(seed);
    DrawRun run;
    std::vector<DrawRecord> out;
    for (int i = 0; i < count; ++i)
        out.push_back(run.append(first + i * step, randomDigits(rng), int(rng() % 7 == 0 ? 0 : 1)));
    return out;
}

// The file as one written before the compact copy existed.
void dropCopy(const QString &path)
{
    auto db = SqliteDb::open(path.toStdString(), SQLITE_OPEN_READWRITE);
    ASSERT_TRUE(db->exec("DROP TRIGGER LishiYasuoZeng; DROP TRIGGER LishiYasuoShan; "
                         "DROP TRIGGER LishiYasuoGai; DROP TABLE LishiYasuo"));
}

// The rows read from Lishi itself, from a copy of the file without the compact copy.
std::vector<HistoryRow> scannedRows(const QString &path)
{
    QTemporaryDir dir;
    const QString copy = dir.filePath("copy.mdb");
    EXPECT_TRUE(QFile::copy(path, copy));
    dropCopy(copy);
    return HistoryDb::openOrCreate(copy).db->loadRows();
}

// The rows an opening reads, and whether it found the compact copy in step (and left it so).
std::vector<HistoryRow> reopenedRows(const QString &path, bool *copyInStep = nullptr)
{
    auto db = HistoryDb::openOrCreate(path).db;
    if (copyInStep)
        *copyInStep = RowMirror(db->sql()).load(0).has_value();
    std::vector<HistoryRow> rows = db->loadRows();
    EXPECT_TRUE(RowMirror(db->sql()).size().has_value()) << "the opening writes the copy anew";
    return rows;
}

} // namespace

TEST(RowBlockTest, RoundTripsEveryKindOfRowCompactly)
{
    std::mt19937 rng(26);
    std::vector<HistoryRow> rows;
    int32_t sqqh = 160908001;
    for (int i = 0; i < 3000; ++i) {
        HistoryRow row;
        sqqh += int32_t(rng() % 9) - 2; // repeated and falling issues too
        row.sqqh = i == 7 ? INT32_MIN : i == 8 ? INT32_MAX : sqqh;
        row.own =
            rng() % 20 ? DrawCodes::fromDigits(randomDigits(rng), int(rng() % 2)) : oddCodes(rng);
        switch (rng() % 5) {
        case 0:
            row.previous = DrawCodes::fromDigits(randomDigits(rng), int(rng() % 2));
            break;
        case 1:
            row.previous = oddCodes(rng);
            break;
        case 2:
            row.previous = DrawCodes{};
            break;
        default:
            row.previous = rows.empty() ? DrawCodes{} : rows.back().own;
        }
        row.hasPrevious = rng() % 3 != 0;
        rows.push_back(row);
    }
    std::vector<HistoryRow> decoded;
    for (size_t at = 0; at < rows.size(); at += 700) {
        const auto block = std::span(rows).subspan(at, std::min<size_t>(700, rows.size() - at));
        ASSERT_TRUE(RowBlock::decode(RowBlock::encode(block), block.size(), decoded));
    }
    EXPECT_EQ(decoded, rows);

    // A block that is not what it says is refused whole.
    const std::string bytes = RowBlock::encode(std::span(rows).first(100));
    for (const auto &[text, count] :
         {std::pair{bytes.substr(0, bytes.size() - 1), size_t(100)}, std::pair{bytes, size_t(99)},
          std::pair{bytes, size_t(101)}}) {
        EXPECT_FALSE(RowBlock::decode(text, count, decoded));
        EXPECT_EQ(decoded.size(), rows.size());
    }

    // A day's draws as every writer stores them: five bytes a draw, the first issue whole.
    std::vector<HistoryRow> day;
    for (const DrawRecord &record : records(120, 160908001, 1))
        day.push_back(HistoryRow::fromRecord(record));
    EXPECT_LE(RowBlock::encode(day).size(), 5 * day.size() + 8);
}

TEST(RowMirrorTest, EveryWriterKeepsTheCopyInStep)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Varnibo.mdb");
    HistoryStore store;
    store.open(path);
    auto expectInStep = [&](const char *after) {
        SCOPED_TRACE(after);
        bool inStep = false;
        EXPECT_EQ(reopenedRows(path, &inStep), store.rows());
        EXPECT_TRUE(inStep);
        EXPECT_EQ(scannedRows(path), store.rows());
    };
    // Two whole blocks and part of a third.
    ASSERT_TRUE(store.replaceAll(records(int(RowMirror::kBlockRows) * 2 + 700, 160000001, 1, 2)));
    expectInStep("replacing the history");

    DrawRun run = store.continueRun();
    std::vector<DrawRecord> more;
    for (int i = 0; i < 4000; ++i) // across the next block's start
        more.push_back(run.append(store.newest()->sqqh + 1 + i, {1, 2, 3, 4, uint8_t(i % 10)}, 1));
    ASSERT_TRUE(store.append(more));
    expectInStep("appending in order");

    DrawRun early;
    const DrawRecord before = early.append(150000001, {9, 9, 9, 9, 9}, 0);
    ASSERT_TRUE(store.append(std::span(&before, 1)));
    expectInStep("appending an issue before all others");

    const int32_t middle = store.rows()[RowMirror::kBlockRows - 1].sqqh;
    const std::vector<DatedDraw> added{{middle + 1, {5, 5, 5, 5, 5}, 0}};
    // The correction after the added draw is its row's and the next one's, across a block's end.
    ASSERT_TRUE(store.mergeDraws(added, {}, 1));
    expectInStep("adding a draw in the middle");
    ASSERT_TRUE(store.correctDraw(RowMirror::kBlockRows - 1, {0, 1, 0, 1, 0}, 0));
    expectInStep("correcting the last draw of a block");

    ASSERT_TRUE(store.deleteNewest());
    expectInStep("deleting the newest draw");
    ASSERT_TRUE(store.clear());
    expectInStep("clearing the history");
}

TEST(RowMirrorTest, AnotherWriterEmptiesTheCopyAndTheNextOpeningReadsLishi)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Varnibo.mdb");
    {
        HistoryStore store;
        store.open(path);
        ASSERT_TRUE(store.replaceAll(records(500, 160908001, 2)));
    }
    auto other = SqliteDb::open(path.toStdString(), SQLITE_OPEN_READWRITE);
    // The search statements' work column changes nothing the rows hold: the copy stays.
    ASSERT_TRUE(other->exec("UPDATE Lishi SET intTh = intTh + 1"));
    bool inStep = false;
    reopenedRows(path, &inStep);
    EXPECT_TRUE(inStep);

    // Codes no writer of ours would store, and a row added and one removed by hand.
    ASSERT_TRUE(other->exec("UPDATE Lishi SET L2A = 9, L2B = 7 WHERE SQQH = 160908100"));
    ASSERT_TRUE(other->exec("INSERT INTO Lishi(SQQH, QQH, L1A, txtHisLst) "
                            "VALUES(160908250, 160908251, 8, '12345')"));
    ASSERT_TRUE(other->exec("DELETE FROM Lishi WHERE SQQH = 160908300"));
    const std::vector<HistoryRow> rows = reopenedRows(path, &inStep);
    EXPECT_FALSE(inStep);
    ASSERT_EQ(rows.size(), 500u);
    EXPECT_EQ(rows, scannedRows(path));
    const HistoryRow &changed = rows[99];
    EXPECT_EQ(changed.sqqh, 160908100);
    EXPECT_EQ(changed.own[Kind::Number][1], 9);
    EXPECT_EQ(changed.own[Kind::BigSmall][1], 7);
    // Read again from the copy written at that opening: the odd codes kept whole.
    EXPECT_EQ(reopenedRows(path, &inStep), rows);
    EXPECT_TRUE(inStep);

    // A writer whose triggers do not fire is still caught by the row it adds.
    {
        TriggersOff quiet(*other);
        ASSERT_TRUE(
            other->exec("INSERT INTO Lishi(SQQH, QQH, L1A) VALUES(160908001, 160908002, 3)"));
    }
    EXPECT_EQ(reopenedRows(path, &inStep).size(), 501u);
    EXPECT_FALSE(inStep);
}

TEST(RowMirrorTest, AFileWithoutTheCopyIsReadFromLishiAndGetsOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Varnibo.mdb");
    std::vector<HistoryRow> written;
    {
        HistoryStore store;
        store.create(path, *Game::make(1, IssueForm::YearSequence4), QStringLiteral("每日"));
        std::vector<DrawRecord> dated = records(300, 26001, 3);
        for (size_t i = 0; i < dated.size(); ++i)
            dated[i].date = 20260101 + int32_t(i % 28);
        ASSERT_TRUE(store.replaceAll(dated));
        written = store.rows();
    }
    dropCopy(path);
    bool inStep = true;
    EXPECT_EQ(reopenedRows(path, &inStep), written);
    EXPECT_FALSE(inStep);
    EXPECT_EQ(reopenedRows(path, &inStep), written) << "the dates kept beside Lishi too";
    EXPECT_TRUE(inStep);
}
