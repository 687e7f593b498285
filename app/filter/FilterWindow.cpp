#include "FilterWindow.h"

#include "ConditionEditor.h"
#include "FilterConditionModel.h"
#include "FilterRecordModel.h"
#include "FilterRowDelegate.h"
#include "FilterSession.h"
#include "FilterSummary.h"
#include "HistoryStore.h"
#include "PanelWidgets.h"
#include "RemainingPanel.h"
#include "SchemeBar.h"
#include "ScreenFit.h"
#include "Settings.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
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
      m_session(new FilterSession(store, this))
{
    setObjectName(QStringLiteral("frmSuoshui"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("缩水"));
    m_conditions = new FilterConditionModel(this);
    m_records = new FilterRecordModel(this);
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
    m_remaining = new RemainingPanel(settings, programFolder);
    rightLayout->addWidget(m_remaining, 1);
    auto *body = named(new QSplitter(Qt::Horizontal), "splMain");
    body->addWidget(left);
    body->addWidget(right);
    body->setStretchFactor(0, 3);
    body->setStretchFactor(1, 2);
    body->setChildrenCollapsible(false);
    layout->addWidget(body, 1);
    setCentralWidget(central);
    statusBar();

    restoreSet();
    connectControls();
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
    m_schemes = new SchemeBar(m_settings, m_folder,
                              [this]() -> const ConditionSet & { return m_conditions->set(); });
    row->addWidget(m_schemes);
    row->addStretch(1);
    return bar;
}

QWidget *FilterWindow::buildConditions()
{
    auto *frame = named(new QGroupBox(QStringLiteral("条件")), "fraConditions");
    auto *layout = new QVBoxLayout(frame);
    tblConditions = panels::plainGrid("tblConditions");
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

    tblRecords = panels::plainGrid("tblRecords");
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
    tblRecords->setColumnWidth(FilterRecordModel::Condition,
                               width("88 冷号（遗漏≥10，整个号码，0-1 个）"));
    tblRecords->setColumnWidth(FilterRecordModel::Draws, width("1000000"));
    tblRecords->setColumnWidth(FilterRecordModel::Passes, width("1000000"));
    tblRecords->setColumnWidth(FilterRecordModel::PassRate, width("100.00%"));
    tblRecords->setColumnWidth(FilterRecordModel::KeptShare, width("保留占比"));
    tblRecords->setColumnWidth(FilterRecordModel::Ratio, width("10.00"));
    tblRecords->setColumnWidth(FilterRecordModel::PValue, width("p < 0.001"));
    tblRecords->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(tblRecords, 1);
    lblRecordNote = named(new QLabel, "lblRecordNote");
    lblRecordNote->setWordWrap(true);
    lblRecordNote->hide();
    layout->addWidget(lblRecordNote);
    return frame;
}

// The record window and the set as last left, before the controls are connected.
void FilterWindow::restoreSet()
{
    cboRecordWindow->setCurrentIndex(m_settings.number(Settings::intRecordWindow));
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
    connect(m_schemes, &SchemeBar::opened, this, [this](const ConditionSet &set) {
        setConditionSet(set);
        rememberSet();
    });
    connect(m_schemes, &SchemeBar::status, this, &FilterWindow::status);
    connect(m_remaining, &RemainingPanel::status, this, &FilterWindow::status);
    connect(m_session, &FilterSession::historyChanged, this, &FilterWindow::recompute);
    connect(m_session, &FilterSession::togetherReady, this, &FilterWindow::showRecords);
    connect(&m_store, &HistoryStore::gameChanged, this, &FilterWindow::showNewest);
}

void FilterWindow::recompute()
{
    const ConditionSet &set = m_conditions->set();
    m_session->setConditions(set);
    const FilterCounts &counts = m_session->counts();
    m_conditions->setResults(m_session->engine().errors(), counts);
    m_remaining->showNumbers(m_session->engine().remainingValues(), digitCount(set.part),
                             set.selection);
    lblResult->setText(resultText(counts, set));
    // A style sheet set again costs a polish of the label: only when the colour changes.
    const QString style =
        counts.remaining == 0 ? QStringLiteral("QLabel { color: #b01c1c; }") : QString();
    if (lblResult->styleSheet() != style)
        lblResult->setStyleSheet(style);
    const int row = currentRow();
    m_editor->showError(row >= 0 ? m_conditions->error(row) : QString());
    showNewest();
    showRecords();
    m_remember->start();
}

void FilterWindow::showRecords()
{
    const RecordTable table = m_session->records(recordWindow());
    m_records->setRecords(m_conditions->set(), m_session->engine().errors(), table);
    const QString note = m_records->chanceNote();
    lblRecordNote->setText(note);
    lblRecordNote->setVisible(!note.isEmpty());
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

void FilterWindow::flushTogether()
{
    m_session->flushTogether();
}

bool FilterWindow::isTogetherRunning() const
{
    return m_session->isTogetherRunning();
}

const FilterCounts &FilterWindow::counts() const
{
    return m_session->counts();
}

const FilterEngine &FilterWindow::engine() const
{
    return m_session->engine();
}

RemainingNumbersModel &FilterWindow::remainingModel()
{
    return m_remaining->model();
}

QTableView *FilterWindow::remainingView() const
{
    return m_remaining->view();
}

QString FilterWindow::remainingText() const
{
    return m_remaining->remainingText();
}

QString FilterWindow::saveText(const QString &path) const
{
    return m_remaining->saveText(path);
}

QString FilterWindow::saveWorkbook(const QString &path) const
{
    return m_remaining->saveWorkbook(path);
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
