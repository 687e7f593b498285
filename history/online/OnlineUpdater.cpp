#include "OnlineUpdater.h"

#include "Clock.h"
#include "DrawPage.h"
#include "HistoryStore.h"
#include "UpdatePlan.h"

#include <algorithm>
#include <iterator>

namespace quorlent {

namespace {

// No setting allows more than a couple of weeks; the bound only keeps a wrong value from
// turning into thousands of page loads.
constexpr int kMaxWindowDays = 366;

} // namespace

OnlineUpdater::OnlineUpdater(HistoryStore &store, QNetworkAccessManager *manager, QObject *parent)
    : QObject(parent), m_store(store), m_fetcher(manager), m_clock(&currentDateTime)
{
    connect(&m_fetcher, &PageFetcher::loaded, this, &OnlineUpdater::onLoaded);
    connect(&m_fetcher, &PageFetcher::failed, this, &OnlineUpdater::onFailed);
}

OnlineUpdater::~OnlineUpdater() = default;

bool OnlineUpdater::start(const OnlineUpdateSettings &settings)
{
    if (m_running || !m_store.isOpen())
        return false;

    m_settings = settings;
    m_settings.iniSerchDay = std::clamp(settings.iniSerchDay, 0, kMaxWindowDays);
    m_settings.maxRestarts = std::max(settings.maxRestarts, 0);
    m_fetcher.setTimeLimit(settings.pageTimeLimit);
    m_fetcher.setMaxBodyBytes(settings.maxPageBytes);
    m_result = {};

    const QDateTime now = m_clock();
    const std::vector<HistoryRow> &rows = m_store.rows();
    const Game &game = m_store.game();
    // A year-numbered history spans years: the retention rule would throw all of it away.
    m_replacePending = !rows.empty() && !game.numbersByYear() &&
                       updateplan::retentionExpiredOn(game.dayOf(rows.front().sqqh, rows.front().date), now,
                                                      m_settings.iniSerchDay);

    // After the retention rule, the window is measured from the emptied history.
    std::optional<QDate> newest;
    if (!m_replacePending && !rows.empty())
        newest = game.dayOf(rows.back().sqqh, rows.back().date);
    const int n = updateplan::fetchWindowFrom(newest, now, m_settings.iniSerchDay);
    m_dates = updateplan::fetchDates(n, now.date());

    m_oldIssues.clear();
    if (m_replacePending) {
        m_oldIssues.reserve(rows.size());
        for (const HistoryRow &row : rows)
            m_oldIssues.push_back(row.sqqh);
    }
    m_run = m_replacePending ? DrawRun() : m_store.continueRun();
    m_runRevision = m_store.revision();
    m_index = 0;
    m_restarts = 0;
    m_running = true;
    const quint64 run = ++m_runId;
    QMetaObject::invokeMethod(
        this, [this, run] {
            if (m_running && m_runId == run)
                loadCurrentDay();
        },
        Qt::QueuedConnection);
    return true;
}

void OnlineUpdater::cancel()
{
    if (!m_running)
        return;
    m_fetcher.abort();
    m_result.cancelled = true;
    finish();
}

void OnlineUpdater::loadCurrentDay()
{
    if (m_index >= m_dates.size()) {
        finish();
        return;
    }
    const QDate date = m_dates[m_index];
    const quint64 run = m_runId;
    emit progress(static_cast<int>(m_index), static_cast<int>(m_dates.size()), date);
    if (!m_running || m_runId != run)
        return; // cancelled (or even restarted) from a slot
    m_fetcher.fetch(updateplan::pageAddress(m_settings.baseAddress, date));
}

void OnlineUpdater::nextDay()
{
    ++m_index;
    loadCurrentDay();
}

void OnlineUpdater::dayFailed(const QString &reason)
{
    m_result.failedDays << m_dates[m_index];
    m_result.failureReasons << reason;
}

void OnlineUpdater::onFailed(const QUrl &, const QString &reason)
{
    if (!m_running)
        return;
    dayFailed(reason);
    nextDay();
}

void OnlineUpdater::onLoaded(const QUrl &, const QByteArray &body)
{
    if (!m_running)
        return;
    const DrawPage page = DrawPage::parse(body);
    switch (page.status) {
    case DrawPage::Status::NoTable:
        dayFailed(QStringLiteral("no table \"draw_list\" on the page"));
        nextDay();
        return;
    case DrawPage::Status::NoRows:
        if (m_restarts < m_settings.maxRestarts) {
            // The days start over from the oldest; what was stored stays stored and is not
            // stored again. Failures of the abandoned pass are tried again.
            ++m_restarts;
            m_index = 0;
            m_result.failedDays.clear();
            m_result.failureReasons.clear();
            loadCurrentDay();
            return;
        }
        dayFailed(QStringLiteral("table \"draw_list\" without rows"));
        m_result.restartsExhausted = true;
        finish();
        return;
    case DrawPage::Status::Rows:
        break;
    }
    const quint64 run = m_runId;
    if (!storePage(page, m_dates[m_index])) {
        finish();
        return;
    }
    if (m_running && m_runId == run) // the store's signals reach the window, which may cancel
        nextDay();
}

bool OnlineUpdater::storePage(const DrawPage &page, const QDate &date)
{
    if (!m_replacePending && m_store.revision() != m_runRevision)
        m_run = m_store.continueRun();

    std::optional<int32_t> newest;
    int32_t newestDate = 0;
    if (!m_replacePending && m_store.newest()) {
        newest = m_store.newest()->sqqh;
        newestDate = m_store.newest()->date;
    }
    const Game &game = m_store.game();
    noteCorrectionsKept(page, date);
    int misfits = 0;
    const std::vector<updateplan::PageDraw> draws =
        updateplan::drawsToStore(page, date, newest, game, &misfits, newestDate);
    m_result.misfitRows += misfits;
    if (draws.empty())
        return true;

    // A copy, so that a refused write leaves the carried codes as they were.
    DrawRun run = m_run;
    std::vector<DrawRecord> records;
    records.reserve(draws.size());
    for (const updateplan::PageDraw &draw : draws) {
        const HistoryDb::Correction *mark = m_store.correctionOf(draw.sqqh);
        records.push_back(run.append(draw.sqqh, mark ? mark->corrected : draw.digits,
                                     m_settings.segmentBase));
        if (game.numbersByYear())
            records.back().date = Game::dateNumber(date);
    }

    const bool replacing = m_replacePending;
    const bool stored = replacing ? m_store.replaceAll(records) : m_store.append(records);
    if (!stored) {
        m_result.storeError = QStringLiteral("the database did not take the draws of %1")
                                  .arg(date.toString(Qt::ISODate));
        return false;
    }
    m_run = run;
    m_runRevision = m_store.revision();
    m_replacePending = false;
    m_result.historyReplaced = m_result.historyReplaced || replacing;
    for (const DrawRecord &record : records) {
        if (!std::binary_search(m_oldIssues.begin(), m_oldIssues.end(), record.sqqh))
            ++m_result.added;
    }
    return true;
}

void OnlineUpdater::noteCorrectionsKept(const DrawPage &page, const QDate &date)
{
    if (m_store.corrections().empty())
        return;
    const Game &game = m_store.game();
    for (const auto &[key, digits] : updateplan::newerListedDraws(page, std::nullopt, game)) {
        const int32_t sqqh = game.numbersByYear() ? key : game.issueOfDay(date, key);
        const HistoryDb::Correction *mark = m_store.correctionOf(sqqh);
        if (!mark || mark->corrected == digits)
            continue;
        auto &kept = m_result.correctionsKept;
        const auto at = std::lower_bound(kept.begin(), kept.end(), sqqh);
        if (at == kept.end() || *at != sqqh)
            kept.insert(at, sqqh);
    }
}

void OnlineUpdater::finish()
{
    if (!m_running)
        return;
    m_running = false;
    m_fetcher.abort();
    m_result.oldHistoryKept = m_replacePending;
    m_replacePending = false;
    if (m_result.historyReplaced) {
        std::vector<int32_t> now;
        now.reserve(m_store.size());
        for (const HistoryRow &row : m_store.rows())
            now.push_back(row.sqqh);
        std::vector<int32_t> gone;
        std::set_difference(m_oldIssues.begin(), m_oldIssues.end(), now.begin(), now.end(),
                            std::back_inserter(gone));
        m_result.dropped = static_cast<int>(gone.size());
    }
    m_oldIssues.clear();
    // Copies: a slot may start the next update, which resets the result.
    const OnlineUpdateResult result = m_result;
    emit finished(result.added, result.failedDays, result.cancelled);
}

} // namespace quorlent
