#include "HistoryStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorlent;

namespace {

QByteArray digest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

std::vector<DrawRecord> dailyRun(const Game &game, int year, int first, int count, int32_t date)
{
    DrawRun run;
    std::vector<DrawRecord> records;
    for (int i = 0; i < count; ++i) {
        records.push_back(
            run.append(game.issueOfYear(year, first + i), {1, 2, 3, 4, uint8_t(i % 10)}, 1));
        records.back().date = date + i;
    }
    return records;
}

} // namespace

TEST(HistoryGameTest, AFileWrittenBeforeGamesIsTheOriginalGameAndOpeningLeavesItAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Varnibo.mdb");
    {
        auto db = HistoryDb::openOrCreate(path).db;
        DrawRun run;
        std::vector<DrawRecord> records{run.append(160908119, {1, 2, 3, 4, 5}, 1),
                                        run.append(160908120, {5, 4, 3, 2, 1}, 1)};
        ASSERT_TRUE(db->append(records));
    }
    const QByteArray before = digest(path);
    {
        HistoryStore store;
        store.open(path);
        EXPECT_EQ(store.game(), Game::standard());
        EXPECT_TRUE(store.name().isEmpty());
        EXPECT_EQ(store.size(), 2u);
        EXPECT_EQ(store.db()->sql().queryInt("SELECT count(*) FROM sqlite_master WHERE "
                                             "name IN ('Caizhong','Kaijiangri')"),
                  0);
    }
    EXPECT_EQ(digest(path), before);
}

TEST(HistoryGameTest, ANewHistoryKeepsItsGameAndTheDatesOfItsDraws)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("排列五.mdb");
    const Game daily = *Game::make(1, IssueForm::YearSequence4);
    {
        HistoryStore store;
        ASSERT_EQ(store.create(path, daily, QStringLiteral("排列五")).status,
                  HistoryDb::OpenStatus::Created);
        ASSERT_TRUE(store.append(dailyRun(daily, 2026, 99, 3, 20260419)));
        // The game of a history that holds draws stays; its name may change.
        EXPECT_FALSE(store.setGame(Game::standard(), QStringLiteral("排列五")));
        EXPECT_TRUE(store.setGame(daily, QStringLiteral("排列5")));
        ASSERT_TRUE(store.deleteNewest());
    }
    // Creating never replaces a file.
    HistoryStore other;
    EXPECT_NE(other.create(path, Game::standard(), QStringLiteral("x")).status,
              HistoryDb::OpenStatus::Created);

    HistoryStore store;
    store.open(path);
    EXPECT_EQ(store.game(), daily);
    EXPECT_EQ(store.name(), "排列5");
    ASSERT_EQ(store.size(), 2u);
    EXPECT_EQ(store.rows()[0].date, 20260419);
    EXPECT_EQ(store.rows()[1].date, 20260420);
    EXPECT_EQ(store.db()->sql().queryInt("SELECT count(*) FROM Kaijiangri"), 2);

    // An empty history may take another game.
    ASSERT_TRUE(store.clear());
    EXPECT_EQ(store.db()->sql().queryInt("SELECT count(*) FROM Kaijiangri"), 0);
    EXPECT_TRUE(store.setGame(*Game::make(96, IssueForm::DateSequence2), QStringLiteral("x")));
    HistoryStore again;
    again.open(path);
    EXPECT_EQ(again.game().drawsPerDay(), 96);
}

TEST(HistoryGameTest, AHistoryThatCannotBeOpenedLeavesTheOpenOneInPlace)
{
    QTemporaryDir dir;
    HistoryStore store;
    store.open(dir.filePath("Varnibo.mdb"));
    DrawRun run;
    ASSERT_TRUE(store.append(std::vector{run.append(160908001, {1, 1, 1, 1, 1}, 1)}));
    QFile foreign(dir.filePath("foreign.mdb"));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("not a history");
    foreign.close();
    EXPECT_EQ(store.open(foreign.fileName()).status, HistoryDb::OpenStatus::NotOurs);
    EXPECT_EQ(store.size(), 1u);
    EXPECT_TRUE(store.path().endsWith("Varnibo.mdb"));
}

TEST(HistoryGameTest, ACreationLeavesAWholeHistoryOrNothingAndAnEmptyFileIsReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("排列五.mdb");
    const Game daily = *Game::make(1, IssueForm::YearSequence4);
    // What a killed creation left: an empty file under the name, a half-made one beside it.
    QFile empty(path);
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    QFile half(HistoryDb::stagingPath(path));
    ASSERT_TRUE(half.open(QIODevice::WriteOnly));
    half.write("SQLite format 3");
    half.close();
    ASSERT_TRUE(HistoryDb::isLeftEmpty(path));

    {
        HistoryStore store;
        ASSERT_EQ(store.create(path, daily, QStringLiteral("排列五")).status,
                  HistoryDb::OpenStatus::Created);
        ASSERT_TRUE(store.append(dailyRun(daily, 2026, 1, 2, 20260101)));
    }
    EXPECT_FALSE(QFile::exists(HistoryDb::stagingPath(path)));
    EXPECT_TRUE(HistoryDb::isOurs(path));
    EXPECT_FALSE(HistoryDb::isLeftEmpty(path));
    {
        HistoryStore store;
        EXPECT_EQ(store.open(path).status, HistoryDb::OpenStatus::Opened);
        EXPECT_EQ(store.game(), daily);
        EXPECT_EQ(store.size(), 2u);
    }

    // A default history made where none was is whole and ours as well.
    const QString fallback = dir.filePath("Varnibo.mdb");
    EXPECT_EQ(HistoryDb::openOrCreate(fallback).status, HistoryDb::OpenStatus::Created);
    EXPECT_TRUE(HistoryDb::isOurs(fallback));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"Varnibo.mdb", "排列五.mdb"}));
}
