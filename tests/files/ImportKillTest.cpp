#include "FilesTestSupport.h"
#include "Game.h"
#include "HistoryTextReader.h"

#include <QFileInfo>

#include <QProcess>

#include <chrono>
#include <thread>

using namespace quorlent;
using quorlent::testing::writeBytes;

namespace {

// The original game: these draws are numbered by its issues.
constexpr Game kGame = Game::standard();

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kOldDraws = 2000;
constexpr int kNewLines = 300000;

// A child running a writer (an import, or a compaction with "--compact"), killed unless it has
// finished by then: SIGKILL on Linux, TerminateProcess on Windows, neither of which lets it tidy up.
class WriterChild
{
public:
    explicit WriterChild(const QStringList &arguments)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(QUORLENT_IMPORT_CHILD), arguments);
        m_started = m_process.waitForStarted(60000);
    }
    ~WriterChild() { kill(); }

    bool started() const { return m_started; }
    // Whether it has ended by itself.
    bool finished()
    {
        if (!m_done && m_process.state() != QProcess::NotRunning)
            m_process.waitForFinished(0);
        if (!m_done && m_process.state() == QProcess::NotRunning) {
            m_done = true;
            m_exitedOk = m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
        }
        return m_done;
    }
    bool exitedOk() const { return m_exitedOk; }
    void kill()
    {
        if (!m_started || finished())
            return;
        m_process.kill();
        m_process.waitForFinished(-1);
        m_done = true;
    }

private:
    QProcess m_process;
    bool m_started = false;
    bool m_done = false;
    bool m_exitedOk = false;
};

class ImportChild : public WriterChild
{
public:
    ImportChild(const QString &db, const QString &history) : WriterChild({db, history}) {}
};

std::vector<HistoryRow> rowsOf(const std::vector<DrawRecord> &records)
{
    std::vector<HistoryRow> rows;
    rows.reserve(records.size());
    for (const DrawRecord &record : records)
        rows.push_back(HistoryRow::fromRecord(record));
    return rows;
}

} // namespace

class ImportKillTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        ASSERT_TRUE(s_dir->isValid());

        // The history already stored: known draws of 2015.
        {
            HistoryStore store;
            store.open(s_dir->filePath("template.mdb"));
            DrawRun run;
            std::vector<DrawRecord> records;
            int32_t sqqh = 150301001;
            for (int i = 0; i < kOldDraws; ++i, sqqh = kGame.next(sqqh, QDate()))
                records.push_back(run.append(sqqh, {uint8_t(i % 10), 7, uint8_t(i % 3), 0, 9}, 1));
            ASSERT_TRUE(store.append(records));
            s_oldRows = new std::vector<HistoryRow>(store.rows());
        }

        // The file to import: 300,000 draws from 2010 on.
        QByteArray text;
        text.reserve(kNewLines * 17);
        uint32_t state = 12345;
        int32_t sqqh = 100101001;
        for (int i = 0; i < kNewLines; ++i, sqqh = kGame.next(sqqh, QDate())) {
            text += kGame.storedText(sqqh).toLatin1();
            text += ' ';
            for (int p = 0; p < kPositions; ++p) {
                state = state * 1103515245u + 12345u;
                text += char('0' + (state >> 16) % 10);
            }
            text += "\r\n";
        }
        writeBytes(s_dir->filePath("big.txt"), text);

        DrawRun run;
        std::vector<DrawRecord> records;
        for (const HistoryLine &line : HistoryTextReader::parse(text, LineMode::Import).lines)
            records.push_back(run.append(line.sqqh, line.digits, 1));
        s_newRows = new std::vector<HistoryRow>(rowsOf(records));
        ASSERT_EQ(s_newRows->size(), size_t(kNewLines));
    }

    static void TearDownTestSuite()
    {
        delete s_oldRows;
        delete s_newRows;
        delete s_dir;
    }

    // A fresh copy of the database that holds the old history.
    QString freshDatabase(const QString &name)
    {
        const QString path = s_dir->filePath(name);
        QFile::remove(path);
        QFile::remove(path + "-journal"); // a journal must never meet a file it does not belong to
        EXPECT_TRUE(QFile::copy(s_dir->filePath("template.mdb"), path));
        return path;
    }

    enum class Found
    {
        Old,
        New,
        Neither
    };
    friend std::ostream &operator<<(std::ostream &out, Found found)
    {
        const char *const names[] = {"the old history", "the new history", "neither history"};
        return out << names[int(found)];
    }

    // Opens the database as the program would after the crash and says which history it holds.
    Found inspect(const QString &path)
    {
        HistoryStore store;
        const auto opened = store.open(path);
        EXPECT_EQ(opened.status, HistoryDb::OpenStatus::Opened) << opened.message.toStdString();
        if (!store.isOpen())
            return Found::Neither;
        EXPECT_EQ(store.db()->sql().queryInt("SELECT count(*) FROM pragma_integrity_check "
                                             "WHERE integrity_check <> 'ok'"),
                  0);
        const int64_t onDisk = store.db()->sql().queryInt("SELECT count(*) FROM Lishi", -1);
        if (store.rows() == *s_oldRows && onDisk == kOldDraws)
            return Found::Old;
        if (store.rows() == *s_newRows && onDisk == kNewLines)
            return Found::New;
        return Found::Neither;
    }

    static QTemporaryDir *s_dir;
    static std::vector<HistoryRow> *s_oldRows;
    static std::vector<HistoryRow> *s_newRows;
};

QTemporaryDir *ImportKillTest::s_dir = nullptr;
std::vector<HistoryRow> *ImportKillTest::s_oldRows = nullptr;
std::vector<HistoryRow> *ImportKillTest::s_newRows = nullptr;

