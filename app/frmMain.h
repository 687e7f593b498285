#pragma once

#include "DrawCodes.h"
#include "LiveSearch.h"
#include "MainMenus.h"
#include "Settings.h"
#include "Tally.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <vector>

class BacktestDialog;
class CommandPanel;
class HistoryPanel;
class QProgressBar;
class QTableView;
class ResultsPanel;
class SearchOptionsPanel;
namespace quorlent {
class HistoryStore;
class OnlineUpdater;
struct BacktestRequest;
struct FileOpResult;
struct SearchResult;
} // namespace quorlent

// The main window: the history panel on the left (grid and entry), the search options and the
// buttons in the middle, the results on the right, the menus above. Each panel owns its controls
// and their state; the window composes them, keeps the shared steps (AddHaoma, QihaoXianshi,
// RefreshRefPattern, RefreshSearchRange) and the handlers of its buttons and menus, which call the
// libraries and stay short. Nothing here writes to the database but through the history store.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(const QString &programFolder, QWidget *parent = nullptr);
    ~frmMain() override;

    const QString &programFolder() const { return m_programFolder; }
    quorlent::HistoryStore &history() { return *m_history; }
    const Settings &settings() const { return m_settings; }
    // The reference pattern the searches compare with, positions 1..5.
    int refPattern(int position) const;
    bool isManualTab() const;
    // Runs a live re-run that is waiting for the event loop now.
    void flushLiveSearch() { m_live->flush(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Composition (frmMainLayout.cpp).
    void buildControls();
    void connectHandlers();

    // Start-up, shared steps, the settings menu and the entry (frmMain.cpp).
    void Form_Load();
    void RefreshRefPattern();
    void RefreshSearchRange(bool bothBoxes);
    void AddHaoma();
    void QihaoXianshi();
    void Command9_Click();
    void mnuDscs_Click(int index);
    void mnuSetDay_Click();
    void StoreDraw(const quorlent::Digits &digits);
    void showStatus(const QString &text);

    // The searches, their results and live results (frmMainSearch.cpp).
    void Command1_Click();
    void Command2_Click();
    void runSearch(LiveSearch::Search which, bool live);
    // Shows the result and keeps its tally in Carcu; `announce`: says so in the status line.
    void ShowSearchResult(const quorlent::SearchResult &result, bool announce = true);
    void followForLiveResults();
    void writePendingTally();

    // The backtest (frmMainStats.cpp).
    void setUpStats();
    quorlent::BacktestRequest backtestRequest() const;
    void cmdHuice_Click();

    // Import, deletions and text export (frmMainHistoryFiles.cpp).
    void cmdRdLst_Click();
    void previewImport(const QString &path);
    void Command3_Click();
    void mnuClear_Click();
    void mnuDlzd_Click();
    void mnuEszhzd_Click();
    void Command4_Click();
    void mnuXiugai_Click();
    void afterHistoryRewrite(const quorlent::FileOpResult &result);

    // Spreadsheet export and help links (frmMainOutput.cpp).
    void connectOutput();
    bool gridDoubleClicked(QObject *watched);
    void exportGrid(QTableView *grid, const QString &fileName);
    void MSFlexGrid1_DblClick();
    void MSFlexGrid2_DblClick();
    void MSFlexGrid3_DblClick();
    void mnuDcls_Click();
    void openHelpLink(const char *address);
    void mnuShuoming_Click();

    // The online update (frmMainOnline.cpp).
    void setUpOnlineUpdate();
    void Command21_Click();
    void onlineUpdateFinished();
    void setHistoryCommandsEnabled(bool enabled);
    void mnuSetUrl_Click();

    // The About dialog (frmMainAbout.cpp).
    void mnuAbout_Click();
    // The trend chart window and the missing-draw check (frmMainTrend.cpp).
    void connectTrend();
    void cmdZoushi_Click();
    void mnuQueqi_Click();
    // The 缩水 window, and 用作定位 from the tally grid (frmMainFilter.cpp).
    void connectFilter();
    void cmdSuoshui_Click();
    void mnuUseAsPosition_Click();

    // The histories: a new one, another one, the recently used ones, the open one's game and
    // name (frmMainHistories.cpp).
    void connectHistories();
    QString startupHistory();
    void openHistory(const QString &path);
    void historyOpened();
    void gameChanged();
    void updateTitle();
    void refreshRecentMenu();
    void mnuNewHistory_Click();
    void mnuOpenHistory_Click();
    void mnuGame_Click();

    QString m_programFolder;
    Settings m_settings;
    std::unique_ptr<quorlent::HistoryStore> m_history;
    MainMenus m_menus;
    HistoryPanel *m_historyPanel = nullptr;
    SearchOptionsPanel *m_options = nullptr;
    CommandPanel *m_commands = nullptr;
    ResultsPanel *m_results = nullptr;
    LiveSearch *m_live = nullptr;
    quorlent::OnlineUpdater *m_updater = nullptr;
    QProgressBar *m_updateProgress = nullptr;
    BacktestDialog *m_backtest = nullptr;
    QPointer<QWidget> m_trendWindow;
    QPointer<QWidget> m_filterWindow;
    // How the results shown were tallied: 用作定位 takes the position of their tally.
    quorlent::TallyOptions m_shownTally;
    QPointer<QWidget> m_helpWindow;
    QPointer<QWidget> m_importPreview;
    std::vector<QAction *> m_recentActions;
    // The tally of the newest live run, kept in Carcu once the views are painted.
    std::vector<std::pair<int, int64_t>> m_pendingTally;

    // The next draw's issue: lngQihao is the newest draw's QQH, m_nextIssue the issue an entered
    // draw is stored under.
    int32_t lngQihao = 0;
    int32_t m_nextIssue = 0;
};
