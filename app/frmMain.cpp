#include "frmMain.h"

#include "BacktestDialog.h"
#include "Clock.h"
#include "CommandPanel.h"
#include "HistoryFiles.h"
#include "HistoryPanel.h"
#include "HistoryStore.h"
#include "OnlineUpdater.h"
#include "ResultsPanel.h"
#include "ScreenFit.h"
#include "SearchOptionsPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QCursor>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>

using namespace quorlent;

frmMain::frmMain(const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), m_programFolder(programFolder),
      m_history(std::make_unique<HistoryStore>())
{
    setWindowTitle(QStringLiteral("Quorlent"));
    m_live = new LiveSearch(this);
    buildControls();
    setUpStats();
    connectHandlers();
    Form_Load();
    // Fits a 1366×768 screen with every column of the three grids in view.
    fitInsideScreen(this, QSize(1340, 690));
}

frmMain::~frmMain()
{
    // The views, a running update and a running backtest read the history: they end before the
    // store does.
    delete m_backtest;
    m_updater->disconnect(this);
    if (m_updater->isRunning())
        m_updater->cancel();
    delete takeCentralWidget();
    delete m_trendWindow;
    delete m_importPreview;
    delete m_filterWindow;
}

int frmMain::refPattern(int position) const { return m_options->refPattern(position); }

bool frmMain::isManualTab() const { return m_options->isManualTab(); }

