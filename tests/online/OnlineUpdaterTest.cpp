#include "OnlineUpdater.h"
#include "Game.h"
#include "HistoryStore.h"
#include "Printers.h"
#include "SamplePages.h"
#include "TestHttpServer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quorlent;
using test::TestHttpServer;
using Response = TestHttpServer::Response;
using namespace std::chrono_literals;

namespace {

// The original game: these draws are numbered by its issues.
constexpr Game kGame = Game::standard();

const QDate kToday(2016, 9, 8);
const QDateTime kAfternoon(kToday, QTime(15, 0));

QDate daysAgo(int days) { return kToday.addDays(-days); }

int32_t issueOf(const QDate &date, int sequence)
{
    return kGame.issueOfDay(date, sequence);
}

QList<QDate> datesFrom(int oldest, int newest = 0)
{
    QList<QDate> dates;
    for (int d = oldest; d >= newest; --d)
        dates << daysAgo(d);
    return dates;
}

// What a history holds: (issue, digits) in order.
using Draws = std::vector<std::pair<int32_t, Digits>>;

Draws sampleDraws(const QDate &date, int first, int last)
{
    Draws draws;
    for (int sequence = first; sequence <= last; ++sequence)
        draws.emplace_back(issueOf(date, sequence), test::sampleDigits(date, sequence));
    return draws;
}

Draws operator+(Draws a, const Draws &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class OnlineUpdaterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const auto opened = store.open(dir.filePath("Varnibo.mdb"));
        ASSERT_TRUE(store.isOpen()) << opened.message.toStdString();
        ASSERT_TRUE(server.start());
    }
    void TearDown() override { server.stop(); }

    OnlineUpdateSettings settings(int iniSerchDay = 6) const
    {
        OnlineUpdateSettings s;
        s.baseAddress = server.baseAddress() + "/";
        s.iniSerchDay = iniSerchDay;
        s.segmentBase = 1;
        s.pageTimeLimit = 3000ms;
        return s;
    }

    // Full days for every date of the window up to yesterday, today up to `todayLast`.
    void serveWindow(int oldest, int todayLast)
    {
        for (int d = oldest; d >= 1; --d)
            server.servePage(daysAgo(d), test::dayPage(daysAgo(d), 1, 120));
        server.servePage(kToday, test::dayPage(kToday, 1, todayLast));
    }

    void seed(const Draws &draws)
    {
        DrawRun run = store.continueRun();
        std::vector<DrawRecord> records;
        for (const auto &[sqqh, digits] : draws)
            records.push_back(run.append(sqqh, digits, 1));
        ASSERT_TRUE(store.append(records));
    }

    Draws stored() const
    {
        Draws draws;
        for (const HistoryRow &row : store.rows())
            draws.emplace_back(row.sqqh, row.digits());
        return draws;
    }

    // Runs one update to its end (bounded) and returns its result.
    OnlineUpdateResult update(const OnlineUpdateSettings &s, const QDateTime &now = kAfternoon)
    {
        OnlineUpdater updater(store);
        updater.setClock([now] { return now; });
        return run(updater, s);
    }

    OnlineUpdateResult run(OnlineUpdater &updater, const OnlineUpdateSettings &s)
    {
        QSignalSpy finished(&updater, &OnlineUpdater::finished);
        QSignalSpy progress(&updater, &OnlineUpdater::progress);
        EXPECT_TRUE(updater.start(s));
        EXPECT_TRUE(updater.isRunning());
        EXPECT_EQ(finished.count(), 0);
        EXPECT_TRUE(finished.wait(30000));
        EXPECT_FALSE(updater.isRunning());
        const OnlineUpdateResult result = updater.result();
        if (finished.count() == 1) {
            EXPECT_EQ(finished.front().at(0).toInt(), result.added);
            EXPECT_EQ(finished.front().at(1).value<QList<QDate>>(), result.failedDays);
            EXPECT_EQ(finished.front().at(2).toBool(), result.cancelled);
        }
        lastProgress.clear();
        for (const QList<QVariant> &args : progress)
            lastProgress << std::make_tuple(args.at(0).toInt(), args.at(1).toInt(),
                                            args.at(2).toDate());
        return result;
    }

