#include "PlanWindow.h"

#include "BalanceChartView.h"
#include "BusyCursor.h"
#include "Clock.h"
#include "FileChooser.h"
#include "GridExport.h"
#include "HistoryStore.h"
#include "LongRuns.h"
#include "OmissionTable.h"
#include "PanelWidgets.h"
#include "PlanLedgerModel.h"
#include "PlanLongRunModel.h"
#include "PlanOmissionModel.h"
#include "PlanPrizeModel.h"
#include "PlanSourceEditor.h"
#include "ScreenFit.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QThread>
#include <QVBoxLayout>

using namespace quorlent;
using namespace quorlent::plan;
using panels::named;

namespace {

enum RangeChoice
{
    Latest,
    All,
    Issues
};

QString percent(double share, int decimals = 2)
{
    return QStringLiteral("%1%").arg(share * 100, 0, 'f', decimals);
}

QString yuan(Money m)
{
    return moneyText(m) + QStringLiteral(" 元");
}

} // namespace

PlanWindow::PlanWindow(HistoryStore &store, const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), m_store(store), m_folder(programFolder), m_plans(programFolder),
      m_game(store.game())
{
    setObjectName(QStringLiteral("frmJihua"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("计划"));
    m_ledgerModel = new PlanLedgerModel(this);
    m_runModel = new PlanLongRunModel(this);
    m_omissionModel = new PlanOmissionModel(this);
    m_prizeModel = new PlanPrizeModel(this);

    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(buildPlanPanel());
    tabMain = named(new QTabWidget, QStringLiteral("tabJihua"));
    tabMain->addTab(buildLedgerTab(), QStringLiteral("账本"));
    tabMain->addTab(buildPrizeTab(), QStringLiteral("奖金表"));
    tabMain->addTab(buildRunsTab(), QStringLiteral("长龙"));
    m_omissionTab = buildOmissionTab();
    tabMain->addTab(m_omissionTab, QStringLiteral("遗漏统计"));
    splitter->addWidget(tabMain);
    splitter->setStretchFactor(1, 1);
    splitter->setCollapsible(0, false);
    splitter->setSizes({400, 940});
    setCentralWidget(splitter);
    statusBar();

    setDefinition(PlanDefinition::defaults(m_game));
    connectControls();
    refreshPlanNames();
    refreshRuns();
    refreshOmissions();
    updateButtons();
    fitInsideScreen(this, QSize(1340, 720), parent);
}

PlanWindow::~PlanWindow()
{
    // The views go with the window's children, after the ledger the model reads.
    m_ledgerModel->setLedger(nullptr, m_game);
    for (QThread *thread : {m_thread, m_ruinThread}) {
        if (thread) {
            m_cancel = true;
            m_ruinCancel = true;
            thread->wait();
            delete thread;
        }
    }
}

QWidget *PlanWindow::buildPlanPanel()
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);

    auto *source = new QGroupBox(QStringLiteral("计划号码"));
    auto *sourceLayout = new QVBoxLayout(source);
    sourceLayout->setContentsMargins(6, 4, 6, 4);
    m_source = new PlanSourceEditor(m_folder);
    sourceLayout->addWidget(m_source);
    layout->addWidget(source);

    auto *play = new QGroupBox(QStringLiteral("玩法、范围与倍投"));
    auto *form = new QFormLayout(play);
    form->setContentsMargins(6, 4, 6, 4);
    cboPlay = named(new QComboBox, QStringLiteral("cboPlay"));
    for (const Play &p : plays())
        cboPlay->addItem(p.displayName(), QLatin1String(p.id));
    cboPlay->setMaxVisibleItems(28);
    form->addRow(QStringLiteral("玩法"), cboPlay);

    auto *range = new QHBoxLayout;
    cboRange = named(new QComboBox, QStringLiteral("cboRange"));
    cboRange->addItems({QStringLiteral("近"), QStringLiteral("全部"), QStringLiteral("期号")});
    spnLatest = named(new QSpinBox, QStringLiteral("spnLatest"));
    spnLatest->setRange(1, 10'000'000);
    spnLatest->setSuffix(QStringLiteral(" 期"));
    txtFrom = named(new QLineEdit, QStringLiteral("txtFrom"));
    txtTo = named(new QLineEdit, QStringLiteral("txtTo"));
    for (QLineEdit *e : {txtFrom, txtTo}) {
        e->setPlaceholderText(m_game.isStandard()
                                  ? QStringLiteral("20160908001")
                                  : m_game.displayForm(m_game.first(QDate(2026, 1, 1))));
        e->setMinimumWidth(70);
    }
    range->addWidget(cboRange);
    range->addWidget(spnLatest, 1);
    range->addWidget(txtFrom, 1);
    lblTo = named(new QLabel(QStringLiteral("至")), QStringLiteral("lblTo"));
    range->addWidget(lblTo);
    range->addWidget(txtTo, 1);
    form->addRow(QStringLiteral("范围"), range);

    auto *staking = new QHBoxLayout;
    cboProgression = named(new QComboBox, QStringLiteral("cboProgression"));
    cboProgression->addItems(
        {QStringLiteral("固定倍数"), QStringLiteral("挂后翻倍"), QStringLiteral("倍数列表")});
    spnMultiplier = named(new QSpinBox, QStringLiteral("spnMultiplier"));
    spnMultiplier->setRange(1, int(Progression::kLargestMultiplier));
    spnMultiplier->setSuffix(QStringLiteral(" 倍"));
    spnMultiplier->setToolTip(QStringLiteral("固定倍数：每期的倍数；挂后翻倍：起始倍数"));
    spnCap = named(new QSpinBox, QStringLiteral("spnCap"));
    spnCap->setRange(1, int(Progression::kLargestMultiplier));
    spnCap->setPrefix(QStringLiteral("最高 "));
    spnCap->setSuffix(QStringLiteral(" 倍"));
    txtSteps = named(new QLineEdit, QStringLiteral("txtSteps"));
    txtSteps->setPlaceholderText(QStringLiteral("1 2 4 8 16"));
    txtSteps->setToolTip(QStringLiteral("连挂时依次使用的倍数；中了回到第一个，用完从头再来"));
    staking->addWidget(cboProgression);
    staking->addWidget(spnMultiplier, 1);
    staking->addWidget(spnCap, 1);
    staking->addWidget(txtSteps, 2);
    form->addRow(QStringLiteral("倍投"), staking);

    auto *money = new QHBoxLayout;
    txtStart = named(new QLineEdit, QStringLiteral("txtStart"));
    txtPrice = named(new QLineEdit, QStringLiteral("txtPrice"));
    money->addWidget(txtStart, 1);
    money->addWidget(new QLabel(QStringLiteral("元   单注")));
    money->addWidget(txtPrice, 1);
    money->addWidget(new QLabel(QStringLiteral("元")));
    form->addRow(QStringLiteral("起始资金"), money);
    layout->addWidget(play);

    auto *run = new QHBoxLayout;
    cmdCompute = named(new QPushButton(QStringLiteral("计算(&C)")), QStringLiteral("cmdCompute"));
    cmdCancel = named(new QPushButton(QStringLiteral("取消")), QStringLiteral("cmdCancel"));
    barProgress = named(new QProgressBar, QStringLiteral("barProgress"));
    barProgress->setRange(0, 1000);
    barProgress->setValue(0);
    run->addWidget(cmdCompute);
    run->addWidget(cmdCancel);
    run->addWidget(barProgress, 1);
    layout->addLayout(run);
    lblError = named(new QLabel, QStringLiteral("lblError"));
    lblError->setWordWrap(true);
    lblError->setStyleSheet(QStringLiteral("QLabel { color: #c01010; }"));
    layout->addWidget(lblError);

    auto *saved = new QHBoxLayout;
    cboPlanName = named(new QComboBox, QStringLiteral("cboPlanName"));
    cboPlanName->setEditable(true);
    cboPlanName->lineEdit()->setPlaceholderText(QStringLiteral("计划名称"));
    cmdSave = named(new QPushButton(QStringLiteral("保存")), QStringLiteral("cmdSave"));
    cmdOpen = named(new QPushButton(QStringLiteral("打开")), QStringLiteral("cmdOpen"));
    cmdDelete = named(new QPushButton(QStringLiteral("删除")), QStringLiteral("cmdDelete"));
    saved->addWidget(cboPlanName, 1);
    saved->addWidget(cmdSave);
    saved->addWidget(cmdOpen);
    saved->addWidget(cmdDelete);
    layout->addLayout(saved);
    layout->addStretch();

    auto *scroll = new QScrollArea;
    scroll->setWidget(panel);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Narrow enough to leave the ledger its nine columns on a 1366-pixel screen.
    scroll->setMinimumWidth(360);
    scroll->setMaximumWidth(440);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return scroll;
}

