#pragma once

#include "DialogQuestions.h"
#include "LiveSearch.h"
#include "MainCommands.h"
#include "Settings.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <span>
#include <vector>

class BacktestDialog;
class CommandPanel;
class Histories;
class HistoryCommands;
class HistoryPanel;
class PlanWindow;
class QProgressBar;
class QTableView;
class ResultsPanel;
class SearchOptionsPanel;
class TallyKeeper;
namespace quorlent {
class HistoryStore;
struct SearchRequest;
struct SearchResult;
struct TallyOptions;
namespace import {
struct ImportScan;
}
} // namespace quorlent

// The main window: the history panel on the left (grid and entry), the search options and the
// buttons in the middle, the results on the right, the menus above. It composes and routes: each
// panel owns its controls and their state and follows the history store itself; the commands
// that change the history live in HistoryCommands and Histories; every command is one action of
// the table in frmMainCommands.cpp, whose enabled state updateCommandState() sets. The window
// keeps the shared steps by their names (AddHaoma, QihaoXianshi, RefreshRefPattern,
// RefreshSearchRange, ShowSearchResult), each done in one place.
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

private:
  // The commands, their handlers and their state (frmMainCommands.cpp).
  static std::span<const CommandRow> commandTable();
  void connectCommands();
  void updateCommandState();
  void Command9_Click();
  void mnuDscs_Click(int index);
  void mnuZhpm_Click(int index);
  void mnuSetDay_Click();
  void mnuAbout_Click();

  // Composition and start-up (frmMainLayout.cpp).
  void buildControls();
  void Form_Load();
  void followHistory();
  void updateTitle();
  void refreshRecentMenu();
  void showStatus(const QString &text);
  void RefreshRefPattern();
  void RefreshSearchRange(bool bothBoxes);
  void AddHaoma();
  void QihaoXianshi();

  // The searches, their results and live results (frmMainSearch.cpp).
  void Command1_Click();
  void Command2_Click();
  void runSearch(LiveSearch::Search which, bool live);
  // Shows the result, tallied with `options`, and keeps its tally in Carcu (`announce`: at once,
  // a live run's a moment later). False, said in the status line, when the range cannot be read
  // or the tally not kept.
  bool ShowSearchResult(const quorlent::SearchResult &result, const quorlent::TallyOptions &options,
                        bool announce);
  QString searchWords(const quorlent::SearchRequest &request,
                      const quorlent::SearchResult &result, bool follow) const;
  void showSearchWords(const QString &words, bool live);
  void followForLiveResults();

  // The windows beside the main one (frmMainWindows.cpp).
  void cmdZoushi_Click();
  void cmdHuice_Click();
  void cmdSuoshui_Click();
  void cmdJihua_Click();
  // 遗漏统计: the 计划 window open at its omission table.
  void showOmissions();
  void mnuQueqi_Click();
  void mnuShuoming_Click();
  void mnuUseAsPosition_Click();
  void previewImport(std::shared_ptr<quorlent::import::ImportScan> scan, const QString &name);

  // Spreadsheet export of the grids and the help links (frmMainOutput.cpp).
  void connectOutput();
  void exportGrid(QTableView *grid, const QString &fileName);
  void MSFlexGrid1_DblClick();
  void MSFlexGrid2_DblClick();
  void MSFlexGrid3_DblClick();
  void openHelpLink(const char *address);

  QString m_programFolder;
  Settings m_settings;
  std::unique_ptr<quorlent::HistoryStore> m_history;
  DialogQuestions m_questions{this};
  MainCommands m_commands;
  HistoryCommands *m_historyCommands = nullptr;
  Histories *m_histories = nullptr;
  HistoryPanel *m_historyPanel = nullptr;
  SearchOptionsPanel *m_options = nullptr;
  CommandPanel *m_commandPanel = nullptr;
  ResultsPanel *m_results = nullptr;
  LiveSearch *m_live = nullptr;
  TallyKeeper *m_tally = nullptr;
  QProgressBar *m_updateProgress = nullptr;
  QPointer<BacktestDialog> m_backtest;
  QPointer<QWidget> m_trendWindow;
  QPointer<QWidget> m_filterWindow;
  QPointer<PlanWindow> m_planWindow;
  QPointer<QWidget> m_helpWindow;
  QPointer<QWidget> m_importPreview;
  std::vector<QAction *> m_recentActions;
  // What the status line said for the last search, so that a live run can tell its own words
  // from those of what caused it.
  QString m_searchWords;
  bool m_historyChangedSince = false; // since the last search's words
};
