#include "DatabaseCompactor.h"
#include "FilesTestSupport.h"
#include "Game.h"

#include <QFileInfo>

using namespace quorlent;
using quorlent::testing::ProgramFolder;
using quorlent::testing::writeBytes;

namespace {

// The original game: these draws are numbered by its issues.
constexpr Game kGame = Game::standard();

} // namespace

class CompactorTest : public ProgramFolder
{
protected:
    std::vector<DrawRecord> seedDays(int days)
    {
        DrawRun run = m_store.continueRun();
        std::vector<DrawRecord> records;
        int32_t sqqh = 160101001;
        for (int i = 0; i < days * 120; ++i, sqqh = kGame.next(sqqh, QDate()))
            records.push_back(
                run.append(sqqh, {uint8_t(i % 10), uint8_t(i / 10 % 10), 1, 2, 3}, 1));
        EXPECT_TRUE(m_store.append(records));
        return records;
    }

    QString copyPath() const { return file("VarniboTmp.mdb"); }

    // No journal, no half-made copy: only the database and its compacted copy.
    void expectOnlyTheDatabaseAndItsCopy()
    {
        EXPECT_EQ(QDir(m_folder).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                  (QStringList{"Varnibo.mdb", "VarniboTmp.mdb"}));
    }

    std::vector<HistoryRow> rowsIn(const QString &path)
    {
        HistoryStore other;
        const auto opened = other.open(path);
        EXPECT_EQ(opened.status, HistoryDb::OpenStatus::Opened) << path.toStdString();
        return other.rows();
    }
};

TEST_F(CompactorTest, ShrinksTheFileKeepsACopyAndWorksTwiceInARow)
{
    const std::vector<DrawRecord> records = seedDays(30);
    // Freed pages stay in the file until it is compacted.
    ASSERT_TRUE(m_store.replaceAll(std::span(records).first(600)));
    const std::vector<HistoryRow> rows = m_store.rows();
    const qint64 before = QFileInfo(dbPath()).size();

    const FileOpResult first = compactDatabase(m_store);
    ASSERT_TRUE(first.ok) << first.message.toStdString();
    EXPECT_TRUE(first.compacted);
    EXPECT_FALSE(first.message.isEmpty());
    EXPECT_TRUE(m_store.isOpen());
    EXPECT_EQ(m_store.rows(), rows);
    EXPECT_LT(QFileInfo(dbPath()).size(), before * 3 / 4);
    EXPECT_EQ(rowsIn(dbPath()), rows);
    EXPECT_EQ(rowsIn(copyPath()), rows);
    expectOnlyTheDatabaseAndItsCopy();

    // The reopened file takes new draws, and a second compaction replaces the old copy.
    DrawRun run = m_store.continueRun();
    const DrawRecord next = run.append(kGame.next(rows.back().sqqh, QDate()), {9, 9, 9, 9, 9}, 1);
    ASSERT_TRUE(m_store.append(std::span(&next, 1)));
    const FileOpResult second = compactDatabase(m_store);
    ASSERT_TRUE(second.ok) << second.message.toStdString();
    EXPECT_EQ(rowsIn(dbPath()), m_store.rows());
    EXPECT_EQ(rowsIn(copyPath()), m_store.rows());
    EXPECT_EQ(m_store.size(), rows.size() + 1);
    expectOnlyTheDatabaseAndItsCopy();
}

TEST_F(CompactorTest, AFailedCompactionLeavesTheDatabaseInPlaceAndUsable)
{
    seedDays(2);
    const std::vector<HistoryRow> rows = m_store.rows();
    // A folder in the way of the copy: the old copy cannot be deleted.
    ASSERT_TRUE(QDir(m_folder).mkpath("VarniboTmp.mdb/inside"));

    const FileOpResult result = compactDatabase(m_store);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.compacted);
    EXPECT_FALSE(result.message.isEmpty());
    ASSERT_TRUE(m_store.isOpen());
    EXPECT_EQ(m_store.rows(), rows);
    EXPECT_EQ(rowsOnDisk(), rows);
    ASSERT_TRUE(m_store.deleteNewest());
    EXPECT_EQ(rowsOnDisk(), m_store.rows());
    EXPECT_EQ(QDir(m_folder).entryList(QDir::Files | QDir::Hidden), QStringList{"Varnibo.mdb"});

    // Once the way is clear it compacts again.
    ASSERT_TRUE(QDir(copyPath()).removeRecursively());
    EXPECT_TRUE(compactDatabase(m_store).ok);
    EXPECT_EQ(rowsOnDisk(), m_store.rows());
}

TEST_F(CompactorTest, ADamagedFileIsLeftAsItIs)
{
    seedDays(30);
    m_store.takeDb().reset();
    // Scribble over the head of a page in the middle of the file, as a failing disk might.
    {
        QFile db(dbPath());
        ASSERT_TRUE(db.open(QIODevice::ReadWrite));
        const QByteArray header = db.read(100);
        const int sizeField = (uchar(header[16]) << 8) | uchar(header[17]);
        const qint64 pageSize = sizeField == 1 ? 65536 : sizeField;
        const qint64 pages = db.size() / pageSize;
        ASSERT_GT(pages, 4);
        ASSERT_TRUE(db.seek(pages / 2 * pageSize));
        db.write(QByteArray(1000, '\x7f'));
    }
    const QByteArray damaged = quorlent::testing::readBytes(dbPath());
    m_store.open(dbPath());
    ASSERT_TRUE(m_store.isOpen());

    const FileOpResult result = compactDatabase(m_store);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.isEmpty());
    EXPECT_TRUE(m_store.isOpen());
    // Compacting would keep only what can still be read; the file stays for repair instead.
    EXPECT_EQ(quorlent::testing::readBytes(dbPath()), damaged);
    EXPECT_FALSE(QFileInfo::exists(copyPath()));
}

TEST_F(CompactorTest, WithoutAnOpenDatabaseThereIsNothingToDo)
{
    HistoryStore closed;
    const FileOpResult result = compactDatabase(closed);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.isEmpty());
    EXPECT_FALSE(closed.isOpen());
}