QWidget *PlanWindow::buildLedgerTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    lblSummary = named(new QLabel, QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    lblSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblSummary->setText(QStringLiteral("定好计划后按“计算”：每一期只用它之前的开奖给出号码。"));
    layout->addWidget(lblSummary);

    auto *split = new QSplitter(Qt::Vertical);
    tblLedger = panels::grid("tblLedger");
    tblLedger->setModel(m_ledgerModel);
    tblLedger->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Widths from sample texts: half a million rows are not measured.
    const QFontMetrics metrics = tblLedger->fontMetrics();
    const char *const samples[PlanLedgerModel::ColumnCount] = {
        "20160908120", "", "99999", "9999", "999999", "00000", "中 ×2", "999999", "-9999999"};
    for (int c = 0; c < PlanLedgerModel::ColumnCount; ++c) {
        if (c != PlanLedgerModel::Numbers)
            tblLedger->horizontalHeader()->resizeSection(
                c, metrics.horizontalAdvance(QString::fromUtf8(samples[c])) + 18);
    }
    tblLedger->horizontalHeader()->setSectionResizeMode(PlanLedgerModel::Numbers,
                                                        QHeaderView::Stretch);
    split->addWidget(tblLedger);
    m_chart = named(new BalanceChartView, QStringLiteral("chtBalance"));
    m_chart->setProposedPath(QDir(m_folder).filePath(QStringLiteral("计划余额.png")));
    split->addWidget(m_chart);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    layout->addWidget(split, 1);

    auto *next = new QHBoxLayout;
    lblNext = named(new QLabel, QStringLiteral("lblNext"));
    lblNext->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdCopyBlanks =
        named(new QPushButton(QStringLiteral("复制（空格分隔）")), QStringLiteral("cmdCopyBlanks"));
    cmdCopyLines =
        named(new QPushButton(QStringLiteral("复制（每行一个）")), QStringLiteral("cmdCopyLines"));
    cmdExport = named(new QPushButton(QStringLiteral("导出表格(&E)")), QStringLiteral("cmdExport"));
    next->addWidget(lblNext, 1);
    next->addWidget(cmdCopyBlanks);
    next->addWidget(cmdCopyLines);
    next->addWidget(cmdExport);
    layout->addLayout(next);
    return page;
}

