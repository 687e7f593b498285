#include "FilterWindow.h"

#include "ConditionEditor.h"
#include "FileChooser.h"
#include "FilterConditionModel.h"
#include "FilterRecordModel.h"
#include "FilterRowDelegate.h"
#include "FilterSummary.h"
#include "GridExport.h"
#include "HistoryStore.h"
#include "PanelWidgets.h"
#include "RemainingNumbersModel.h"
#include "RemainingText.h"
#include "ScreenFit.h"
#include "Settings.h"
#include "TogetherWorker.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

using namespace quorlent;
using namespace quorlent::filter;

using panels::named;

namespace {

QTableView *grid(const char *name)
{
    auto *view = named(new QTableView, name);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    return view;
}

constexpr RecordWindow kWindows[] = {RecordWindow::Last100, RecordWindow::Last500,
                                     RecordWindow::Last1000, RecordWindow::All};

// A new row of the kind: 定位 allows every digit until the user narrows it, 冷号 and 热号 count
// over the whole number in 组选, where positions do not count.
Condition newCondition(ConditionKind kind, Selection selection)
{
    Condition c;
    c.kind = kind;
    c.positions.fill(DigitSet::all());
    c.atPositions = selection == Selection::Direct;
    c.threshold = kindInfo(kind).threshold;
    return c;
}

// The positions a condition names follow the draw positions when the part changes.
Condition movedToPart(Condition c, FilterPart from, FilterPart to)
{
    const int shift = firstPosition(to) - firstPosition(from);
    if (formOf(c.kind) == KindForm::Positions) {
        std::array<DigitSet, kPositions> moved;
        moved.fill(DigitSet::all());
        for (int j = 0; j < digitCount(to); ++j) {
            const int old = j + shift;
            if (old >= 0 && old < digitCount(from))
                moved[size_t(j)] = c.positions[size_t(old)];
        }
        c.positions = moved;
    }
    if (formOf(c.kind) == KindForm::Kill && c.position > 0)
        c.position -= shift;
    return c;
}

} // namespace

FilterWindow::FilterWindow(HistoryStore &store, Settings &settings, const QString &programFolder,
                           QWidget *parent)
    : QMainWindow(parent), m_store(store), m_settings(settings), m_folder(programFolder),
      m_schemes(programFolder), m_engine(std::make_unique<FilterEngine>(store.rows()))
{
    setObjectName(QStringLiteral("frmSuoshui"));
    setWindowFlag(Qt::Window);
    // The together record is worked out at once only while that leaves the frame room for the
    // rest (a 冷号 threshold also rebuilds the omissions); longer work goes to the worker.
    m_engine->setSynchronousWork(FilterEngine::kDefaultSynchronousWork / 4);
    setWindowTitle(QStringLiteral("缩水"));
    m_conditions = new FilterConditionModel(this);
    m_records = new FilterRecordModel(this);
    m_remaining = new RemainingNumbersModel(7, this);
    m_worker = new TogetherWorker(this);
    m_remember = new QTimer(this);
    m_remember->setSingleShot(true);
    m_remember->setInterval(1500);

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(buildTopBar());
    lblNewest = named(new QLabel, "lblNewest");
    lblNewest->setStyleSheet(QStringLiteral("QLabel { color: #555; }"));
    layout->addWidget(lblNewest);
    lblResult = named(new QLabel, "lblResult");
    QFont big = lblResult->font();
    big.setPointSizeF(big.pointSizeF() * 1.25);
    big.setBold(true);
    lblResult->setFont(big);
    lblResult->setWordWrap(true);
    lblResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lblResult);

    auto *left = named(new QSplitter(Qt::Vertical), "splLeft");
    left->addWidget(buildConditions());
    left->addWidget(buildRecords());
    left->setChildrenCollapsible(false);
    auto *right = new QWidget;
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    m_editor = new ConditionEditor;
    rightLayout->addWidget(m_editor);
    rightLayout->addWidget(buildRemaining(), 1);
    auto *body = named(new QSplitter(Qt::Horizontal), "splMain");
    body->addWidget(left);
    body->addWidget(right);
    body->setStretchFactor(0, 3);
    body->setStretchFactor(1, 2);
    body->setChildrenCollapsible(false);
    layout->addWidget(body, 1);
    setCentralWidget(central);
    statusBar();

    restoreChoices();
    connectControls();
    followHistory();
    refreshSchemes();
    recompute();
    selectRow(0);
    fitInsideScreen(this, QSize(1320, 740), parent);
}

