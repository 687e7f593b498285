// The two searches, the result phase they share, and live results.
#include "BusyCursor.h"
#include "CommandPanel.h"
#include "HistoryStore.h"
#include "ResultsPanel.h"
#include "SearchOptionsPanel.h"
#include "SearchResult.h"
#include "TallyKeeper.h"
#include "frmMain.h"

#include <QCheckBox>

using namespace quorlent;

void frmMain::Command1_Click() { runSearch(LiveSearch::Search::Follow, false); }

void frmMain::Command2_Click() { runSearch(LiveSearch::Search::Combination, false); }

// A search from its button, or again as live results. A live run keeps the results as they are
// while the options cannot name a range (a half-typed issue), and says so over them.
void frmMain::runSearch(LiveSearch::Search which, bool live)
{
    const SearchRequest request = m_options->searchRequest();
    // While live, an issue counts only once it is typed whole.
    const auto whole = [&](const QString &text) {
        return text.trimmed().size() == request.game.displayLength() &&
               request.game.fromDisplay(text).has_value();
    };
    if (live && !(whole(request.rangeStart) && whole(request.rangeEnd))) {
        m_results->markStale(QStringLiteral("检索起止期数还不是完整的期号：显示的是上一次的结果"));
        return;
    }
    BusyCursor busy;
    const bool follow = which == LiveSearch::Search::Follow;
    const TallyOptions options = m_options->tallyOptions();
    const SearchResult result = follow ? runFollowSearch(m_history->rows(), request, options)
                                       : runCombinationSearch(m_history->rows(), request, options);
    m_live->searched(which);
    ShowSearchResult(result, options, !live);
    // An empty history has nothing to find: said as such, not as a range that cannot be read.
    if (m_history->empty()) {
        showStatus(QStringLiteral("还没有历史号码，检索不到任何一期：先读入历史号码文本，"
                                  "或在下面逐期输入开奖号码。"));
        return;
    }

    // What makes a search mean nothing is said, not refused.
    QStringList warnings;
    const bool anyPosition = std::find(request.selected.begin(), request.selected.end(), true) !=
                             request.selected.end();
    if (follow && !anyPosition)
        warnings << QStringLiteral("未选择检索位：每一期都算命中");
    if (!follow && request.combinationWidth > kPositions)
        warnings << QStringLiteral("组合位数 %1 大于 5 个位置：没有组合可比").arg(request.combinationWidth);
    if (!follow && request.combinationWidth < 1)
        warnings << QStringLiteral("组合位数 %1 小于 1：没有组合可比").arg(request.combinationWidth);
    if (!warnings.isEmpty() && result.rangeValid)
        showStatus(warnings.join(QStringLiteral("；")));
}

void frmMain::ShowSearchResult(const SearchResult &result, const TallyOptions &options,
                               bool announce)
{
    m_results->showResult(result, options);
    if (!result.rangeValid) {
        showStatus(QStringLiteral("检索起止期数无法识别，%1。").arg(m_history->game().entryHint()));
        return;
    }
    if (!announce) {
        // A live run paints first and keeps the tally right after, once for a burst of changes;
        // it leaves the status line to what caused it ("已存入 …").
        m_tally->keepLater(result.tally);
        return;
    }
    if (!m_tally->keepNow(result.tally)) {
        showStatus(QStringLiteral("统计结果未能写入数据库：%1").arg(m_history->lastError()));
        return;
    }
    showStatus(QStringLiteral("检索完成：命中 %1 期。").arg(result.hits.size()));
}

// The results follow what they were computed from: a history change, an option, a reference value,
// a position or the range.
void frmMain::followForLiveResults()
{
    connect(m_commandPanel->chkLive, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.setFlag(Settings::bolShishi, on);
        m_live->setEnabled(on);
    });
    connect(m_options, &SearchOptionsPanel::changed, m_live, &LiveSearch::optionsChanged);
    connect(m_live, &LiveSearch::rerun, this,
            [this](LiveSearch::Search which) { runSearch(which, true); });
    connect(m_live, &LiveSearch::stale, m_results, &ResultsPanel::markStale);
    connect(m_tally, &TallyKeeper::failed, this, [this](const QString &error) {
        showStatus(QStringLiteral("统计结果未能写入数据库：%1").arg(error));
    });

    HistoryStore *store = m_history.get();
    connect(store, &HistoryStore::opened, m_live,
            [this] { m_live->searched(LiveSearch::Search::None); });
    connect(store, &HistoryStore::appended, m_live, [this] { m_live->historyChanged(true); });
    connect(store, &HistoryStore::removed, m_live, [this] { m_live->historyChanged(false); });
    connect(store, &HistoryStore::resetDone, m_live, [this] { m_live->historyChanged(false); });
    connect(store, &HistoryStore::rowsCorrected, m_live, [this] { m_live->historyChanged(false); });
}