    // The stored previous-draw texts of one row, straight from the database.
    QString storedPreviousDigits(int32_t sqqh)
    {
        Statement stmt = store.db()->sql().prepare("SELECT txtHisLst FROM Lishi WHERE SQQH = ?");
        stmt.bind(1, sqqh);
        EXPECT_EQ(stmt.step(), SQLITE_ROW);
        return QString::fromStdString(stmt.columnText(0));
    }

    QTemporaryDir dir;
    HistoryStore store;
    TestHttpServer server;
    QList<std::tuple<int, int, QDate>> lastProgress;
};

} // namespace

TEST_F(OnlineUpdaterTest, AnEmptyHistoryLoadsTheWholeWindowAndStoresEveryListedDraw)
{
    serveWindow(6, 90);
    OnlineUpdateSettings s = settings(6);
    s.segmentBase = 0;
    QSignalSpy appended(&store, &HistoryStore::appended);

    const OnlineUpdateResult result = update(s);

    // Seven pages, oldest first, each announced before it is loaded.
    EXPECT_EQ(server.requestedDates(), datesFrom(6));
    ASSERT_EQ(lastProgress.size(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(lastProgress[i], std::make_tuple(i, 7, daysAgo(6 - i)));

    Draws expected;
    for (int d = 6; d >= 1; --d)
        expected = expected + sampleDraws(daysAgo(d), 1, 120);
    expected = expected + sampleDraws(kToday, 1, 90);
    EXPECT_EQ(stored(), expected);
    EXPECT_EQ(result.added, static_cast<int>(expected.size()));
    EXPECT_TRUE(result.failedDays.isEmpty());
    EXPECT_FALSE(result.cancelled);
    EXPECT_FALSE(result.historyReplaced);
    EXPECT_FALSE(result.oldHistoryKept);
    // One write per page.
    EXPECT_EQ(appended.count(), 7);

    // Every row is derived with the segment base given and the draw before it, across days.
    const auto &rows = store.rows();
    EXPECT_FALSE(rows.front().hasPrevious);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].own, DrawCodes::fromDigits(rows[i].digits(), 0));
        if (i > 0) {
            ASSERT_TRUE(rows[i].hasPrevious);
            ASSERT_EQ(rows[i].previous, rows[i - 1].own) << rows[i].sqqh;
        }
    }
}

TEST_F(OnlineUpdaterTest, ANewestDrawOfTodayLoadsTwoPagesAndStoresFromTheNextSequence)
{
    seed(sampleDraws(kToday, 1, 78));
    serveWindow(6, 100);

    const OnlineUpdateResult result = update(settings(6)); // 15:00: 0.625 days, n = 1

    EXPECT_EQ(server.requestedDates(), datesFrom(1));
    EXPECT_EQ(result.added, 22);
    EXPECT_EQ(stored(), sampleDraws(kToday, 1, 100));
    EXPECT_EQ(store.rows()[78].previous, store.rows()[77].own);
    EXPECT_EQ(storedPreviousDigits(issueOf(kToday, 79)),
              digitText(test::sampleDigits(kToday, 78)).toQString());
}

TEST_F(OnlineUpdaterTest, YesterdaysLastDrawIsThePreviousDrawOfTodaysFirst)
{
    seed(sampleDraws(daysAgo(1), 1, 120));
    serveWindow(6, 3);

    const OnlineUpdateResult result = update(settings(6)); // 1.625 days: n = 2

    EXPECT_EQ(server.requestedDates(), datesFrom(2));
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(stored(), sampleDraws(daysAgo(1), 1, 120) + sampleDraws(kToday, 1, 3));
    const auto &rows = store.rows();
    EXPECT_EQ(rows[120].sqqh, 160908001);
    EXPECT_EQ(rows[120].previous, rows[119].own);
    EXPECT_EQ(storedPreviousDigits(160908001),
              digitText(test::sampleDigits(daysAgo(1), 120)).toQString());
    // The draw before the previous one is yesterday's 119th.
    Statement stmt = store.db()->sql().prepare("SELECT L1AP, L5AP FROM Lishi WHERE SQQH = 160908001");
    ASSERT_EQ(stmt.step(), SQLITE_ROW);
    EXPECT_EQ(stmt.columnInt(0), rows[118].own.digits()[0]);
    EXPECT_EQ(stmt.columnInt(1), rows[118].own.digits()[4]);
}