QWidget *PlanWindow::buildPrizeTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *note = new QLabel(QStringLiteral(
        "每注的奖金可以修改（双击奖金）。庄家抽成 = 1 − 单注中奖概率 × 奖金 ÷ 单注价格，"
        "即随机情况下每投入 1 元平均拿不回来的部分。标为“参考值”的玩法，运营方并不按此"
        "销售。任何倍投方式都不改变期望回报率：每一注平均都只收回同样比例的投入。"));
    note->setWordWrap(true);
    layout->addWidget(note);
    tblPrizes = panels::grid("tblPrizes");
    tblPrizes->setModel(m_prizeModel);
    tblPrizes->setEditTriggers(QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed);
    tblPrizes->horizontalHeader()->setSectionResizeMode(PlanPrizeModel::Source,
                                                        QHeaderView::Stretch);
    layout->addWidget(tblPrizes, 1);
    return page;
}

QWidget *PlanWindow::buildRunsTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("列出连续至少")));
    spnMinRun = named(new QSpinBox, QStringLiteral("spnMinRun"));
    spnMinRun->setRange(1, 1000);
    spnMinRun->setValue(5);
    spnMinRun->setSuffix(QStringLiteral(" 期"));
    bar->addWidget(spnMinRun);
    bar->addWidget(new QLabel(QStringLiteral("的长龙（最新一期所在的连续段）")));
    bar->addStretch();
    layout->addLayout(bar);
    tblRuns = panels::grid("tblRuns");
    tblRuns->setModel(m_runModel);
    tblRuns->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tblRuns->setSortingEnabled(true);
    tblRuns->sortByColumn(PlanLongRunModel::Length, Qt::DescendingOrder);
    tblRuns->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(tblRuns, 1);
    lblRuns = named(new QLabel, QStringLiteral("lblRuns"));
    lblRuns->setWordWrap(true);
    layout->addWidget(lblRuns);
    return page;
}

void PlanWindow::showOmissions()
{
    tabMain->setCurrentWidget(m_omissionTab);
}