FilterWindow::~FilterWindow()
{
    rememberSet();
}

QWidget *FilterWindow::buildTopBar()
{
    auto *bar = new QWidget;
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("号码部分")));
    cboPart = named(new QComboBox, "cboPart");
    for (FilterPart part : kAllParts)
        cboPart->addItem(QStringLiteral("%1（%2 注）").arg(partName(part)).arg(partSize(part)));
    row->addWidget(cboPart);
    optDirect = named(new QRadioButton(QStringLiteral("直选")), "optDirect");
    optDirect->setToolTip(QStringLiteral("号码按位置计：12345 和 54321 是两注"));
    optGroup = named(new QRadioButton(QStringLiteral("组选")), "optGroup");
    optGroup->setToolTip(QStringLiteral("号码不分顺序：12345 和 54321 是同一组"));
    auto *selection = new QButtonGroup(bar);
    selection->addButton(optDirect);
    selection->addButton(optGroup);
    row->addWidget(optDirect);
    row->addWidget(optGroup);
    row->addSpacing(24);

    row->addWidget(new QLabel(QStringLiteral("方案")));
    cboScheme = named(new QComboBox, "cboScheme");
    cboScheme->setEditable(true);
    cboScheme->setInsertPolicy(QComboBox::NoInsert);
    cboScheme->setMinimumContentsLength(14);
    cboScheme->lineEdit()->setPlaceholderText(QStringLiteral("方案名称"));
    cboScheme->setToolTip(QStringLiteral("保存时用框里的名称；打开时选一个已保存的方案"));
    row->addWidget(cboScheme);
    cmdOpenScheme = named(new QPushButton(QStringLiteral("打开方案(&O)")), "cmdOpenScheme");
    cmdOpenScheme->setToolTip(
        QStringLiteral("换上这个方案的全部条件；重号、冷号、热号按最新一期计算"));
    cmdSaveScheme = named(new QPushButton(QStringLiteral("保存方案(&S)")), "cmdSaveScheme");
    cmdSaveScheme->setToolTip(
        QStringLiteral("把眼前的号码部分、直选/组选和全部条件存为这个名称的方案"));
    cmdDeleteScheme = named(new QPushButton(QStringLiteral("删除方案")), "cmdDeleteScheme");
    for (QPushButton *b : {cmdOpenScheme, cmdSaveScheme, cmdDeleteScheme})
        row->addWidget(b);
    row->addStretch(1);
    return bar;
}

