#include "frmMain.h"

#include "BacktestDialog.h"
#include "CommandPanel.h"
#include "Histories.h"
#include "HistoryCommands.h"
#include "HistoryPanel.h"
#include "HistoryStore.h"
#include "ResultsPanel.h"
#include "ScreenFit.h"
#include "SearchOptionsPanel.h"
#include "TallyKeeper.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>

using namespace quorlent;

frmMain::frmMain(const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), m_programFolder(programFolder),
      m_history(std::make_unique<HistoryStore>())
{
    setWindowTitle(QStringLiteral("Quorlent"));
    m_live = new LiveSearch(this);
    m_tally = new TallyKeeper(*m_history, this);
    m_commands.build(this, commandTable());
    buildControls();
    m_historyCommands = new HistoryCommands(*m_history, m_settings, m_historyPanel->nextIssue(),
                                            m_programFolder, m_questions, this);
    m_histories = new Histories(*m_history, m_settings, m_programFolder, m_questions,
                                m_historyCommands->updater(), this);
    connectCommands();
    followHistory();
    followForLiveResults();
    connectOutput();
    Form_Load();
    // Fits a 1366×768 screen with every column of the three grids in view.
    fitInsideScreen(this, QSize(1340, 690));
}

frmMain::~frmMain()
{
    // The views, a running update and a running backtest read the history: they end before the
    // store does.
    delete m_backtest;
    delete m_histories;
    delete m_historyCommands;
    delete takeCentralWidget();
    delete m_trendWindow;
    delete m_importPreview;
    delete m_filterWindow;
}

int frmMain::refPattern(int position) const { return m_options->refPattern(position); }

bool frmMain::isManualTab() const { return m_options->isManualTab(); }

void frmMain::showStatus(const QString &text) { statusBar()->showMessage(text); }

// ---- Start-up ---------------------------------------------------------------------------------

void frmMain::Form_Load()
{
    const Settings::WriteBatch startupWrites(m_settings);
    m_histories->openAtStart();
    m_options->selectStoredOptions();
    mnuDscs_Click(m_settings.number(Settings::DsIni));
    QihaoXianshi();
    m_options->selectStoredKind();
    RefreshSearchRange(true);
    RefreshRefPattern();
    AddHaoma();
    m_commandPanel->chkLive->setChecked(m_settings.flag(Settings::bolShishi));
}

// What the window itself shows of the history and of the commands' work: the title, the recent
// histories, what the commands say, and the online update's progress. The panels follow the
// store on their own.
void frmMain::followHistory()
{
    connect(m_history.get(), &HistoryStore::opened, this, &frmMain::updateTitle);
    connect(m_history.get(), &HistoryStore::gameChanged, this, &frmMain::updateTitle);
    connect(m_histories, &Histories::recentChanged, this, &frmMain::refreshRecentMenu);
    connect(m_historyCommands, &HistoryCommands::status, this, &frmMain::showStatus);
    connect(m_histories, &Histories::status, this, &frmMain::showStatus);
    connect(m_historyCommands, &HistoryCommands::previewWanted, this, &frmMain::previewImport);
    connect(m_historyCommands, &HistoryCommands::updateProgress, this, [this](int day, int days) {
        m_updateProgress->setRange(0, days);
        m_updateProgress->setValue(day);
    });
    connect(m_historyCommands, &HistoryCommands::updatingChanged, this, [this](bool updating) {
        if (updating) {
            QApplication::setOverrideCursor(Qt::BusyCursor);
            m_updateProgress->setValue(0);
        } else {
            QApplication::restoreOverrideCursor();
        }
        m_updateProgress->setVisible(updating);
        updateCommandState();
    });
    // 撤销删除 is offered until the history changes again.
    connect(m_historyCommands, &HistoryCommands::deletionKept, this, &frmMain::updateCommandState);
    for (auto signal : {&HistoryStore::opened, &HistoryStore::appended, &HistoryStore::removed,
                        &HistoryStore::resetDone})
        connect(m_history.get(), signal, this, &frmMain::updateCommandState);
    connect(m_history.get(), &HistoryStore::rowsCorrected, this, &frmMain::updateCommandState);
    connect(m_historyPanel, &HistoryPanel::drawEntered, this, [this](const Digits &digits) {
        if (m_historyCommands->storeDraw(digits, m_historyPanel->shownIssue()))
            m_historyPanel->entryStored();
    });
    connect(m_historyPanel, &HistoryPanel::contextMenuRequested, this,
            [this](const QPoint &at) { m_commands.menu(Lsgl)->popup(at); });
}

void frmMain::updateTitle()
{
    const QString name = m_history->name();
    setWindowTitle(name.isEmpty() ? QStringLiteral("Quorlent")
                                  : QStringLiteral("Quorlent — %1").arg(name));
}

void frmMain::refreshRecentMenu()
{
    for (QAction *a : m_recentActions)
        delete a;
    m_recentActions.clear();
    QMenu *menu = m_commands.menu(Lsgl);
    int n = 0;
    for (const Histories::Recent &recent : m_histories->recent()) {
        auto *a = new QAction(QStringLiteral("&%1 %2").arg(++n).arg(recent.caption), menu);
        a->setObjectName(QStringLiteral("mnuRecent(%1)").arg(n));
        a->setToolTip(recent.file);
        a->setStatusTip(recent.file);
        connect(a, &QAction::triggered, this,
                [this, file = recent.file] { m_histories->open(file); });
        menu->insertAction(m_commands.separatorBefore(Command::HistoryGame), a);
        m_recentActions.push_back(a);
    }
    updateCommandState();
}

// ---- Shared steps -----------------------------------------------------------------------------

void frmMain::RefreshRefPattern()
{
    m_options->RefreshRefPattern();
}

void frmMain::RefreshSearchRange(bool bothBoxes)
{
    m_options->RefreshSearchRange(bothBoxes);
}

void frmMain::AddHaoma()
{
    m_historyPanel->AddHaoma();
}

void frmMain::QihaoXianshi()
{
    m_historyPanel->QihaoXianshi();
}