QWidget *PlanWindow::buildOmissionTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *bar = new QHBoxLayout;
    cboOmissionRange = named(new QComboBox, QStringLiteral("cboOmissionRange"));
    cboOmissionRange->addItems({QStringLiteral("近 100 期"), QStringLiteral("近 500 期"),
                                QStringLiteral("近 1000 期"), QStringLiteral("全部")});
    cboOmissionRange->setCurrentIndex(3);
    chkCarried =
        named(new QCheckBox(QStringLiteral("遗漏从第一期算起")), QStringLiteral("chkCarried"));
    chkCarried->setChecked(true);
    chkCarried->setToolTip(
        QStringLiteral("不勾选时，窗口开始前的遗漏不计入（与走势图的统计起点相同）"));
    bar->addWidget(cboOmissionRange);
    bar->addWidget(chkCarried);
    bar->addStretch();
    layout->addLayout(bar);
    tblOmissions = panels::grid("tblOmissions");
    tblOmissions->setModel(m_omissionModel);
    // In table order until a header is clicked.
    tblOmissions->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tblOmissions->setSortingEnabled(true);
    tblOmissions->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tblOmissions->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(tblOmissions, 1);
    auto *note = new QLabel(QStringLiteral(
        "与走势图统计行的算法相同。遗漏至今的概率：每期开出概率为 p 时，连续这么多期都不开的"
        "概率 (1 − p)^当前遗漏；号码多、期数多时，总有一些号码遗漏很久，这并不说明它“该出了”。"));
    note->setWordWrap(true);
    layout->addWidget(note);
    return page;
}

void PlanWindow::connectControls()
{
    connect(cmdCompute, &QPushButton::clicked, this, &PlanWindow::compute);
    connect(cmdCancel, &QPushButton::clicked, this,
            [this] { cancel(QStringLiteral("计算已取消。")); });
    connect(m_source, &PlanSourceEditor::changed, this, &PlanWindow::sourceChanged);
    connect(cboRange, &QComboBox::currentIndexChanged, this, [this](int choice) {
        spnLatest->setVisible(choice == Latest);
        txtFrom->setVisible(choice == Issues);
        txtTo->setVisible(choice == Issues);
        lblTo->setVisible(choice == Issues);
        sourceChanged();
    });
    connect(spnLatest, &QSpinBox::valueChanged, this, &PlanWindow::sourceChanged);
    connect(txtFrom, &QLineEdit::textChanged, this, &PlanWindow::sourceChanged);
    connect(txtTo, &QLineEdit::textChanged, this, &PlanWindow::sourceChanged);
    connect(cboPlay, &QComboBox::currentIndexChanged, this, &PlanWindow::applyPlay);
    connect(m_prizeModel, &PlanPrizeModel::tableEdited, this, &PlanWindow::applyPlay);
    connect(m_prizeModel, &PlanPrizeModel::inputRefused, this,
            [this](const QString &message) { lblError->setText(message); });
    connect(txtPrice, &QLineEdit::editingFinished, this, &PlanWindow::applyPlay);
    connect(cboProgression, &QComboBox::currentIndexChanged, this, [this](int kind) {
        spnCap->setVisible(kind == int(Progression::Kind::Doubling));
        spnMultiplier->setVisible(kind != int(Progression::Kind::List));
        txtSteps->setVisible(kind == int(Progression::Kind::List));
        applyStaking();
    });
    connect(spnMultiplier, &QSpinBox::valueChanged, this, &PlanWindow::applyStaking);
    connect(spnCap, &QSpinBox::valueChanged, this, &PlanWindow::applyStaking);
    connect(txtSteps, &QLineEdit::editingFinished, this, &PlanWindow::applyStaking);
    connect(txtStart, &QLineEdit::editingFinished, this, &PlanWindow::applyStaking);
    connect(cmdCopyBlanks, &QPushButton::clicked, this, [this] { copyNext(false); });
    connect(cmdCopyLines, &QPushButton::clicked, this, [this] { copyNext(true); });
    connect(cmdExport, &QPushButton::clicked, this, &PlanWindow::cmdExport_Click);
    connect(cmdSave, &QPushButton::clicked, this, &PlanWindow::cmdSave_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &PlanWindow::cmdOpen_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &PlanWindow::cmdDelete_Click);
    connect(spnMinRun, &QSpinBox::valueChanged, this, &PlanWindow::refreshRuns);
    connect(cboOmissionRange, &QComboBox::currentIndexChanged, this, &PlanWindow::refreshOmissions);
    connect(chkCarried, &QCheckBox::toggled, this, &PlanWindow::refreshOmissions);

    for (auto signal : {&HistoryStore::opened, &HistoryStore::appended, &HistoryStore::removed,
                        &HistoryStore::resetDone, &HistoryStore::gameChanged})
        connect(&m_store, signal, this, &PlanWindow::historyChanged);
    connect(&m_store, &HistoryStore::rowsCorrected, this, &PlanWindow::historyChanged);
}