QWidget *FilterWindow::buildConditions()
{
    auto *frame = named(new QGroupBox(QStringLiteral("条件")), "fraConditions");
    auto *layout = new QVBoxLayout(frame);
    tblConditions = grid("tblConditions");
    tblConditions->setModel(m_conditions);
    tblConditions->setItemDelegate(new FilterRowDelegate(tblConditions));
    tblConditions->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblConditions->setSelectionMode(QAbstractItemView::SingleSelection);
    tblConditions->verticalHeader()->show(); // the rows' numbers, as messages name them
    QHeaderView *header = tblConditions->horizontalHeader();
    const QFontMetrics fm = tblConditions->fontMetrics();
    tblConditions->setColumnWidth(FilterConditionModel::Enabled,
                                  fm.horizontalAdvance(QStringLiteral("启用")) + 16);
    tblConditions->setColumnWidth(FilterConditionModel::Kind,
                                  fm.horizontalAdvance(QStringLiteral("012路")) + 16);
    tblConditions->setColumnWidth(FilterConditionModel::Parameters, 250);
    tblConditions->setColumnWidth(FilterConditionModel::Kept,
                                  fm.horizontalAdvance(QStringLiteral("单独保留")) + 16);
    header->setStretchLastSection(true);
    layout->addWidget(tblConditions, 1);

    auto *row = new QHBoxLayout;
    cboKind = named(new QComboBox, "cboKind");
    for (int k = 0; k < kConditionKinds; ++k) {
        cboKind->addItem(kindName(ConditionKind(k)));
        cboKind->setItemData(k, kindDescription(ConditionKind(k)), Qt::ToolTipRole);
    }
    cboKind->setCurrentIndex(int(ConditionKind::Sum));
    cmdAdd = named(new QPushButton(QStringLiteral("添加(&A)")), "cmdAdd");
    cmdAdd->setToolTip(QStringLiteral("添加一条所选类型的条件"));
    cmdRemove = named(new QPushButton(QStringLiteral("删除(&D)")), "cmdRemove");
    cmdRemove->setToolTip(QStringLiteral("删除选中的条件"));
    auto *note =
        new QLabel(QStringLiteral("打勾的条件才参与缩水；单独保留：只用这一条时剩下的比例"));
    note->setStyleSheet(QStringLiteral("QLabel { color: #555; }"));
    row->addWidget(new QLabel(QStringLiteral("类型")));
    row->addWidget(cboKind);
    row->addWidget(cmdAdd);
    row->addWidget(cmdRemove);
    row->addSpacing(12);
    row->addWidget(note, 1);
    layout->addLayout(row);
    return frame;
}

QWidget *FilterWindow::buildRecords()
{
    auto *frame = named(new QGroupBox(QStringLiteral("历史检验")), "fraRecords");
    auto *layout = new QVBoxLayout(frame);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("检验窗口")));
    cboRecordWindow = named(new QComboBox, "cboRecordWindow");
    for (RecordWindow w : kWindows)
        cboRecordWindow->addItem(windowName(w));
    row->addWidget(cboRecordWindow);
    lblRecordRange = named(new QLabel, "lblRecordRange");
    row->addWidget(lblRecordRange, 1);
    layout->addLayout(row);

    tblRecords = grid("tblRecords");
    tblRecords->setModel(m_records);
    tblRecords->setItemDelegate(new FilterRowDelegate(tblRecords));
    tblRecords->setSelectionMode(QAbstractItemView::NoSelection);
    tblRecords->setToolTip(QStringLiteral(
        "每一期开奖前按当时已有的历史判断这一期的号码是否满足条件。\n"
        "通过率接近保留占比（比值接近 1）说明条件和随机差不多；p 值小于 0.05 才算显著。\n"
        "（详见 帮助 → 使用说明 → 缩水，F1）"));
    const QFontMetrics fm = tblRecords->fontMetrics();
    const auto width = [&](const char *sample) {
        return fm.horizontalAdvance(QString::fromUtf8(sample)) + 16;
    };
    tblRecords->setColumnWidth(FilterRecordModel::Condition, width("88 冷号（遗漏≥10）"));
    tblRecords->setColumnWidth(FilterRecordModel::Draws, width("1000000"));
    tblRecords->setColumnWidth(FilterRecordModel::Passes, width("1000000"));
    tblRecords->setColumnWidth(FilterRecordModel::PassRate, width("100.00%"));
    tblRecords->setColumnWidth(FilterRecordModel::KeptShare, width("保留占比"));
    tblRecords->setColumnWidth(FilterRecordModel::Ratio, width("10.00"));
    tblRecords->setColumnWidth(FilterRecordModel::PValue, width("p < 0.001"));
    tblRecords->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(tblRecords, 1);
    return frame;
}