void frmMain::connectHandlers()
{
    connect(m_commands->Command9, &QPushButton::clicked, this, &frmMain::Command9_Click);
    connect(m_commands->Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(m_options->combinationButton(), &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(m_commands->cmdRdLst, &QPushButton::clicked, this, &frmMain::cmdRdLst_Click);
    connect(m_commands->Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
    connect(m_commands->Command4, &QPushButton::clicked, this, &frmMain::Command4_Click);
    connect(m_menus.mnuErase, &QAction::triggered, this, &frmMain::Command3_Click);
    connect(m_menus.mnuClear, &QAction::triggered, this, &frmMain::mnuClear_Click);
    connect(m_menus.mnuDlzd, &QAction::triggered, this, &frmMain::mnuDlzd_Click);
    connect(m_menus.mnuEszhzd, &QAction::triggered, this, &frmMain::mnuEszhzd_Click);
    connect(m_menus.mnuXiugai, &QAction::triggered, this, &frmMain::mnuXiugai_Click);
    for (int i = 0; i < 2; ++i)
        connect(m_menus.mnuDscs[i], &QAction::triggered, this, [this, i] { mnuDscs_Click(i); });
    connect(m_menus.mnuSetDay, &QAction::triggered, this, &frmMain::mnuSetDay_Click);
    connect(m_menus.mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(m_historyPanel, &HistoryPanel::drawEntered, this, &frmMain::StoreDraw);
    connect(m_historyPanel, &HistoryPanel::contextMenuRequested, this,
            [this](const QPoint &at) { m_menus.mnuLsgl->popup(at); });
    connectOutput();
    connectTrend();
    connectFilter();
    connectHistories();
    setUpOnlineUpdate();
    followForLiveResults();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && gridDoubleClicked(watched))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The grid has its real height only now: bring the newest draw into view again.
    if (!event->spontaneous())
        AddHaoma();
}

void frmMain::showStatus(const QString &text) { statusBar()->showMessage(text); }

// ---- Start-up -------------------------------------------------------------------------------

void frmMain::Form_Load()
{
    QString path = startupHistory();
    auto opened = m_history->open(path);
    if (!opened.message.isEmpty() && path != historyfiles::defaultPath(m_programFolder)) {
        // The history left open last cannot be read now: the default one instead.
        const QString why = opened.message;
        path = historyfiles::defaultPath(m_programFolder);
        opened = m_history->open(path);
        showStatus(why + QStringLiteral("已打开默认历史库 Varnibo.mdb。"));
    } else if (!opened.message.isEmpty()) {
        showStatus(opened.message);
    }

    m_options->selectStoredOptions();
    mnuDscs_Click(m_settings.number(Settings::DsIni));
    QihaoXianshi();
    m_options->selectStoredKind();
    RefreshSearchRange(true);
    RefreshRefPattern();
    AddHaoma();
    m_commands->chkLive->setChecked(m_settings.flag(Settings::bolShishi));
}

// ---- Shared steps -----------------------------------------------------------------------------

void frmMain::RefreshRefPattern() { m_options->RefreshRefPattern(); }

void frmMain::RefreshSearchRange(bool bothBoxes) { m_options->RefreshSearchRange(bothBoxes); }

// The grid follows the store row by row; what is left is to keep the newest draw in view.
void frmMain::AddHaoma() { m_historyPanel->scrollToNewest(); }

void frmMain::QihaoXianshi()
{
    const Game &game = m_history->game();
    const QDate today = currentDateTime().date();
    if (const HistoryRow *newest = m_history->newest()) {
        lngQihao = newest->sqqh + 1;
        m_nextIssue = game.next(newest->sqqh, today);
    } else {
        // Nothing to continue from: the first draw typed in is today's first (this year's).
        m_nextIssue = game.first(today);
    }
    // The original game's next issue follows the schedule alone; another game's may be typed
    // (a year's first draw, a draw entered late), and is checked when the draw is stored.
    m_historyPanel->showNextIssue(
        game.displayForm(m_nextIssue), !game.isStandard(),
        game.isStandard() ? QString()
                          : QStringLiteral("下一期的期号，可以改成要输入的期号；%1").arg(game.formHint()));
}

// ---- The settings menu ------------------------------------------------------------------------

void frmMain::Command9_Click() { m_menus.mnuSet->popup(QCursor::pos()); }

void frmMain::mnuDscs_Click(int index)
{
    m_settings.set(Settings::DsIni, index);
    for (QAction *entry : m_menus.mnuDscs)
        entry->setChecked(false);
    m_menus.mnuDscs[index]->setChecked(true);
    m_options->segmentBaseChanged();
}

void frmMain::mnuSetDay_Click()
{
    const QString prompt = QStringLiteral("请输入更新需要保留的历史号码的天数（2~16中的任意自然数），"
                                          "如果超过天数将删除最早的一天的历史号码");
    for (;;) {
        QInputDialog dialog(this);
        dialog.setWindowTitle(QStringLiteral("设置天数"));
        dialog.setLabelText(prompt);
        dialog.setTextValue(QString::number(m_settings.number(Settings::IniSerchDay)));
        if (dialog.exec() != QDialog::Accepted)
            return;
        const QString answer = dialog.textValue().trimmed();
        if (answer.isEmpty())
            return;
        bool ok = false;
        const int days = answer.toInt(&ok);
        if (ok && m_settings.set(Settings::IniSerchDay, days))
            return;
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("输入有误"),
                        QStringLiteral("为了保证时效性和提高计算效率，软件只能统计16天以内的数据，"
                                       "请输入2到16中的自然数。"),
                        QMessageBox::Ok, this);
        box.exec();
    }
}

// ---- Manual entry ---------------------------------------------------------------------------

void frmMain::StoreDraw(const Digits &digits)
{
    if (!m_history->isOpen()) {
        showStatus(QStringLiteral("没有可用的历史数据库，这期号码未能保存。"));
        return;
    }
    const Game &game = m_history->game();
    int32_t issue = m_nextIssue;
    if (!game.isStandard()) {
        // The issue shown may have been typed over: it must be one of the game's, after the newest.
        const QString typed = m_historyPanel->shownIssue().trimmed();
        const std::optional<int32_t> parsed = game.parse(typed);
        if (!parsed || !game.exists(*parsed)) {
            showStatus(QStringLiteral("期号“%1”不对，这期号码未能保存：%2。").arg(typed, game.formHint()));
            return;
        }
        if (const HistoryRow *newest = m_history->newest(); newest && *parsed <= newest->sqqh) {
            showStatus(QStringLiteral("期号 %1 不在最新一期 %2 之后，这期号码未能保存。")
                           .arg(game.displayForm(*parsed), game.displayForm(newest->sqqh)));
            return;
        }
        issue = *parsed;
    }
    DrawRun run = m_history->continueRun();
    DrawRecord record = run.append(issue, digits, m_settings.number(Settings::DsIni));
    if (game.numbersByYear())
        record.date = Game::dateNumber(currentDateTime().date()); // the issue does not say it
    if (!m_history->append(std::span(&record, 1))) {
        showStatus(QStringLiteral("第 %1 期号码未能保存：%2")
                       .arg(game.displayForm(record.sqqh), m_history->lastError()));
        return;
    }
    RefreshRefPattern();
    m_historyPanel->entryStored();
    AddHaoma();
    QihaoXianshi();
    QStringList shown;
    for (uint8_t d : digits)
        shown << QString::number(d);
    showStatus(QStringLiteral("已存入 %1 期：%2").arg(game.displayForm(record.sqqh), shown.join(u' ')));
}