TEST_F(OnlineUpdaterTest, RunningTwiceStoresNothingTwice)
{
    serveWindow(6, 50);
    seed(sampleDraws(kToday, 1, 20));
    const OnlineUpdateResult first = update(settings(6));
    ASSERT_EQ(first.added, 30);
    const Draws afterFirst = stored();
    ASSERT_EQ(afterFirst, sampleDraws(kToday, 1, 50));

    server.clearRequests();
    const OnlineUpdateResult second = update(settings(6));
    EXPECT_EQ(second.added, 0);
    EXPECT_EQ(stored(), afterFirst);
    EXPECT_EQ(server.requestedDates(), datesFrom(1));

    // Later the same day the page has grown: only the new draws are added.
    server.servePage(kToday, test::dayPage(kToday, 1, 60));
    const OnlineUpdateResult third = update(settings(6), kAfternoon.addSecs(3600));
    EXPECT_EQ(third.added, 10);
    EXPECT_EQ(stored(), afterFirst + sampleDraws(kToday, 51, 60));
}

TEST_F(OnlineUpdaterTest, AWholeWindowLoadedAgainAddsNothing)
{
    // After a load of the whole window the oldest draw is more than six days old in the
    // afternoon, so the next run replaces the history with the same draws again.
    serveWindow(6, 50);
    const OnlineUpdateResult first = update(settings(6));
    ASSERT_EQ(first.added, 6 * 120 + 50);
    const Draws afterFirst = stored();

    const OnlineUpdateResult second = update(settings(6));
    EXPECT_TRUE(second.historyReplaced);
    EXPECT_EQ(second.added, 0);
    EXPECT_EQ(second.dropped, 0);
    EXPECT_EQ(stored(), afterFirst);
    for (size_t i = 1; i < store.rows().size(); ++i)
        ASSERT_EQ(store.rows()[i].previous, store.rows()[i - 1].own);

    // A page that fails after the replacement leaves its day out, and the result counts it.
    server.serveDay(daysAgo(3), {Response::error(500)});
    const OnlineUpdateResult third = update(settings(6));
    EXPECT_TRUE(third.historyReplaced);
    EXPECT_EQ(third.failedDays, QList<QDate>{daysAgo(3)});
    EXPECT_EQ(third.added, 0);
    EXPECT_EQ(third.dropped, 120);
    EXPECT_EQ(stored().size(), afterFirst.size() - 120);
}