PlanDefinition PlanWindow::definition(FieldErrors *errors) const
{
    PlanDefinition plan = PlanDefinition::defaults(m_game);
    plan.scheme = m_openedScheme; // kept when its 方案 has gone from the folder
    FieldErrors found = m_source->readInto(plan);
    plan.search.request.game = m_game;
    plan.play = cboPlay->currentData().toString();
    plan.prizes = m_prizeModel->table();
    if (const std::optional<Money> price = parseMoney(txtPrice->text()))
        plan.prizes.price = *price;
    else
        found.push_back(
            {QStringLiteral("单注价格"), QStringLiteral("“%1”不是金额").arg(txtPrice->text())});
    switch (cboRange->currentIndex()) {
    case Latest:
        plan.range = PlanRange::latest(spnLatest->value());
        break;
    case All:
        plan.range = PlanRange::all();
        break;
    default:
        plan.range = PlanRange::issues(txtFrom->text(), txtTo->text());
        break;
    }
    plan.progression.kind = Progression::Kind(cboProgression->currentIndex());
    plan.progression.base = spnMultiplier->value();
    plan.progression.cap = spnCap->value();
    if (plan.progression.kind == Progression::Kind::List) {
        FieldError error;
        if (auto steps = Progression::parseList(txtSteps->text(), &error))
            plan.progression.steps = *steps;
        else
            found.push_back(error);
    }
    if (const std::optional<Money> start = parseMoney(txtStart->text()))
        plan.startBalance = *start;
    else
        found.push_back(
            {QStringLiteral("起始资金"), QStringLiteral("“%1”不是金额").arg(txtStart->text())});
    if (errors)
        *errors = found;
    return plan;
}

void PlanWindow::setDefinition(const PlanDefinition &plan)
{
    const QSignalBlocker blockers[] = {
        QSignalBlocker(cboPlay),        QSignalBlocker(cboRange),      QSignalBlocker(spnLatest),
        QSignalBlocker(cboProgression), QSignalBlocker(spnMultiplier), QSignalBlocker(spnCap)};
    m_openedScheme = plan.scheme;
    m_source->show(plan);
    cboPlay->setCurrentIndex(std::max(0, cboPlay->findData(plan.play)));
    m_prizeModel->setTable(plan.prizes, m_game);
    txtPrice->setText(moneyText(plan.prizes.price));
    cboRange->setCurrentIndex(int(plan.range.kind));
    spnLatest->setValue(int(std::min<int64_t>(plan.range.count, spnLatest->maximum())));
    txtFrom->setText(plan.range.first);
    txtTo->setText(plan.range.last);
    const int choice = int(plan.range.kind);
    spnLatest->setVisible(choice == Latest);
    txtFrom->setVisible(choice == Issues);
    txtTo->setVisible(choice == Issues);
    lblTo->setVisible(choice == Issues);
    cboProgression->setCurrentIndex(int(plan.progression.kind));
    spnMultiplier->setValue(int(plan.progression.base));
    spnCap->setValue(int(plan.progression.cap));
    txtSteps->setText(Progression::listText(plan.progression.steps));
    const int kind = int(plan.progression.kind);
    spnCap->setVisible(kind == int(Progression::Kind::Doubling));
    spnMultiplier->setVisible(kind != int(Progression::Kind::List));
    txtSteps->setVisible(kind == int(Progression::Kind::List));
    txtStart->setText(moneyText(plan.startBalance));
}

void PlanWindow::showErrors(const FieldErrors &errors)
{
    QStringList lines;
    for (const FieldError &e : errors)
        lines << e.text();
    lblError->setText(lines.join(QLatin1Char('\n')));
}

QString PlanWindow::errorText() const
{
    return lblError->text();
}

void PlanWindow::status(const QString &text)
{
    statusBar()->showMessage(text);
}

bool PlanWindow::compute()
{
    if (m_thread)
        return false;
    FieldErrors errors;
    const PlanDefinition plan = definition(&errors);
    const FieldErrors more = plan.validate();
    errors.insert(errors.end(), more.begin(), more.end());
    showErrors(errors);
    if (!errors.empty()) {
        status(QStringLiteral("计划无法计算：%1").arg(errors.front().text()));
        return false;
    }
    m_pendingRows = std::make_shared<const std::vector<HistoryRow>>(m_store.rows());
    m_cancel = false;
    m_cancelReason.clear();
    barProgress->setValue(0);
    status(QStringLiteral("正在计算计划：%1……").arg(plan.range.description()));
    const PlanControl control{&m_cancel, [this](int64_t done, int64_t total) {
                                  const int value = total > 0 ? int(done * 1000 / total) : 1000;
                                  QMetaObject::invokeMethod(
                                      this,
                                      [this, value] {
                                          if (m_thread && m_cancelReason.isEmpty())
                                              barProgress->setValue(value);
                                      },
                                      Qt::QueuedConnection);
                              }};
    const auto rows = m_pendingRows;
    const Game game = m_game;
    m_thread = QThread::create(
        [this, rows, game, plan, control] { m_pending = runPlan(*rows, game, plan, control); });
    // A thread's end is reported once: by this signal, or by waitForWork() before it comes.
    connect(m_thread, &QThread::finished, this, [this, thread = m_thread] {
        if (m_thread == thread)
            threadEnded();
    });
    m_thread->start();
    updateButtons();
    return true;
}

