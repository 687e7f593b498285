#include "frmMain.h"

#include "BacktestDialog.h"
#include "Clock.h"
#include "HistoryFiles.h"
#include "HistoryGridModel.h"
#include "HistoryStore.h"
#include "OnlineUpdater.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QShowEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>

using namespace quorlent;

namespace {

// More grid rows than this (header included) no longer fit the grid's designed height: the grid
// then scrolls so that the newest draw is in view.
constexpr int kGridRowsInView = 39;

} // namespace

frmMain::frmMain(const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), m_programFolder(programFolder),
      m_history(std::make_unique<HistoryStore>())
{
    setWindowTitle(QStringLiteral("Quorlent"));
    buildControls();
    buildMenus();
    buildHistoryMenu();
    setUpResultGrids();
    setUpStats();
    connectHandlers();
    Form_Load();
    // Fits a 1366×768 screen with every column of the three grids in view.
    resize(QSize(1340, 690).expandedTo(minimumSizeHint()));
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
}

void frmMain::connectHandlers()
{
    auto onSelect = [this](QRadioButton *button, int index, void (frmMain::*handler)(int)) {
        connect(button, &QRadioButton::toggled, this, [this, index, handler](bool checked) {
            if (checked)
                (this->*handler)(index);
        });
    };
    for (int i = 0; i < 4; ++i) {
        onSelect(Option1[i], i, &frmMain::Option1_Click);
        onSelect(Option3[i], i, &frmMain::Option3_Click);
        onSelect(Option4[i], i, &frmMain::Option4_Click);
    }
    for (int i : {4, 5})
        onSelect(Option2[i], i, &frmMain::Option2_Click);
    for (int i = 1; i <= 5; ++i)
        onSelect(Option5[i], i, &frmMain::Option5_Click);
    for (int i = 0; i < 2; ++i)
        onSelect(Option6[i], i, &frmMain::Option6_Click);

    connect(TabStrip1, &QTabBar::currentChanged, this, &frmMain::TabStrip1_Click);
    connect(Command9, &QPushButton::clicked, this, &frmMain::Command9_Click);
    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(cmdRdLst, &QPushButton::clicked, this, &frmMain::cmdRdLst_Click);
    connect(Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
    connect(mnuErase, &QAction::triggered, this, &frmMain::Command3_Click);
    connect(mnuClear, &QAction::triggered, this, &frmMain::mnuClear_Click);
    connect(mnuDlzd, &QAction::triggered, this, &frmMain::mnuDlzd_Click);
    connect(mnuEszhzd, &QAction::triggered, this, &frmMain::mnuEszhzd_Click);
    connect(Command4, &QPushButton::clicked, this, &frmMain::Command4_Click);
    connectOutput();
    connectTrend();
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_LostFocus(); });
    // The list's current item follows the width shown, so that the list opens on it and the
    // arrow keys step from it.
    connect(Combo1, &QComboBox::editTextChanged, this, [this](const QString &text) {
        const int item = Combo1->findText(text);
        if (item >= 0 && item != Combo1->currentIndex())
            Combo1->setCurrentIndex(item);
    });
    for (int i = 0; i < 2; ++i)
        connect(mnuDscs[i], &QAction::triggered, this, [this, i] { mnuDscs_Click(i); });
    connect(mnuSetDay, &QAction::triggered, this, &frmMain::mnuSetDay_Click);
    for (int i = 1; i <= 5; ++i)
        connect(MaskEdBox1[i], &QLineEdit::textChanged, this, [this, i] { MaskEdBox1_Change(i); });
    connect(MSFlexGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        mnuLsgl->popup(MSFlexGrid1->viewport()->mapToGlobal(pos));
    });

    setUpOnlineUpdate();
    connectSearchRange();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && gridDoubleClicked(watched))
        return true;
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        for (int i = 1; i <= 5; ++i) {
            if (watched == MaskEdBox1[i])
                bolEntryReset = false; // a key in any entry box ends the reset, before its change
            if (watched == Text22[i] && !key->text().isEmpty()) {
                const QChar c = key->text().at(0);
                const bool accepted = c == QLatin1Char('-') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                                      key->key() == Qt::Key_Backspace || !c.isPrint();
                if (!accepted)
                    return true;
            }
        }
    } else if (event->type() == QEvent::FocusOut) {
        if (watched == MaskEdBox2)
            MaskEdBox2_LostFocus();
        else if (watched == Combo1)
            Combo1_LostFocus();
        for (int i = 1; i <= 5; ++i) {
            if (watched == Text22[i])
                Text22_LostFocus(i);
        }
    }
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
    m_loading = true;
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

    Option1[m_settings.flag(Settings::bolZyw) ? 1 : 0]->setChecked(true);
    Option1[m_settings.flag(Settings::bolSq) ? 3 : 2]->setChecked(true);
    Option2[m_settings.flag(Settings::bolZuxuan) ? 5 : 4]->setChecked(true);
    Option5[m_settings.number(Settings::intConsqSort)]->setChecked(true);
    Option4[m_settings.number(Settings::intXianshiLei)]->setChecked(true);
    mnuDscs_Click(m_settings.number(Settings::DsIni));
    Option6[m_settings.flag(Settings::bolZhpm) ? 1 : 0]->setChecked(true);
    MaskEdBox2->setText(QString::number(m_settings.number(Settings::intPreQi)));
    Combo1->setEditText(QString::number(m_settings.number(Settings::intZhWSetup)));
    QihaoXianshi();
    Option3[m_settings.number(Settings::intLei)]->setChecked(true);
    RefreshSearchRange(true);
    RefreshRefPattern();
    AddHaoma();
    m_loading = false;
}