QWidget *FilterWindow::buildRemaining()
{
    auto *frame = named(new QGroupBox(QStringLiteral("剩余号码")), "fraRemaining");
    auto *layout = new QVBoxLayout(frame);
    tblRemaining = grid("tblRemaining");
    tblRemaining->setModel(m_remaining);
    tblRemaining->horizontalHeader()->hide();
    tblRemaining->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblRemaining->setShowGrid(false);
    tblRemaining->setSelectionMode(QAbstractItemView::ContiguousSelection);
    layout->addWidget(tblRemaining, 1);

    auto *row = new QHBoxLayout;
    cboCopyLayout = named(new QComboBox, "cboCopyLayout");
    cboCopyLayout->addItems({QStringLiteral("空格分隔"), QStringLiteral("每行一个")});
    cboCopyLayout->setToolTip(QStringLiteral("复制和保存文本时号码之间用空格，还是一行一个"));
    cmdCopy = named(new QPushButton(QStringLiteral("复制(&C)")), "cmdCopy");
    cmdCopy->setToolTip(QStringLiteral("把全部剩余号码复制到剪贴板"));
    cmdSaveText = named(new QPushButton(QStringLiteral("保存文本(&T)")), "cmdSaveText");
    cmdSaveXls = named(new QPushButton(QStringLiteral("导出EXCEL(&X)")), "cmdSaveXls");
    cmdSaveXls->setToolTip(QStringLiteral("一行一个号码；超过 65535 个号码时接着写到下一个工作表"));
    row->addWidget(cboCopyLayout);
    for (QPushButton *b : {cmdCopy, cmdSaveText, cmdSaveXls})
        row->addWidget(b);
    row->addStretch(1);
    layout->addLayout(row);
    return frame;
}

// The choices and the set as last left, before the controls are connected.
void FilterWindow::restoreChoices()
{
    m_settings.reread(Settings::Section::Filter);
    cboRecordWindow->setCurrentIndex(m_settings.number(Settings::intRecordWindow));
    cboCopyLayout->setCurrentIndex(m_settings.flag(Settings::bolCopyLines) ? 1 : 0);
    cboScheme->setEditText(m_settings.text(Settings::txtSchemeName));
    ConditionSet set;
    const QString stored = m_settings.text(Settings::txtFilterSet);
    if (!stored.isEmpty()) {
        // A set the program cannot read (written by a newer one, damaged) gives the empty set.
        if (const SchemeReading reading = schemeFromJson(stored.toUtf8()); reading.set)
            set = *reading.set;
    }
    m_conditions->setSet(set);
    showPartControls();
}

void FilterWindow::rememberSet() const
{
    m_remember->stop();
    const QString json = QString::fromUtf8(schemeToJson(m_conditions->set()));
    if (json != m_settings.text(Settings::txtFilterSet))
        m_settings.setText(Settings::txtFilterSet, json);
}

void FilterWindow::connectControls()
{
    connect(m_conditions, &FilterConditionModel::setChanged, this, &FilterWindow::recompute);
    connect(m_remember, &QTimer::timeout, this, &FilterWindow::rememberSet);
    connect(tblConditions->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &FilterWindow::showSelected);
    connect(m_conditions, &QAbstractItemModel::modelReset, this, &FilterWindow::showSelected);
    connect(m_editor, &ConditionEditor::edited, this,
            [this](const Condition &c) { m_conditions->setCondition(currentRow(), c); });
    connect(cboPart, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_conditions->setPart(kAllParts[size_t(index)]);
        showSelected(); // the editor shows the part's positions and shapes
    });
    for (QRadioButton *option : {optDirect, optGroup}) {
        connect(option, &QRadioButton::clicked, this, [this] {
            m_conditions->setSelection(optGroup->isChecked() ? Selection::Group
                                                             : Selection::Direct);
            showSelected();
        });
    }
    connect(cmdAdd, &QPushButton::clicked, this, &FilterWindow::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &FilterWindow::cmdRemove_Click);
    connect(cboRecordWindow, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_settings.set(Settings::intRecordWindow, index);
        showRecords();
    });
    connect(cboCopyLayout, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_settings.setFlag(Settings::bolCopyLines, index == 1); });
    connect(cmdCopy, &QPushButton::clicked, this, &FilterWindow::cmdCopy_Click);
    connect(cmdSaveText, &QPushButton::clicked, this, &FilterWindow::cmdSaveText_Click);
    connect(cmdSaveXls, &QPushButton::clicked, this, &FilterWindow::cmdSaveXls_Click);
    connect(cmdOpenScheme, &QPushButton::clicked, this, &FilterWindow::cmdOpenScheme_Click);
    connect(cmdSaveScheme, &QPushButton::clicked, this, &FilterWindow::cmdSaveScheme_Click);
    connect(cmdDeleteScheme, &QPushButton::clicked, this, &FilterWindow::cmdDeleteScheme_Click);
    connect(m_worker, &TogetherWorker::finished, this,
            [this](const ConjunctionShareTask &task, const Record &record) {
                m_engine->acceptConjunction(task, record);
                showRecords();
            });
}