void PlanWindow::cancel(const QString &reason)
{
    if (!m_thread || !m_cancelReason.isEmpty())
        return;
    m_cancel = true;
    m_cancelReason = reason;
    status(reason);
    updateButtons();
}

void PlanWindow::threadEnded()
{
    m_thread->deleteLater();
    m_thread = nullptr;
    PlanRun run = std::move(m_pending);
    m_pending = {};
    if (m_cancelReason.isEmpty() && !run.cancelled) {
        if (!run.ok()) {
            showErrors(run.errors);
            status(run.failure.isEmpty() ? QStringLiteral("计划无法计算。") : run.failure);
            if (!run.failure.isEmpty())
                lblError->setText(run.failure);
        } else {
            // The old ledger's rows go only after the model has let go of the ledger.
            m_ledgerModel->setLedger(nullptr, m_game);
            m_run = std::move(run);
            m_rows = std::move(m_pendingRows);
            barProgress->setValue(1000);
            m_ledgerModel->setLedger(m_run.ledger.get(), m_game);
            tblLedger->scrollToBottom();
            showLedger();
            status(QStringLiteral("计划已计算：%1 期。").arg(m_run.ledger->rowCount()));
        }
    }
    m_pendingRows.reset();
    updateButtons();
}

void PlanWindow::waitForWork()
{
    if (m_thread) {
        m_thread->wait();
        threadEnded();
    }
    while (m_ruinThread) {
        m_ruinThread->wait();
        ruinEnded();
    }
}

void PlanWindow::sourceChanged()
{
    if (m_run.ledger)
        status(QStringLiteral("计划号码或范围已改变，按“计算”重新计算。"));
}

void PlanWindow::applyPlay()
{
    m_prizeModel->setPrice(parseMoney(txtPrice->text()).value_or(m_prizeModel->table().price));
    if (!m_run.ledger || m_thread)
        return;
    FieldErrors errors;
    const PlanDefinition plan = definition(&errors);
    if (errors.empty()) {
        // A plan whose numbers differ from draw to draw (a 缩水 方案 with 重号, 冷号 or 热号)
        // takes its bets again draw by draw: the busy pointer for a long one.
        std::optional<BusyCursor> busy;
        if (m_run.ledger->proposals().pool.size() > 10000)
            busy.emplace();
        if (const auto error = m_run.ledger->setPlay(*playById(plan.play), plan.prizes))
            errors.push_back(*error);
    }
    showErrors(errors);
    if (errors.empty()) {
        m_ledgerModel->ledgerChanged();
        showLedger();
    }
}

void PlanWindow::applyStaking()
{
    if (!m_run.ledger || m_thread)
        return;
    FieldErrors errors;
    const PlanDefinition plan = definition(&errors);
    if (errors.empty()) {
        if (const auto error = m_run.ledger->setStaking(plan.progression, plan.startBalance))
            errors.push_back(*error);
    }
    showErrors(errors);
    if (errors.empty()) {
        m_ledgerModel->ledgerChanged();
        showLedger();
    }
}

void PlanWindow::showLedger()
{
    const Ledger &ledger = *m_run.ledger;
    m_chart->setLedger(ledger);
    const BetSet *next = ledger.nextBets();
    const QString issue =
        m_rows && !m_rows->empty()
            ? m_game.displayForm(m_game.next(m_rows->back().sqqh, currentDateTime().date()))
            : QString();
    if (!next)
        lblNext->setText(QStringLiteral("下期 %1：此前的开奖太少，计划没有号码").arg(issue));
    else
        lblNext->setText(QStringLiteral("下期 %1（%2）：%3 注  %4")
                             .arg(issue, ledger.play()->displayName())
                             .arg(next->count())
                             .arg(next->text(false, 12)));
    m_ruin.reset();
    showSummary();
    startRuin();
    updateButtons();
}