// ---- Shared refreshes -----------------------------------------------------------------------

void frmMain::RefreshRefPattern()
{
    if (TabStrip1->currentIndex() == 0) {
        bolShoudong = false;
        const auto &rows = m_history->rows();
        const long back = m_settings.flag(Settings::bolSq) ? 0 : m_settings.number(Settings::intPreQi) - 1;
        const long index = static_cast<long>(rows.size()) - 1 - back;
        if (index < 0)
            return; // no such draw: the boxes keep what they show
        const Kind kind = static_cast<Kind>(m_settings.number(Settings::intLei));
        const PositionValues &values = rows[static_cast<size_t>(index)].own[kind];
        for (int i = 1; i <= 5; ++i) {
            intRefPattern[i] = values[i - 1];
            Text2[i]->setText(QString::number(values[i - 1]));
        }
    } else {
        bolShoudong = true;
        for (int i = 1; i <= 5; ++i) {
            bool ok = false;
            const int value = Text22[i]->text().trimmed().toInt(&ok);
            if (ok)
                intRefPattern[i] = value;
        }
    }
}

void frmMain::RefreshSearchRange(bool bothBoxes)
{
    if (m_history->empty())
        return; // the boxes keep their text
    const auto &rows = m_history->rows();
    const Game &game = m_history->game();
    const int k = m_settings.flag(Settings::bolSq) ? 1 : m_settings.number(Settings::intPreQi);
    // Plain arithmetic on the stored form, as ever: the box shows a number the user may edit.
    Text3[0]->setText(game.displayForm(rows.front().sqqh + k));
    if (bothBoxes)
        Text3[1]->setText(game.displayForm(rows.back().sqqh));
}

// The 起 and 止 boxes name draws of the history they were filled from. A history that replaces
// the whole one, or fills an empty one, gets the boxes of a fresh start; appended draws move 止
// along only while it showed the newest draw, so a value the user typed stays as it is.
void frmMain::connectSearchRange()
{
    HistoryStore *store = m_history.get();
    for (auto before : {&HistoryStore::aboutToAppend, &HistoryStore::aboutToRemove})
        connect(store, before, this, &frmMain::searchRangeBeforeChange);
    connect(store, &HistoryStore::aboutToReset, this, &frmMain::searchRangeBeforeChange);
    connect(store, &HistoryStore::appended, this, [this] { searchRangeAfterChange(false); });
    connect(store, &HistoryStore::removed, this, [this] { searchRangeAfterChange(false); });
    connect(store, &HistoryStore::resetDone, this, [this] { searchRangeAfterChange(true); });
}

void frmMain::searchRangeBeforeChange()
{
    const HistoryRow *newest = m_history->newest();
    m_historyWasEmpty = newest == nullptr;
    m_rangeEndAtNewest =
        newest && Text3[1]->text() == m_history->game().displayForm(newest->sqqh);
}

void frmMain::searchRangeAfterChange(bool wholeHistory)
{
    if (m_history->empty()) {
        for (QLineEdit *box : Text3)
            box->setText(QLatin1String(kRangeDesignText));
    } else if (wholeHistory || m_historyWasEmpty) {
        RefreshSearchRange(true);
    } else if (m_rangeEndAtNewest) {
        Text3[1]->setText(m_history->game().displayForm(m_history->newest()->sqqh));
    }
}

void frmMain::AddHaoma()
{
    // The model follows the store row by row; what is left is to keep the newest draw in view.
    if (m_historyModel->rowCount() + 1 > kGridRowsInView)
        MSFlexGrid1->scrollToBottom();
    else
        MSFlexGrid1->scrollToTop();
}

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
    Text1->setText(game.displayForm(m_nextIssue));
}