// The engine reads the store's rows where they lie: it is told of every change, and the worker's
// task, which works on copies, is cancelled as soon as the rows are about to change.
void FilterWindow::followHistory()
{
    for (auto signal : {&HistoryStore::aboutToAppend, &HistoryStore::aboutToRemove})
        connect(&m_store, signal, m_worker, &TogetherWorker::cancel);
    connect(&m_store, &HistoryStore::aboutToReset, m_worker, &TogetherWorker::cancel);
    // A corrected draw changes the digits in place: every table of draws is worked out again.
    connect(&m_store, &HistoryStore::rowsCorrected, m_worker, &TogetherWorker::cancel);
    connect(&m_store, &HistoryStore::appended, this, [this] {
        m_engine->rowsAppended();
        recompute();
    });
    for (auto signal : {&HistoryStore::removed, &HistoryStore::resetDone}) {
        connect(&m_store, signal, this, [this] {
            m_engine->rowsReset();
            recompute();
        });
    }
    connect(&m_store, &HistoryStore::rowsCorrected, this, [this] {
        m_engine->rowsReset();
        recompute();
    });
    connect(&m_store, &HistoryStore::gameChanged, this, &FilterWindow::showNewest);
}

void FilterWindow::recompute()
{
    const ConditionSet &set = m_conditions->set();
    m_engine->setConditions(set);
    m_counts = m_engine->counts();
    m_conditions->setResults(m_engine->errors(), m_counts);
    m_remaining->setNumbers(m_engine->remainingValues(), digitCount(set.part));
    m_remaining->setHeader(set.selection == Selection::Group ? QStringLiteral("组选号码")
                                                             : QStringLiteral("号码"));
    lblResult->setText(resultText(m_counts, set));
    // A style sheet set again costs a polish of the label: only when the colour changes.
    const QString style =
        m_counts.remaining == 0 ? QStringLiteral("QLabel { color: #b01c1c; }") : QString();
    if (lblResult->styleSheet() != style)
        lblResult->setStyleSheet(style);
    const int row = currentRow();
    m_editor->showError(row >= 0 ? m_conditions->error(row) : QString());
    for (QPushButton *b : {cmdCopy, cmdSaveText, cmdSaveXls})
        b->setEnabled(m_counts.remaining > 0);
    showNewest();
    showRecords();
    m_remember->start();
    prepareNeighbours();
}

void FilterWindow::prepareNeighbours()
{
    const bool waiting = !m_toPrepare.empty();
    m_toPrepare.clear();
    for (const Condition &c : m_conditions->set().conditions) {
        if (!c.enabled || formOf(c.kind) != KindForm::Omission)
            continue;
        for (int step : {1, -1}) {
            Condition next = c;
            next.threshold += step;
            if (next.threshold >= 0)
                m_toPrepare.push_back(next);
        }
    }
    if (!waiting && !m_toPrepare.empty())
        QTimer::singleShot(0, this, &FilterWindow::prepareNext);
}