TEST_F(OnlineUpdaterTest, PagesWithoutDrawsContributeNothingAndTheRunGoesOn)
{
    serveWindow(6, 0);                                    // today: header only, no draw yet
    server.servePage(daysAgo(4), test::pageWithoutTable()); // no table at all
    server.serveDay(daysAgo(3), {Response::error(404)});
    // Broken markup: cut off in the middle of a row; the complete rows before it count.
    const QByteArray truncated = test::dayPage(daysAgo(2), 1, 120, test::RowOrder::OldestFirst);
    const qsizetype cut = truncated.indexOf(test::issueText(daysAgo(2), 41).toUtf8()) + 13;
    server.servePage(daysAgo(2), truncated.left(cut));
    // Garbage instead of a page.
    server.servePage(daysAgo(1), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR<<>>", 20));

    const OnlineUpdateResult result = update(settings(6));

    EXPECT_EQ(server.requestedDates(), datesFrom(6));
    EXPECT_EQ(stored(),
              sampleDraws(daysAgo(6), 1, 120) + sampleDraws(daysAgo(5), 1, 120) +
                  sampleDraws(daysAgo(2), 1, 40));
    EXPECT_EQ(result.added, 280);
    EXPECT_EQ(result.failedDays, (QList<QDate>{daysAgo(4), daysAgo(3), daysAgo(1)}));
    EXPECT_EQ(result.failureReasons.size(), 3);
    EXPECT_FALSE(result.restartsExhausted);
}

TEST_F(OnlineUpdaterTest, ATableWithoutRowsStartsTheDaysOverABoundedNumberOfTimes)
{
    serveWindow(6, 20);
    // The site rebuilds its table for a moment, then serves it again.
    server.serveDay(daysAgo(4), {Response::page(test::emptyTablePage()),
                                 Response::page(test::dayPage(daysAgo(4), 1, 120))});

    OnlineUpdateResult result = update(settings(6));

    EXPECT_EQ(server.requestedDates(), datesFrom(6, 4) + datesFrom(6));
    Draws expected;
    for (int d = 6; d >= 1; --d)
        expected = expected + sampleDraws(daysAgo(d), 1, 120);
    EXPECT_EQ(stored(), expected + sampleDraws(kToday, 1, 20));
    EXPECT_EQ(result.added, 6 * 120 + 20);
    EXPECT_TRUE(result.failedDays.isEmpty());
    EXPECT_FALSE(result.restartsExhausted);

    // A table that stays empty: three restarts, then the update ends with what it stored.
    store.clear();
    server.clearRequests();
    server.serveDay(daysAgo(4), {Response::page(test::emptyTablePage())});
    OnlineUpdateSettings s = settings(6);
    s.maxRestarts = 3;
    result = update(s);

    EXPECT_EQ(server.requestedDates(),
              datesFrom(6, 4) + datesFrom(6, 4) + datesFrom(6, 4) + datesFrom(6, 4));
    EXPECT_EQ(stored(), sampleDraws(daysAgo(6), 1, 120) + sampleDraws(daysAgo(5), 1, 120));
    EXPECT_EQ(result.added, 240);
    EXPECT_TRUE(result.restartsExhausted);
    EXPECT_EQ(result.failedDays, QList<QDate>{daysAgo(4)});
}

TEST_F(OnlineUpdaterTest, AnOldHistoryIsReplacedOnlyByDrawsThatArrived)
{
    const Draws old = sampleDraws(QDate(2016, 8, 20), 1, 120);
    seed(old);

    // Every page fails: the old history stays and the result says so.
    const OnlineUpdateResult failedRun = update(settings(6));
    EXPECT_EQ(server.requestedDates(), datesFrom(6)); // measured from the emptied history
    EXPECT_EQ(stored(), old);
    EXPECT_EQ(failedRun.added, 0);
    EXPECT_EQ(failedRun.failedDays, datesFrom(6));
    EXPECT_TRUE(failedRun.oldHistoryKept);
    EXPECT_FALSE(failedRun.historyReplaced);

    // Pages with no new draw keep it as well.
    for (int d = 6; d >= 0; --d)
        server.servePage(daysAgo(d), test::dayPage(daysAgo(d), 1, 0));
    EXPECT_TRUE(update(settings(6)).oldHistoryKept);
    EXPECT_EQ(stored(), old);

    // The first pages still have no draw, the rest do: the old draws go in the write of the
    // first page with draws, and the new history starts without a previous draw.
    serveWindow(3, 30);
    QSignalSpy reset(&store, &HistoryStore::resetDone);
    QSignalSpy appended(&store, &HistoryStore::appended);
    const OnlineUpdateResult result = update(settings(6));
    EXPECT_TRUE(result.historyReplaced);
    EXPECT_FALSE(result.oldHistoryKept);
    const Draws expected = sampleDraws(daysAgo(3), 1, 120) + sampleDraws(daysAgo(2), 1, 120) +
                           sampleDraws(daysAgo(1), 1, 120) + sampleDraws(kToday, 1, 30);
    EXPECT_EQ(stored(), expected);
    EXPECT_EQ(result.added, static_cast<int>(expected.size()));
    EXPECT_EQ(result.dropped, static_cast<int>(old.size()));
    EXPECT_FALSE(store.rows().front().hasPrevious);
    EXPECT_EQ(storedPreviousDigits(issueOf(daysAgo(3), 1)), QString());
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(appended.count(), 3);
}

TEST_F(OnlineUpdaterTest, APageThatNeverAnswersTimesOutAndTheRunContinues)
{
    serveWindow(2, 10);
    server.serveDay(daysAgo(1), {Response::noAnswer()});
    OnlineUpdateSettings s = settings(2);
    s.pageTimeLimit = 300ms;

    QElapsedTimer clock;
    clock.start();
    const OnlineUpdateResult result = update(s);

    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(result.failedDays, QList<QDate>{daysAgo(1)});
    EXPECT_EQ(stored(), sampleDraws(daysAgo(2), 1, 120) + sampleDraws(kToday, 1, 10));
}

TEST_F(OnlineUpdaterTest, RedirectsAreFollowedAndALoopIsAFailedDay)
{
    serveWindow(2, 10);
    server.serveDay(daysAgo(2), {Response::redirect("/archive/2016-09-06")});
    server.serve("/archive/2016-09-06", {Response::page(test::dayPage(daysAgo(2), 1, 120))});
    server.serveDay(daysAgo(1), {Response::redirect("/busy")});
    server.serve("/busy", {Response::redirect(TestHttpServer::pagePath(daysAgo(1)).toUtf8())});

    const OnlineUpdateResult result = update(settings(2));

    EXPECT_EQ(result.failedDays, QList<QDate>{daysAgo(1)});
    EXPECT_EQ(stored(), sampleDraws(daysAgo(2), 1, 120) + sampleDraws(kToday, 1, 10));
}

TEST_F(OnlineUpdaterTest, AGapEndsThePageAndIsFilledByALaterUpdate)
{
    seed(sampleDraws(kToday, 1, 10));
    QList<test::SampleRow> rows = test::dayRows(kToday, 1, 20);
    rows.removeAt(14); // sequence 15 is not listed (yet)
    server.servePage(kToday, test::resultsPage(rows));

    OnlineUpdateResult result = update(settings(6));
    EXPECT_EQ(result.added, 4);
    EXPECT_EQ(stored(), sampleDraws(kToday, 1, 14));

    server.servePage(kToday, test::dayPage(kToday, 1, 20));
    result = update(settings(6));
    EXPECT_EQ(result.added, 6);
    EXPECT_EQ(stored(), sampleDraws(kToday, 1, 20));
    for (size_t i = 1; i < store.rows().size(); ++i)
        EXPECT_EQ(store.rows()[i].previous, store.rows()[i - 1].own);
}

TEST_F(OnlineUpdaterTest, ADigitCellThatIsNotFiveDigitsStoresNothingFromItOn)
{
    seed(sampleDraws(kToday, 1, 10));
    QList<test::SampleRow> rows = test::dayRows(kToday, 1, 20);
    rows[12].digitCell = "<b>3</b> <b>A</b> <b>3</b> <b>0</b> <b>5</b>"; // sequence 13
    server.servePage(kToday, test::resultsPage(rows));

    OnlineUpdateResult result = update(settings(6));
    EXPECT_EQ(result.added, 2);
    EXPECT_EQ(stored(), sampleDraws(kToday, 1, 12));

    rows[12] = test::dayRows(kToday, 13, 13).front();
    rows[15].digitCell = "1 2 3 4"; // sequence 16
    server.servePage(kToday, test::resultsPage(rows));
    result = update(settings(6));
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(stored(), sampleDraws(kToday, 1, 15));
}

TEST_F(OnlineUpdaterTest, CancelStopsAtOnceAndKeepsWhatWasStored)
{
    serveWindow(6, 10);
    server.serveDay(daysAgo(3), {Response::noAnswer()});
    OnlineUpdater updater(store);
    updater.setClock([] { return kAfternoon; });
    OnlineUpdateSettings s = settings(6);
    s.pageTimeLimit = 20000ms;

    // Cancel while the silent page is awaited; the event loop keeps running meanwhile.
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    QObject::connect(&updater, &OnlineUpdater::progress, [&](int, int, const QDate &date) {
        if (date == daysAgo(3))
            QTimer::singleShot(200, &updater, [&] { updater.cancel(); });
    });
    QElapsedTimer clock;
    clock.start();
    const OnlineUpdateResult result = run(updater, s);

    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_GE(ticks, 5);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.added, 360);
    EXPECT_EQ(stored(), sampleDraws(daysAgo(6), 1, 120) + sampleDraws(daysAgo(5), 1, 120) +
                            sampleDraws(daysAgo(4), 1, 120));
    EXPECT_EQ(server.requestedDates(), datesFrom(6, 3));
    EXPECT_FALSE(updater.isRunning());
    updater.cancel(); // nothing running: no second finished()
}

