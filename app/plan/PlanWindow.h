#pragma once

#include "PlanFolder.h"
#include "PlanRun.h"

#include <QMainWindow>

#include <atomic>
#include <memory>
#include <vector>

class BalanceChartView;
class PlanSourceEditor;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QTableView;
class QThread;
namespace quorlent {
class HistoryStore;
class PlanLedgerModel;
class PlanLongRunModel;
class PlanOmissionModel;
class PlanPrizeModel;
} // namespace quorlent

// The 计划 window: a plan (where its numbers come from, the play, the prize table, the range, the
// progression and the starting balance), its ledger draw by draw with what it adds up to against
// chance, the balance curve and the numbers for the next issue; beside it 长龙 and 遗漏统计 of the
// history. A window of its own, not modal, a view over the models of the plan library.
//
// Working out a plan's numbers over a long range runs on a worker thread with a progress bar and
// 取消; a change of play, prize, progression or starting balance on a computed ledger is applied
// at once, without working the numbers out again. The ruin probability follows on a worker of its
// own. Plans are saved by name in 计划方案 of the program folder.
class PlanWindow : public QMainWindow
{
    Q_OBJECT

  public:
    PlanWindow(quorlent::HistoryStore &store, const QString &programFolder,
               QWidget *parent = nullptr);
    ~PlanWindow() override;

    quorlent::PlanLedgerModel &ledgerModel() { return *m_ledgerModel; }
    quorlent::PlanLongRunModel &runModel() { return *m_runModel; }
    quorlent::PlanOmissionModel &omissionModel() { return *m_omissionModel; }
    quorlent::PlanPrizeModel &prizeModel() { return *m_prizeModel; }
    const quorlent::plan::Ledger *ledger() const { return m_run.ledger.get(); }
    QTabWidget *tabs() const { return tabMain; }
    // Brings 遗漏统计 to the front.
    void showOmissions();
    QTableView *ledgerView() const { return tblLedger; }

    // The plan the controls describe; fields that cannot be read go into `errors`.
    quorlent::plan::PlanDefinition definition(quorlent::plan::FieldErrors *errors = nullptr) const;
    void setDefinition(const quorlent::plan::PlanDefinition &plan);
    // Starts working out the ledger; false, with the message at the window's error line, when the
    // plan cannot run.
    bool compute();
    // Waits for the ledger and the ruin probability being worked out, and shows them now.
    void waitForWork();
    bool isComputing() const { return m_thread != nullptr; }

    // The numbers for the next issue, separated by blanks or one a line.
    QString nextText(bool lines) const;
    // The summary lines under the ledger, as plain text.
    QString summaryText() const;
    // The error line: what stops the plan, empty when nothing does.
    QString errorText() const;
    QString saveWorkbook(const QString &path) const;

  private:
    QWidget *buildPlanPanel();
    QWidget *buildLedgerTab();
    QWidget *buildRunsTab();
    QWidget *buildOmissionTab();
    QWidget *buildPrizeTab();
    void connectControls();

    void cancel(const QString &reason);
    void threadEnded();
    // A change of play, prizes, progression or balance: applied to the ledger at once.
    void applyPlay();
    void applyStaking();
    void showLedger();
    void showSummary();
    void startRuin();
    void ruinEnded();
    void sourceChanged();
    void historyChanged();
    void refreshRuns();
    void refreshOmissions();
    void showErrors(const quorlent::plan::FieldErrors &errors);
    void status(const QString &text);
    void updateButtons();
    void refreshPlanNames();
    void cmdSave_Click();
    void cmdOpen_Click();
    void cmdDelete_Click();
    void cmdExport_Click();
    void copyNext(bool lines);

    quorlent::HistoryStore &m_store;
    QString m_folder;
    quorlent::plan::PlanFolder m_plans;
    // The history the ledger was worked out on: the ledger reads it, so it stays while the ledger
    // does, whatever the history does meanwhile.
    std::shared_ptr<const std::vector<quorlent::HistoryRow>> m_rows;
    quorlent::plan::PlanRun m_run;
    quorlent::plan::SchemeSource m_openedScheme; // of the plan opened last
    quorlent::Game m_game;

    QThread *m_thread = nullptr;
    std::atomic<bool> m_cancel{false};
    QString m_cancelReason;
    std::shared_ptr<const std::vector<quorlent::HistoryRow>> m_pendingRows;
    quorlent::plan::PlanRun m_pending;

    QThread *m_ruinThread = nullptr;
    std::atomic<bool> m_ruinCancel{false};
    bool m_ruinAgain = false;
    quorlent::plan::RuinChance m_ruinPending;
    std::optional<quorlent::plan::RuinChance> m_ruin;

    quorlent::PlanLedgerModel *m_ledgerModel = nullptr;
    quorlent::PlanLongRunModel *m_runModel = nullptr;
    quorlent::PlanOmissionModel *m_omissionModel = nullptr;
    quorlent::PlanPrizeModel *m_prizeModel = nullptr;

    QWidget *m_omissionTab = nullptr;
    QTabWidget *tabMain = nullptr;
    PlanSourceEditor *m_source = nullptr;
    QComboBox *cboPlay = nullptr;
    QComboBox *cboRange = nullptr;
    QSpinBox *spnLatest = nullptr;
    QLineEdit *txtFrom = nullptr;
    QLineEdit *txtTo = nullptr;
    QLabel *lblTo = nullptr;
    QComboBox *cboProgression = nullptr;
    QSpinBox *spnMultiplier = nullptr;
    QSpinBox *spnCap = nullptr;
    QLineEdit *txtSteps = nullptr;
    QLineEdit *txtStart = nullptr;
    QLineEdit *txtPrice = nullptr;
    QPushButton *cmdCompute = nullptr;
    QPushButton *cmdCancel = nullptr;
    QProgressBar *barProgress = nullptr;
    QComboBox *cboPlanName = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdOpen = nullptr;
    QPushButton *cmdDelete = nullptr;
    QLabel *lblError = nullptr;
    QLabel *lblSummary = nullptr;
    QLabel *lblNext = nullptr;
    QPushButton *cmdCopyBlanks = nullptr;
    QPushButton *cmdCopyLines = nullptr;
    QPushButton *cmdExport = nullptr;
    QTableView *tblLedger = nullptr;
    BalanceChartView *m_chart = nullptr;
    QSpinBox *spnMinRun = nullptr;
    QTableView *tblRuns = nullptr;
    QLabel *lblRuns = nullptr;
    QComboBox *cboOmissionRange = nullptr;
    QCheckBox *chkCarried = nullptr;
    QTableView *tblOmissions = nullptr;
    QTableView *tblPrizes = nullptr;
};
