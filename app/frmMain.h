#pragma once

#include "Settings.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <vector>
#include <memory>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QCheckBox;
class QTabBar;
class QTableView;
class HistoryGridModel;
class BacktestDialog;
class OutcomeChartView;
namespace quorlent {
class HistoryStore;
class HitListModel;
class OnlineUpdater;
class TallyModel;
struct BacktestRequest;
struct SearchRequest;
struct SearchResult;
struct TallyOptions;
struct FileOpResult;
} // namespace quorlent

// The main window. Controls keep their designer names (arrays indexed as in the designer, so
// Option3[0..3], Check1[1..5]); handlers keep the names of their control and event. The logic
// lives in the history, analysis and output libraries; the handlers here stay short.
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
    int refPattern(int position) const { return intRefPattern[position]; }
    bool isManualTab() const { return bolShoudong; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Construction of the controls and menus (frmMainLayout.cpp).
    void buildControls();
    void buildMenus();
    QWidget *buildOptionsColumn();
    QWidget *buildReferenceTabs();
    QWidget *buildEntryBar();
    void connectHandlers();

    // Start-up, shared refreshes and handlers (frmMain.cpp).
    void Form_Load();
    void RefreshRefPattern();
    void RefreshSearchRange(bool bothBoxes);
    void connectSearchRange();
    void searchRangeBeforeChange();
    void searchRangeAfterChange(bool wholeHistory);
    void AddHaoma();
    void QihaoXianshi();
    void TabStrip1_Click(int tab);
    void Command9_Click();
    void Option1_Click(int index);
    void Option2_Click(int index);
    void Option3_Click(int index);
    void Option4_Click(int index);
    void Option5_Click(int index);
    void Option6_Click(int index);
    void Combo1_LostFocus();
    void MaskEdBox2_LostFocus();
    void Text22_LostFocus(int index);
    void mnuDscs_Click(int index);
    void mnuSetDay_Click();
    void MaskEdBox1_Change(int index);
    void StoreDraw();

    // The searches and their result phase (frmMainSearch.cpp).
    void setUpResultGrids();
    quorlent::SearchRequest searchRequest() const;
    quorlent::TallyOptions tallyOptions() const;
    void Command1_Click();
    void Command2_Click();
    void ShowSearchResult(const quorlent::SearchResult &result);

    // The outcome chart and the backtest (frmMainStats.cpp).
    void setUpStats();
    void showOutcomeStats(const quorlent::SearchResult &result);
    quorlent::BacktestRequest backtestRequest() const;
    void cmdHuice_Click();

    // Import, deletions and text export (frmMainHistoryFiles.cpp).
    void cmdRdLst_Click();
    void Command3_Click();
    void mnuClear_Click();
    void mnuDlzd_Click();
    void mnuEszhzd_Click();
    void Command4_Click();
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

    // The online update (frmMainOnline.cpp).
    void setUpOnlineUpdate();
    void Command21_Click();
    void onlineUpdateFinished();
    void setHistoryCommandsEnabled(bool enabled);
    void mnuSetUrl_Click();
    void showStatus(const QString &text);

    // The About dialog (frmMainAbout.cpp).
    void mnuAbout_Click();
    // The histories: a new one, another one, the recently used ones, the open one's game and
    // name (frmMainHistories.cpp).
    void buildHistoryMenu();
    QString startupHistory();
    void openHistory(const QString &path);
    void historyOpened();
    void gameChanged();
    void updateTitle();
    void refreshRecentMenu();
    void mnuNewHistory_Click();
    void mnuOpenHistory_Click();
    void mnuGame_Click();
    // The trend chart window and the missing-draw check (frmMainTrend.cpp).
    void connectTrend();
    void cmdZoushi_Click();
    void mnuQueqi_Click();

    QString m_programFolder;
    Settings m_settings;
    std::unique_ptr<quorlent::HistoryStore> m_history;
    HistoryGridModel *m_historyModel = nullptr;
    quorlent::HitListModel *m_hitModel = nullptr;
    quorlent::TallyModel *m_tallyModel = nullptr;
    quorlent::OnlineUpdater *m_updater = nullptr;
    QProgressBar *m_updateProgress = nullptr;

    // Form-level state shared by the handlers.
    std::array<int, 6> intRefPattern{}; // positions 1..5
    bool bolShoudong = false;
    bool bolEntryReset = false;
    int32_t lngQihao = 0;      // QQH of the newest draw
    int32_t m_nextIssue = 0;   // the issue the next entered draw is stored under
    bool m_loading = true;     // start-up is selecting the option controls
    // What the 止 box showed before the history changed: the newest draw (or nothing to show).
    bool m_rangeEndAtNewest = false;
    bool m_historyWasEmpty = true;
    // The 起 and 止 boxes' text when there is no history to name.
    static constexpr const char *kRangeDesignText = "2013001";

    // Controls.
    std::array<QRadioButton *, 4> Option3{}; // 搜索类型选择
    std::array<QRadioButton *, 4> Option4{}; // 结果类型选择
    std::array<QRadioButton *, 4> Option1{}; // 自由位/固定位, 上期/前 N 期
    std::array<QRadioButton *, 6> Option2{}; // indexes 4 (直选) and 5 (组选)
    std::array<QRadioButton *, 6> Option5{}; // 第1位 .. 第5位 at 1..5
    std::array<QRadioButton *, 2> Option6{}; // 红蓝 (0), 红球 (1)
    QLineEdit *MaskEdBox2 = nullptr;
    std::array<QLineEdit *, 2> Text3{};
    QTabBar *TabStrip1 = nullptr;
    std::array<QGroupBox *, 2> Frame2{};
    std::array<QLineEdit *, 6> Text2{};
    std::array<QLineEdit *, 6> Text22{};
    std::array<QCheckBox *, 6> Check1{};
    std::array<QCheckBox *, 6> Check11{};
    QComboBox *Combo1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command21 = nullptr;
    QPushButton *cmdRdLst = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command9 = nullptr;
    QPushButton *cmdHuice = nullptr;
    OutcomeChartView *chartOutcome = nullptr;
    QLabel *lblOutcomeStats = nullptr;
    BacktestDialog *m_backtest = nullptr;
    QPushButton *cmdZoushi = nullptr;
    QPointer<QWidget> m_trendWindow;
    QTableView *MSFlexGrid1 = nullptr;
    QTableView *MSFlexGrid2 = nullptr;
    QTableView *MSFlexGrid3 = nullptr;
    QLineEdit *Text1 = nullptr;
    std::array<QLineEdit *, 6> MaskEdBox1{};

    QMenu *mnuLsgl = nullptr;
    QMenu *mnuSet = nullptr;
    QAction *mnuDcls = nullptr;
    QAction *mnuErase = nullptr;
    QAction *mnuClear = nullptr;
    QAction *mnuDlzd = nullptr;
    QAction *mnuEszhzd = nullptr;
    QAction *mnuQueqi = nullptr;
    QAction *mnuNewHistory = nullptr;
    QAction *mnuOpenHistory = nullptr;
    QAction *mnuGame = nullptr;
    QAction *m_recentEnd = nullptr; // the separator after the recently used histories
    std::vector<QAction *> m_recentActions;
    std::array<QAction *, 2> mnuDscs{};
    QAction *mnuSetDay = nullptr;
    QAction *mnuSetUrl = nullptr;
    QAction *mnuFrontPage = nullptr;
    QAction *mnuDescrb = nullptr;
    QAction *numYanshiDown = nullptr;
    QAction *mnuAbout = nullptr;
};