TEST_F(ImportKillTest, AnImportLeftToFinishStoresTheNewHistory)
{
    const QString db = freshDatabase("finished.mdb");
    ImportChild child(db, s_dir->filePath("big.txt"));
    ASSERT_TRUE(child.started());
    const auto deadline = Clock::now() + std::chrono::seconds(120);
    while (!child.finished() && Clock::now() < deadline)
        std::this_thread::sleep_for(milliseconds(10));
    ASSERT_TRUE(child.finished());
    EXPECT_TRUE(child.exitedOk());
    EXPECT_EQ(inspect(db), Found::New);
}

TEST_F(ImportKillTest, AKilledImportLeavesTheOldHistoryOrTheNewOne)
{
    // Killed while the file is still being read; after the write transaction has begun (its
    // journal exists from the first change on); and once the new pages reach the database file,
    // when only the journal can bring the old history back.
    enum class After
    {
        Start,
        Journal,
        FileWrite
    };
    struct Moment
    {
        After after;
        int delayMs;
    };
    const Moment moments[] = {{After::Start, 30},    {After::Journal, 0},   {After::Journal, 150},
                              {After::FileWrite, 0}, {After::FileWrite, 5}, {After::FileWrite, 40}};
    const char *const names[] = {"start", "journal", "file write"};

    int killedInsideTransaction = 0;
    int rolledBack = 0;
    for (const Moment &moment : moments) {
        SCOPED_TRACE(::testing::Message()
                     << names[int(moment.after)] << " + " << moment.delayMs << " ms");
        const QString db = freshDatabase("killed.mdb");
        const QString journal = db + "-journal";
        const qint64 oldSize = QFileInfo(db).size();
        ImportChild child(db, s_dir->filePath("big.txt"));
        ASSERT_TRUE(child.started());

        const auto reached = [&] {
            switch (moment.after) {
            case After::Start:
                return true;
            case After::Journal:
                return QFileInfo::exists(journal);
            case After::FileWrite:
                return QFileInfo(db).size() != oldSize;
            }
            return true;
        };
        const auto deadline = Clock::now() + std::chrono::seconds(120);
        while (!reached() && !child.finished() && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        std::this_thread::sleep_for(milliseconds(moment.delayMs));
        child.kill();

        // Removing the journal is the commit: if it outlived the child, nothing was committed.
        const bool inside = QFileInfo::exists(journal);
        const bool fileChanged = QFileInfo(db).size() != oldSize;
        killedInsideTransaction += inside ? 1 : 0;
        rolledBack += inside && fileChanged ? 1 : 0;

        const Found found = inspect(db);
        EXPECT_NE(found, Found::Neither);
        if (inside) {
            EXPECT_EQ(found, Found::Old);
        }
    }
    // The kills must have hit the transaction, once at least after the file had been written,
    // or this test proved nothing.
    EXPECT_GE(killedInsideTransaction, 3);
    EXPECT_GE(rolledBack, 1);
}


TEST_F(ImportKillTest, AKilledCompactionLeavesTheHistoryWhole)
{
    // The compaction writes VarniboTmp.mdb, copies it beside the history and moves the copy over
    // it. Killed while the compacted copy is written, while it is copied, and once the move may
    // have happened: each time the history file must open whole, with every draw.
    const QString full = s_dir->filePath("full.mdb");
    if (!QFileInfo::exists(full)) {
        const QString db = freshDatabase("full.mdb");
        ImportChild import(db, s_dir->filePath("big.txt"));
        ASSERT_TRUE(import.started());
        const auto deadline = Clock::now() + std::chrono::seconds(120);
        while (!import.finished() && Clock::now() < deadline)
            std::this_thread::sleep_for(milliseconds(10));
        ASSERT_TRUE(import.exitedOk());
    }
    enum class After
    {
        CompactCopy,
        Staging,
        StagingGone
    };
    const After moments[] = {After::CompactCopy, After::Staging, After::Staging, After::StagingGone};
    int killedWhileCopying = 0;
    for (const After moment : moments) {
        SCOPED_TRACE(int(moment));
        QTemporaryDir folder;
        const QString db = folder.filePath("Varnibo.mdb");
        const QString staging = db + ".new";
        ASSERT_TRUE(QFile::copy(full, db));
        WriterChild child({QStringLiteral("--compact"), db});
        ASSERT_TRUE(child.started());
        const auto reached = [&] {
            switch (moment) {
            case After::CompactCopy:
                return QFileInfo::exists(folder.filePath("VarniboTmp.mdb"));
            case After::Staging:
                return QFileInfo::exists(staging);
            case After::StagingGone:
                return QFileInfo::exists(folder.filePath("VarniboTmp.mdb")) && !QFileInfo::exists(staging) &&
                       QFileInfo(folder.filePath("VarniboTmp.mdb")).size() > 0;
            }
            return true;
        };
        const auto deadline = Clock::now() + std::chrono::seconds(120);
        while (!reached() && !child.finished() && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        child.kill();
        killedWhileCopying += QFileInfo::exists(staging) ? 1 : 0;

        HistoryStore store;
        const auto opened = store.open(db);
        ASSERT_EQ(opened.status, HistoryDb::OpenStatus::Opened) << opened.message.toStdString();
        EXPECT_EQ(store.db()->sql().queryInt("SELECT count(*) FROM pragma_integrity_check "
                                             "WHERE integrity_check <> 'ok'"),
                  0);
        EXPECT_EQ(store.rows(), *s_newRows);
        EXPECT_EQ(store.db()->sql().queryInt("SELECT count(*) FROM Lishi", -1), kNewLines);
    }
    // A kill must have landed while the copy was being made beside the history, or this test
    // proved nothing about the replacement.
    EXPECT_GE(killedWhileCopying, 1);
}
