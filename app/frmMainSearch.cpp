// The two searches, the result phase they share, and live results.
#include "BusyCursor.h"
#include "CommandPanel.h"
#include "HistoryStore.h"
#include "IssueRange.h"
#include "ResultsPanel.h"
#include "SearchOptionsPanel.h"
#include "SearchResult.h"
#include "TallyKeeper.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QStatusBar>

using namespace quorlent;

namespace {

const QString kStartAfterEnd = QStringLiteral("起始期号在终止期号之后");

} // namespace

void frmMain::Command1_Click() { runSearch(LiveSearch::Search::Follow, false); }

void frmMain::Command2_Click() { runSearch(LiveSearch::Search::Combination, false); }

// A search from its button, or again as live results. A live run keeps the results as they are
// while the options cannot name a range (a half-typed issue, a start after the end), and says so
// over them.
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
    const std::optional<IssueRange> range =
        IssueRange::fromTexts(request.rangeStart, request.rangeEnd, request.game);
    const bool reversed = range && range->first > range->last;
    if (live && reversed) {
        m_results->markStale(kStartAfterEnd + QStringLiteral("：显示的是上一次的结果"));
        showSearchWords(kStartAfterEnd + QStringLiteral("，未检索。"), true);
        return;
    }
    BusyCursor busy;
    const bool follow = which == LiveSearch::Search::Follow;
    const TallyOptions options = m_options->tallyOptions();
    const SearchResult result = follow ? runFollowSearch(m_history->rows(), request, options)
                                       : runCombinationSearch(m_history->rows(), request, options);
    m_live->searched(which);
    const bool shown = ShowSearchResult(result, options, !live);
    // An empty history has nothing to find: said as such, not as a range that cannot be read.
    if (m_history->empty()) {
        showSearchWords(QStringLiteral("还没有历史号码，检索不到任何一期：先读入历史号码文本，"
                                       "或在下面逐期输入开奖号码。"),
                        false);
        return;
    }
    if (!shown) {
        m_searchWords = statusBar()->currentMessage(); // what it said instead
        m_historyChangedSince = false;
        return;
    }
    showSearchWords(reversed ? kStartAfterEnd + QStringLiteral("：检索范围内没有一期。")
                             : searchWords(request, result, follow),
                    live);
}

// What a search found, or why it means nothing: every search says it, live or not, so that the
// status line never keeps the words of an earlier one.
QString frmMain::searchWords(const SearchRequest &request, const SearchResult &result,
                             bool follow) const
{
    QStringList warnings;
    const bool anyPosition = std::find(request.selected.begin(), request.selected.end(), true) !=
                             request.selected.end();
    if (follow && !anyPosition)
        warnings << QStringLiteral("未选择检索位：每一期都算命中");
    if (!follow && request.combinationWidth > kPositions)
        warnings << QStringLiteral("组合位数 %1 大于 5 个位置：没有组合可比").arg(request.combinationWidth);
    if (!follow && request.combinationWidth < 1)
        warnings << QStringLiteral("组合位数 %1 小于 1：没有组合可比").arg(request.combinationWidth);
    if (!warnings.isEmpty())
        return warnings.join(QStringLiteral("；"));
    // A typed value the kind cannot have matches no draw: the count comes with the reason.
    if (m_options->isManualTab()) {
        for (int p = 1; p <= kPositions; ++p) {
            const QString why = m_options->refusedReference(p);
            if (why.isEmpty() || (follow && !request.selected[size_t(p - 1)]))
                continue;
            return follow ? QStringLiteral("%1；没有一期能命中。").arg(why)
                          : QStringLiteral("%1；含第%2位的组合没有一期能相符，命中 %3 期。")
                                .arg(why)
                                .arg(p)
                                .arg(result.hits.size());
        }
    }
    return QStringLiteral("检索完成：命中 %1 期。").arg(result.hits.size());
}

// A live run after a change of the history follows what the change said ("已存入 …"); otherwise
// the words replace whatever the line held, those of the search before included.
void frmMain::showSearchWords(const QString &words, bool live)
{
    const QString shown = statusBar()->currentMessage();
    const bool causeSaid = live && m_historyChangedSince && !shown.isEmpty() &&
                           shown != m_searchWords && !words.contains(shown);
    m_historyChangedSince = false;
    m_searchWords = causeSaid ? shown + QStringLiteral("；") + words : words;
    showStatus(m_searchWords);
}

bool frmMain::ShowSearchResult(const SearchResult &result, const TallyOptions &options,
                               bool announce)
{
    m_results->showResult(result, options);
    if (!result.rangeValid) {
        showStatus(QStringLiteral("检索起止期数无法识别，%1。").arg(m_history->game().entryHint()));
        return false;
    }
    if (!announce) {
        // A live run paints first and keeps the tally right after, once for a burst of changes.
        m_tally->keepLater(result.tally);
        return true;
    }
    if (!m_tally->keepNow(result.tally)) {
        showStatus(QStringLiteral("统计结果未能写入数据库：%1").arg(m_history->lastError()));
        return false;
    }
    return true;
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
    connect(m_options, &SearchOptionsPanel::referenceRefused, this, &frmMain::showStatus);
    connect(m_tally, &TallyKeeper::failed, this, [this](const QString &error) {
        showStatus(QStringLiteral("统计结果未能写入数据库：%1").arg(error));
    });

    HistoryStore *store = m_history.get();
    connect(store, &HistoryStore::opened, m_live,
            [this] { m_live->searched(LiveSearch::Search::None); });
    const auto historyChanged = [this](bool added) {
        m_historyChangedSince = true;
        m_live->historyChanged(added);
    };
    connect(store, &HistoryStore::appended, m_live, [historyChanged] { historyChanged(true); });
    connect(store, &HistoryStore::removed, m_live, [historyChanged] { historyChanged(false); });
    connect(store, &HistoryStore::resetDone, m_live, [historyChanged] { historyChanged(false); });
    connect(store, &HistoryStore::rowsCorrected, m_live,
            [historyChanged] { historyChanged(false); });
}