TEST_F(OnlineUpdaterTest, StartRefusesWhileRunningOrWithoutHistory)
{
    serveWindow(1, 5);
    OnlineUpdater updater(store);
    updater.setClock([] { return kAfternoon; });
    QSignalSpy finished(&updater, &OnlineUpdater::finished);
    ASSERT_TRUE(updater.start(settings(1)));
    EXPECT_FALSE(updater.start(settings(1)));
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(updater.result().added, 125);

    HistoryStore closed;
    OnlineUpdater without(closed);
    EXPECT_FALSE(without.start(settings(1)));
}

TEST_F(OnlineUpdaterTest, TheDefaultClockHonoursQuorlentNow)
{
    serveWindow(1, 5);
    qputenv("QUORLENT_NOW", "2016-09-08T09:30:00");
    OnlineUpdater updater(store);
    const OnlineUpdateResult result = run(updater, settings(1));
    qunsetenv("QUORLENT_NOW");

    EXPECT_EQ(server.requestedDates(), datesFrom(1));
    EXPECT_EQ(result.added, 125);
}

TEST_F(OnlineUpdaterTest, ACorrectedDrawIsNeverOverwrittenAndTheDifferenceIsTold)
{
    seed(sampleDraws(kToday, 1, 3));
    const Digits corrected{9, 9, 9, 9, 9};
    ASSERT_NE(test::sampleDigits(kToday, 2), corrected);
    ASSERT_TRUE(store.correctDraw(1, corrected, 1));
    server.servePage(daysAgo(1), test::dayPage(daysAgo(1), 1, 120));
    server.servePage(kToday, test::dayPage(kToday, 1, 5)); // lists 002 with its first digits

    const OnlineUpdateResult result = update(settings());
    EXPECT_EQ(result.added, 2);
    EXPECT_EQ(result.correctionsKept, (std::vector<int32_t>{issueOf(kToday, 2)}));
    const Draws expected = sampleDraws(kToday, 1, 1) + Draws{{issueOf(kToday, 2), corrected}} +
                           sampleDraws(kToday, 3, 5);
    EXPECT_EQ(stored(), expected);
    ASSERT_NE(store.correctionOf(issueOf(kToday, 2)), nullptr);

    // Six days later the retention rule drops the history and loads the days again, this day's
    // page among them: the correction stays.
    const OnlineUpdateResult later =
        update(settings(6), QDateTime(kToday.addDays(6), QTime(9, 0)));
    EXPECT_TRUE(later.historyReplaced);
    const auto at = std::find_if(store.rows().begin(), store.rows().end(),
                                 [&](const HistoryRow &r) { return r.sqqh == issueOf(kToday, 2); });
    ASSERT_NE(at, store.rows().end());
    EXPECT_EQ(at->digits(), corrected);
    EXPECT_NE(store.correctionOf(issueOf(kToday, 2)), nullptr);
}