void PlanWindow::showSummary()
{
    if (!m_run.ledger)
        return;
    const Ledger &ledger = *m_run.ledger;
    const LedgerSummary &s = ledger.summary();
    auto issueOf = [&](int64_t row) {
        return row < 0 ? QString() : m_game.displayForm(ledger.draw(size_t(row)).sqqh);
    };
    QStringList lines;
    lines << QStringLiteral(
                 "%1期，投注 %2 期（无号码 %3 期、不投注 %4 期不计）：中 %5 期，挂 %6 期；"
                 "当前连中 %7、连挂 %8；最长连中 %9 期%10，最长连挂 %11 期%12")
                 .arg(s.rows)
                 .arg(s.betDraws)
                 .arg(s.noProposal)
                 .arg(s.noBet)
                 .arg(s.wins)
                 .arg(s.misses())
                 .arg(s.currentWins)
                 .arg(s.currentMisses)
                 .arg(s.longestWins)
                 .arg(s.longestWinsEnd >= 0
                          ? QStringLiteral("（至 %1）").arg(issueOf(s.longestWinsEnd))
                          : QString())
                 .arg(s.longestMisses)
                 .arg(s.longestMissesEnd >= 0
                          ? QStringLiteral("（至 %1）").arg(issueOf(s.longestMissesEnd))
                          : QString());
    lines << QStringLiteral(
                 "命中率 %1（95% 区间 %2 ～ %3），随机命中率 %4；精确二项检验（双侧）%5：%6")
                 .arg(percent(s.hitRate), percent(s.wilsonLow), percent(s.wilsonHigh),
                      percent(s.chanceHitRate),
                      s.pValue < 0.001 ? QStringLiteral("p < 0.001")
                                       : QStringLiteral("p = %1").arg(s.pValue, 0, 'f', 3),
                      s.verdict);
    lines << QStringLiteral(
                 "投入 %1，奖金 %2，回报率 %3；随机回报率 %4（任何倍投都不改变期望回报率）")
                 .arg(yuan(s.totalCost), yuan(s.totalPrize), percent(s.returnRate(), 1),
                      percent(s.chanceReturn(), 1));
    QString money = QStringLiteral("余额 %1（起始 %2，最低 %3），最大回撤 %4")
                        .arg(yuan(s.finalBalance), yuan(s.startBalance), yuan(s.lowestBalance),
                             yuan(s.deepestDrawdown));
    if (s.deepestDrawdown > 0)
        money += QStringLiteral("（%1 至 %2）")
                     .arg(s.drawdownPeak < 0 ? QStringLiteral("开始") : issueOf(s.drawdownPeak),
                          issueOf(s.drawdownLow));
    money += s.firstShort >= 0 ? QStringLiteral("；%1 起余额不够投注").arg(issueOf(s.firstShort))
                               : QStringLiteral("；余额始终够投注");
    money +=
        QStringLiteral("；") + (m_ruin ? m_ruin->text() : QStringLiteral("资金耗尽的概率计算中…"));
    lines << money;
    lblSummary->setText(lines.join(QLatin1Char('\n')));
}

QString PlanWindow::summaryText() const
{
    return lblSummary->text();
}

void PlanWindow::startRuin()
{
    if (!m_run.ledger)
        return;
    if (m_ruinThread) {
        m_ruinCancel = true;
        m_ruinAgain = true;
        return;
    }
    m_ruinCancel = false;
    // The bets are gathered on the worker too: for a plan of many proposals that is a pass over
    // all of them, which a change of play should not wait for. The ledger outlives the worker.
    Ledger::ChanceSource source = m_run.ledger->chanceSource();
    const Progression progression = m_run.ledger->progression();
    const Money start = m_run.ledger->summary().startBalance;
    m_ruinThread = QThread::create([this, source = std::move(source), progression, start] {
        m_ruinPending =
            ruinChance(source.bets(), progression, start, kDefaultRuinWork, &m_ruinCancel);
    });
    connect(m_ruinThread, &QThread::finished, this, [this, thread = m_ruinThread] {
        if (m_ruinThread == thread)
            ruinEnded();
    });
    m_ruinThread->start();
}

void PlanWindow::ruinEnded()
{
    if (!m_ruinThread)
        return;
    m_ruinThread->wait();
    m_ruinThread->deleteLater();
    m_ruinThread = nullptr;
    if (m_ruinAgain) {
        m_ruinAgain = false;
        startRuin();
        return;
    }
    if (m_ruinPending.status != RuinChance::Status::Cancelled) {
        m_ruin = m_ruinPending;
        showSummary();
    }
}

void PlanWindow::historyChanged()
{
    m_game = m_store.game();
    refreshRuns();
    refreshOmissions();
    cancel(QStringLiteral("历史号码已改变，计算已取消。"));
    if (m_run.ledger)
        status(QStringLiteral("历史号码已改变：账本仍是改变之前的，按“计算”重新计算。"));
}