// ---- Reference tabs and settings menu --------------------------------------------------------

void frmMain::TabStrip1_Click(int tab)
{
    Frame2[0]->setVisible(tab == 0);
    Frame2[1]->setVisible(tab == 1);
    bolShoudong = tab == 1;
    const auto &boxes = tab == 0 ? Text2 : Text22;
    for (int i = 1; i <= 5; ++i) {
        bool ok = false;
        const int value = boxes[i]->text().trimmed().toInt(&ok);
        if (ok)
            intRefPattern[i] = value;
    }
}

void frmMain::Command9_Click() { mnuSet->popup(QCursor::pos()); }

// ---- Option controls ------------------------------------------------------------------------

void frmMain::Option1_Click(int index)
{
    if (index == 1 || index == 0)
        m_settings.setFlag(Settings::bolZyw, index == 1);
    else
        m_settings.setFlag(Settings::bolSq, index == 3);
    m_settings.setFlag(Settings::bolZyw, m_settings.flag(Settings::bolZyw));
    m_settings.setFlag(Settings::bolSq, m_settings.flag(Settings::bolSq));
    RefreshRefPattern();
    RefreshSearchRange(false);
}

void frmMain::Option2_Click(int)
{
    m_settings.setFlag(Settings::bolZuxuan, Option2[5]->isChecked());
    RefreshRefPattern();
}

void frmMain::Option3_Click(int index)
{
    m_settings.set(Settings::intLei, index);
    RefreshRefPattern();
}

void frmMain::Option4_Click(int index) { m_settings.set(Settings::intXianshiLei, index); }

void frmMain::Option5_Click(int index) { m_settings.set(Settings::intConsqSort, index); }

void frmMain::Option6_Click(int index) { m_settings.setFlag(Settings::bolZhpm, index != 0); }

void frmMain::Combo1_LostFocus()
{
    bool ok = false;
    const int width = Combo1->currentText().trimmed().toInt(&ok);
    if (ok && Settings::inRange(Settings::intZhWSetup, width))
        m_settings.set(Settings::intZhWSetup, width);
    else // not a number: keep the width in force and show it again
        Combo1->setEditText(QString::number(m_settings.number(Settings::intZhWSetup)));
}

void frmMain::MaskEdBox2_LostFocus()
{
    bool ok = false;
    const int n = MaskEdBox2->text().toInt(&ok);
    if (!ok || !m_settings.set(Settings::intPreQi, n)) {
        MaskEdBox2->setText(QString::number(m_settings.number(Settings::intPreQi)));
        return;
    }
    RefreshRefPattern();
    RefreshSearchRange(false);
}

void frmMain::Text22_LostFocus(int index)
{
    bool ok = false;
    const int value = Text22[index]->text().trimmed().toInt(&ok);
    if (ok)
        intRefPattern[index] = value;
}

void frmMain::mnuDscs_Click(int index)
{
    m_settings.set(Settings::DsIni, index);
    for (QAction *entry : mnuDscs)
        entry->setChecked(false);
    mnuDscs[index]->setChecked(true);
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

void frmMain::MaskEdBox1_Change(int index)
{
    if (index == 5 && !MaskEdBox1[5]->text().isEmpty() && !bolEntryReset)
        StoreDraw();
    if (!bolEntryReset && index >= 1 && index <= 4 && !MaskEdBox1[index]->text().isEmpty())
        MaskEdBox1[index + 1]->setFocus();
}

void frmMain::StoreDraw()
{
    if (!m_history->isOpen()) {
        showStatus(QStringLiteral("没有可用的历史数据库，这期号码未能保存。"));
        return;
    }
    Digits digits{};
    for (int i = 1; i <= 5; ++i) {
        const QString text = MaskEdBox1[i]->text();
        digits[i - 1] = static_cast<uint8_t>(text.isEmpty() ? 0 : text.toInt()); // "_" counts as 0
    }
    const Game &game = m_history->game();
    int32_t issue = m_nextIssue;
    if (!Text1->isReadOnly()) {
        // The issue shown may have been typed over: it must be one of the game's, after the newest.
        const QString typed = Text1->text().trimmed();
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
                       .arg(game.displayForm(record.sqqh),
                            QString::fromStdString(m_history->db()->sql().lastError())));
        return;
    }
    RefreshRefPattern();
    bolEntryReset = true;
    for (int i = 1; i <= 5; ++i)
        MaskEdBox1[i]->clear();
    MaskEdBox1[1]->setFocus();
    AddHaoma();
    QihaoXianshi();
}
