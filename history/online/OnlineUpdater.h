#pragma once

#include "DrawRecord.h"
#include "PageFetcher.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <vector>

class QNetworkAccessManager;

namespace quorlent {

class HistoryStore;
struct DrawPage;

struct OnlineUpdateSettings
{
    QString baseAddress;   // the results site, e.g. "http://host:port"; a trailing slash is fine
    int iniSerchDay = 6;   // retention and fetch window in days (the setting IniSerchDay)
    int segmentBase = 1;   // DsIni in force when the update starts
    std::chrono::milliseconds pageTimeLimit = PageFetcher::kDefaultTimeLimit;
    qint64 maxPageBytes = PageFetcher::kDefaultMaxBodyBytes;
    // How often a "draw_list" table without any row may start the days over before the update
    // gives up and ends with what it has stored. Such a table is what the site shows while it is
    // being rebuilt; a few tries ride that out, endless ones would hang the update.
    int maxRestarts = 3;
};

struct OnlineUpdateResult
{
    // Draws the history did not hold before this run. When the retention rule replaced the
    // history, draws stored again under an issue the old history held do not count.
    int added = 0;
    // Days whose page could not be loaded or had no draw table, in the last pass over the days
    // (a restart tries the days of the abandoned pass again).
    QList<QDate> failedDays;
    QStringList failureReasons;    // one short reason per failed day, same order
    bool cancelled = false;
    // The retention rule dropped the old history; the new draws took its place.
    bool historyReplaced = false;
    // Draws of the old history that the replacement removed and no page brought back.
    int dropped = 0;
    // The retention rule wanted the old history dropped, but no page brought a draw to put in its
    // place, so it was kept as it was.
    bool oldHistoryKept = false;
    // The table came back without rows more often than maxRestarts allows; the update ended early.
    bool restartsExhausted = false;
    // The database refused a page's draws; the update stopped there, nothing of that page stored.
    QString storeError;
    // Page rows whose issue the history's game cannot have; none of them was stored.
    int misfitRows = 0;
    // Corrected draws a page lists with other digits: the corrections were kept, in issue order.
    std::vector<int32_t> correctionsKept;
};

// The online update over the history: decides the days to load (UpdatePlan.h gives the rules),
// loads their pages one after another without blocking, and stores each page's new draws.
//
// A draw the user corrected is never overwritten: a page that lists it with other digits is noted
// in correctionsKept, and a draw stored again after the retention rule keeps its correction.
//
// Storing: one transaction per page, so a kill at any moment leaves each day either wholly stored
// or not at all. The records of all pages come from one DrawRun carried across the days, so the
// first draw of a day gets the last draw of the day before as its previous draw. When the
// retention rule says the old history must go, it goes in the same transaction that stores the
// first page with new draws (HistoryStore::replaceAll); when no page brings a draw, the old
// history stays and the result says so. Once replaced, the history holds what the pages of this
// run brought: a day whose page fails later in the same run is missing from it (result().dropped
// counts such draws). Only draws newer than the newest stored one are stored, so running the
// update twice stores nothing twice.
//
// The history may be changed by others between two pages (the window stays usable); each page is
// measured against the history as it is then, and the carried codes are taken from the store again
// whenever it changed behind the update's back. Disabling the commands that change the history
// while the update runs is still the friendlier choice for the window.
//
// Signals come from the event loop only: start() and cancel() return before any signal except
// the finished() that cancel() emits before it returns. Destroying a running updater drops the
// page being loaded without a signal; the pages stored so far stay.
class OnlineUpdater : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    // Uses `manager` for the pages when given (it must outlive the updater).
    explicit OnlineUpdater(HistoryStore &store, QNetworkAccessManager *manager = nullptr,
                           QObject *parent = nullptr);
    ~OnlineUpdater() override;

    // The clock that gives "now" (default: currentDateTime(), which honours QUORLENT_NOW).
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // Starts an update; false (and no signal) when one is running or the history is not open.
    bool start(const OnlineUpdateSettings &settings);
    // Stops the running update: the page being loaded is dropped, everything stored so far stays.
    // finished() is emitted, with cancelled set, before this returns.
    void cancel();
    bool isRunning() const { return m_running; }

    // The outcome of the last update, complete once finished() was emitted.
    const OnlineUpdateResult &result() const { return m_result; }

signals:
    // Before loading a page: the day's index (0-based) among dayCount days, and its date. After a
    // restart the days count from 0 again.
    void progress(int dayIndex, int dayCount, const QDate &date);
    // The update has ended; result() holds the details.
    void finished(int added, const QList<QDate> &failedDays, bool cancelled);

private:
    void loadCurrentDay();
    void onLoaded(const QUrl &url, const QByteArray &body);
    void onFailed(const QUrl &url, const QString &reason);
    void dayFailed(const QString &reason);
    void nextDay();
    bool storePage(const DrawPage &page, const QDate &date);
    void noteCorrectionsKept(const DrawPage &page, const QDate &date);
    void finish();

    HistoryStore &m_store;
    PageFetcher m_fetcher;
    Clock m_clock;

    OnlineUpdateSettings m_settings;
    OnlineUpdateResult m_result;
    QList<QDate> m_dates;
    qsizetype m_index = 0;
    int m_restarts = 0;
    bool m_running = false;
    quint64 m_runId = 0;
    // The retention rule asked for the old history to go; done with the first page that has draws.
    bool m_replacePending = false;
    // The issues held before the run, kept only while a replacement may happen, for counting.
    std::vector<int32_t> m_oldIssues;
    // Carries the codes of the last two stored draws from page to page.
    DrawRun m_run;
    // The store's revision after our last write; another value means someone else changed it.
    uint64_t m_runRevision = 0;
};

} // namespace quorlent