void PlanWindow::refreshRuns()
{
    const std::vector<HistoryRow> &rows = m_store.rows();
    m_runModel->setRuns(longRuns(rows, spnMinRun->value()));
    lblRuns->setText(
        QStringLiteral(
            "共 %1 期。随机出现概率：每位数字等可能且各期独立时，这么长的历史里某处出现至少这么长的"
            "同类长龙的概率；和值大为 23–45，质数含 1。")
            .arg(rows.size()));
}

void PlanWindow::refreshOmissions()
{
    const std::vector<HistoryRow> &rows = m_store.rows();
    static constexpr size_t windows[] = {100, 500, 1000, 0};
    const size_t latest = windows[std::clamp(cboOmissionRange->currentIndex(), 0, 3)];
    const size_t begin = latest == 0 || latest >= rows.size() ? 0 : rows.size() - latest;
    m_omissionModel->setTable(omissionTable(
        rows, begin, rows.size(),
        chkCarried->isChecked() ? trend::StatsOrigin::Carried : trend::StatsOrigin::WindowStart));
}

void PlanWindow::updateButtons()
{
    const bool busy = m_thread != nullptr;
    cmdCompute->setEnabled(!busy);
    cmdCancel->setEnabled(busy && m_cancelReason.isEmpty());
    const bool next =
        m_run.ledger && m_run.ledger->nextBets() && m_run.ledger->nextBets()->count() > 0;
    cmdCopyBlanks->setEnabled(next);
    cmdCopyLines->setEnabled(next);
    cmdExport->setEnabled(m_run.ledger != nullptr);
    cmdDelete->setEnabled(cboPlanName->count() > 0);
}

QString PlanWindow::nextText(bool lines) const
{
    const BetSet *next = m_run.ledger ? m_run.ledger->nextBets() : nullptr;
    return next ? next->text(lines) : QString();
}

void PlanWindow::copyNext(bool lines)
{
    QApplication::clipboard()->setText(nextText(lines));
    const BetSet *next = m_run.ledger ? m_run.ledger->nextBets() : nullptr;
    status(QStringLiteral("已复制下期的 %1 注到剪贴板。").arg(next ? next->count() : 0));
}

QString PlanWindow::saveWorkbook(const QString &path) const
{
    return GridExport::write(*m_ledgerModel, path);
}

void PlanWindow::cmdExport_Click()
{
    const QString path =
        FileChooser::saveFileName(this, QStringLiteral("导出计划账本"),
                                  QDir(m_folder).filePath(QStringLiteral("计划账本.xls")),
                                  QStringLiteral("Excel 97-2003 工作簿 (*.xls)"));
    if (path.isEmpty())
        return;
    const QString error = saveWorkbook(path);
    status(
        error.isEmpty()
            ? QStringLiteral("已把账本的 %1 期导出到 %2。")
                  .arg(m_ledgerModel->rowCount())
                  .arg(QDir::toNativeSeparators(path))
            : QStringLiteral("账本未能导出到 %1：%2").arg(QDir::toNativeSeparators(path), error));
}

void PlanWindow::refreshPlanNames()
{
    const QString typed = cboPlanName->currentText();
    const QSignalBlocker blocker(cboPlanName);
    cboPlanName->clear();
    cboPlanName->addItems(m_plans.names());
    cboPlanName->setEditText(typed);
    updateButtons();
}

void PlanWindow::cmdSave_Click()
{
    FieldErrors errors;
    const PlanDefinition plan = definition(&errors);
    if (!errors.empty()) {
        showErrors(errors);
        status(QStringLiteral("计划未保存：%1").arg(errors.front().text()));
        return;
    }
    const QString name = cboPlanName->currentText().trimmed();
    const QString error = m_plans.save(name, plan);
    status(error.isEmpty() ? QStringLiteral("计划“%1”已保存。").arg(name) : error);
    refreshPlanNames();
}

void PlanWindow::cmdOpen_Click()
{
    const QString name = cboPlanName->currentText().trimmed();
    const PlanReading read = m_plans.load(name, m_game);
    if (!read.plan) {
        status(read.error);
        lblError->setText(read.error);
        return;
    }
    setDefinition(*read.plan);
    lblError->clear();
    status(QStringLiteral("已打开计划“%1”，按“计算”得到它的账本。").arg(name));
}

void PlanWindow::cmdDelete_Click()
{
    const QString name = cboPlanName->currentText().trimmed();
    const QString error = m_plans.remove(name);
    status(error.isEmpty() ? QStringLiteral("计划“%1”已删除。").arg(name) : error);
    refreshPlanNames();
}