// One threshold at a time, so that the window answers the user in between.
void FilterWindow::prepareNext()
{
    if (m_toPrepare.empty())
        return;
    m_engine->prepareOmissions(m_toPrepare.back());
    m_toPrepare.pop_back();
    if (!m_toPrepare.empty())
        QTimer::singleShot(0, this, &FilterWindow::prepareNext);
}

void FilterWindow::showRecords()
{
    const RecordWindow window = recordWindow();
    const RecordTable table = m_engine->records(window);
    m_records->setRecords(m_conditions->set(), m_engine->errors(), table);
    // A task for the set or history as they were is of no use: it stops at once and leaves the
    // processor to this change.
    m_worker->cancel();
    if (table.together.pending) {
        // Making the task copies much of the engine: done once the views are painted, and once
        // for a burst of edits.
        if (!m_togetherScheduled)
            QMetaObject::invokeMethod(this, &FilterWindow::startTogether, Qt::QueuedConnection);
        m_togetherScheduled = true;
    } else {
        m_togetherScheduled = false;
    }
    const Game &game = m_store.game();
    const auto &rows = m_store.rows();
    if (table.end > table.begin && table.end <= rows.size())
        lblRecordRange->setText(QStringLiteral("第 %1 期至第 %2 期，共 %3 期")
                                    .arg(game.displayForm(rows[table.begin].sqqh),
                                         game.displayForm(rows[table.end - 1].sqqh))
                                    .arg(table.end - table.begin));
    else
        lblRecordRange->setText(QStringLiteral("没有开奖号码可供检验"));
}

void FilterWindow::showNewest()
{
    const HistoryRow *newest = m_store.newest();
    if (!newest) {
        lblNewest->setText(
            QStringLiteral("历史里还没有开奖号码：重号、冷号、热号按没有历史计算。"));
        return;
    }
    QStringList digits;
    for (uint8_t d : newest->digits())
        digits << QString::number(d);
    lblNewest->setText(QStringLiteral("最新一期 %1（%2）：条件筛选的是它之后的下一期；"
                                      "重号、冷号、热号随最新一期自动更新。")
                           .arg(m_store.game().displayForm(newest->sqqh), digits.join(u' ')));
}

void FilterWindow::showPartControls()
{
    const ConditionSet &set = m_conditions->set();
    const QSignalBlocker quiet(cboPart);
    cboPart->setCurrentIndex(int(set.part));
    (set.selection == Selection::Group ? optGroup : optDirect)->setChecked(true);
}

void FilterWindow::showSelected()
{
    const int row = currentRow();
    const ConditionSet &set = m_conditions->set();
    m_editor->showCondition(row >= 0 ? &m_conditions->condition(row) : nullptr, set.part,
                            set.selection);
    m_editor->showError(row >= 0 ? m_conditions->error(row) : QString());
    cmdRemove->setEnabled(row >= 0);
}

int FilterWindow::currentRow() const
{
    const QModelIndex current = tblConditions->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void FilterWindow::selectRow(int row)
{
    if (row < 0 || row >= m_conditions->rowCount()) {
        showSelected();
        return;
    }
    tblConditions->selectRow(row);
    tblConditions->setCurrentIndex(m_conditions->index(row, FilterConditionModel::Kind));
    showSelected();
}

RecordWindow FilterWindow::recordWindow() const
{
    return kWindows[std::clamp(cboRecordWindow->currentIndex(), 0, int(std::size(kWindows)) - 1)];
}

void FilterWindow::status(const QString &text)
{
    statusBar()->showMessage(text);
}

void FilterWindow::setConditionSet(const ConditionSet &set)
{
    m_conditions->setSet(set);
    showPartControls();
    selectRow(0);
}

QString FilterWindow::usePositionDigits(int drawPosition, DigitSet digits)
{
    ConditionSet set = m_conditions->set();
    QStringList changes;
    if (set.selection == Selection::Group) {
        set.selection = Selection::Direct;
        changes << QStringLiteral("改为直选");
    }
    const int first = firstPosition(set.part);
    if (drawPosition < first || drawPosition >= first + digitCount(set.part)) {
        for (Condition &c : set.conditions)
            c = movedToPart(c, set.part, FilterPart::Five);
        set.part = FilterPart::Five;
        changes << QStringLiteral("改为五星");
    }
    auto at = std::find_if(set.conditions.begin(), set.conditions.end(),
                           [](const Condition &c) { return c.kind == ConditionKind::Position; });
    if (at == set.conditions.end()) {
        set.conditions.push_back(newCondition(ConditionKind::Position, Selection::Direct));
        at = set.conditions.end() - 1;
    }
    at->positions[size_t(drawPosition - firstPosition(set.part))] = digits;
    at->enabled = true;
    const int row = int(at - set.conditions.begin());
    m_conditions->setSet(set);
    showPartControls();
    selectRow(row);
    QStringList shown;
    for (int d = 0; d <= 9; ++d) {
        if (digits.contains(d))
            shown << QString::number(d);
    }
    QString text = QStringLiteral("第 %1 条定位：%2只取 %3")
                       .arg(row + 1)
                       .arg(positionName(drawPosition), shown.join(u' '));
    if (!changes.isEmpty())
        text += QStringLiteral("（%1）").arg(changes.join(QStringLiteral("，")));
    status(text);
    return text;
}

void FilterWindow::startTogether()
{
    if (!m_togetherScheduled)
        return;
    m_togetherScheduled = false;
    if (std::optional<ConjunctionShareTask> task = m_engine->conjunctionTask(recordWindow()))
        m_worker->start(std::move(*task));
}

void FilterWindow::flushTogether()
{
    startTogether();
    m_worker->flush();
}

bool FilterWindow::isTogetherRunning() const
{
    return m_togetherScheduled || m_worker->isRunning();
}

QString FilterWindow::remainingText() const
{
    return filter::remainingText(m_remaining->values(), m_remaining->digitCount(),
                                 cboCopyLayout->currentIndex() == 1 ? TextLayout::Lines
                                                                    : TextLayout::Blanks);
}

QString FilterWindow::saveText(const QString &path) const
{
    QString text = remainingText();
    // As the program's other text files: lines end in CR LF, the last one too.
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    text += QStringLiteral("\r\n");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        return file.errorString();
    return {};
}

QString FilterWindow::saveWorkbook(const QString &path) const
{
    // One number a row under the header 号码, whatever the window shows.
    RemainingNumbersModel sheet(1);
    sheet.setNumbers(m_remaining->values(), m_remaining->digitCount());
    sheet.setHeader(m_conditions->set().selection == Selection::Group ? QStringLiteral("组选号码")
                                                                      : QStringLiteral("号码"));
    return GridExport::write(sheet, path);
}

void FilterWindow::cmdAdd_Click()
{
    const auto kind = ConditionKind(cboKind->currentIndex());
    const int row = m_conditions->addCondition(newCondition(kind, m_conditions->set().selection));
    selectRow(row);
    m_editor->focusFields();
}

void FilterWindow::cmdRemove_Click()
{
    const int row = currentRow();
    if (row < 0)
        return;
    m_conditions->removeCondition(row);
    selectRow(std::min(row, m_conditions->rowCount() - 1));
}

void FilterWindow::cmdCopy_Click()
{
    QApplication::clipboard()->setText(remainingText());
    status(QStringLiteral("已复制 %1 个号码到剪贴板。").arg(m_remaining->values().size()));
}

void FilterWindow::cmdSaveText_Click()
{
    const QString path =
        FileChooser::saveFileName(this, QStringLiteral("保存剩余号码"),
                                  QDir(m_folder).filePath(QStringLiteral("缩水号码.txt")),
                                  QStringLiteral("文本文件 (*.txt)"));
    if (path.isEmpty())
        return;
    const QString error = saveText(path);
    status(
        error.isEmpty()
            ? QStringLiteral("已把 %1 个号码保存到 %2。")
                  .arg(m_remaining->values().size())
                  .arg(QDir::toNativeSeparators(path))
            : QStringLiteral("号码未能保存到 %1：%2").arg(QDir::toNativeSeparators(path), error));
}

void FilterWindow::cmdSaveXls_Click()
{
    const QString path =
        FileChooser::saveFileName(this, QStringLiteral("导出剩余号码"),
                                  QDir(m_folder).filePath(QStringLiteral("缩水号码.xls")),
                                  QStringLiteral("Excel 97-2003 工作簿 (*.xls)"));
    if (path.isEmpty())
        return;
    const QString error = saveWorkbook(path);
    const size_t count = m_remaining->values().size();
    const size_t sheets =
        (count + GridExport::kDataRowsPerSheet - 1) / GridExport::kDataRowsPerSheet;
    status(
        error.isEmpty()
            ? QStringLiteral("已把 %1 个号码导出到 %2%3。")
                  .arg(count)
                  .arg(QDir::toNativeSeparators(path),
                       sheets > 1 ? QStringLiteral("（分 %1 个工作表）").arg(sheets) : QString())
            : QStringLiteral("号码未能导出到 %1：%2").arg(QDir::toNativeSeparators(path), error));
}

void FilterWindow::refreshSchemes()
{
    const QString typed = cboScheme->currentText();
    cboScheme->clear();
    cboScheme->addItems(m_schemes.names());
    cboScheme->setEditText(typed);
    cmdDeleteScheme->setEnabled(cboScheme->count() > 0);
}

void FilterWindow::cmdOpenScheme_Click()
{
    const QString name = cboScheme->currentText().trimmed();
    if (const QString why = SchemeFolder::nameError(name); !why.isEmpty()) {
        status(why);
        return;
    }
    const SchemeReading reading = m_schemes.load(name);
    if (!reading.set) {
        status(QStringLiteral("方案“%1”未能打开：%2").arg(name, reading.error));
        return;
    }
    setConditionSet(*reading.set);
    m_settings.setText(Settings::txtSchemeName, name);
    rememberSet();
    status(QStringLiteral("已打开方案“%1”：%2 条条件，按最新一期计算。")
               .arg(name)
               .arg(reading.set->conditions.size()));
}

void FilterWindow::cmdSaveScheme_Click()
{
    const QString name = cboScheme->currentText().trimmed();
    if (const QString why = SchemeFolder::nameError(name); !why.isEmpty()) {
        status(why);
        return;
    }
    if (m_schemes.contains(name)) {
        QMessageBox ask(QMessageBox::Question, QStringLiteral("保存方案"),
                        QStringLiteral("已有名为“%1”的方案，要用眼前的条件替换它吗？").arg(name),
                        QMessageBox::Yes | QMessageBox::No, this);
        if (ask.exec() != QMessageBox::Yes)
            return;
    }
    if (const QString error = m_schemes.save(name, m_conditions->set()); !error.isEmpty()) {
        status(error);
        return;
    }
    m_settings.setText(Settings::txtSchemeName, name);
    refreshSchemes();
    status(QStringLiteral("方案“%1”已保存到 %2。")
               .arg(name, QDir::toNativeSeparators(m_schemes.path())));
}

void FilterWindow::cmdDeleteScheme_Click()
{
    const QString name = cboScheme->currentText().trimmed();
    if (!m_schemes.contains(name)) {
        status(QStringLiteral("没有名为“%1”的方案。").arg(name));
        return;
    }
    QMessageBox ask(QMessageBox::Question, QStringLiteral("删除方案"),
                    QStringLiteral("要删除方案“%1”吗？眼前的条件不受影响。").arg(name),
                    QMessageBox::Yes | QMessageBox::No, this);
    if (ask.exec() != QMessageBox::Yes)
        return;
    if (const QString error = m_schemes.remove(name); !error.isEmpty()) {
        status(error);
        return;
    }
    cboScheme->setEditText(QString());
    refreshSchemes();
    status(QStringLiteral("方案“%1”已删除。").arg(name));
}
