#include "PlanSourceEditor.h"

#include "PanelWidgets.h"
#include "SchemeFolder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace quorlent;
using namespace quorlent::plan;
using panels::arrayName;
using panels::named;

namespace {

const char16_t *const kPositionNames[] = {u"万位", u"千位", u"百位", u"十位", u"个位"};
const char16_t *const kKindNames[] = {u"号码", u"大小", u"单双", u"段数"};

QLineEdit *digitsBox(const QString &name)
{
    auto *box = named(new QLineEdit, name);
    box->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]*")), box));
    box->setPlaceholderText(QStringLiteral("数字"));
    box->setMaximumWidth(90);
    return box;
}

uint16_t maskOf(const QString &text)
{
    uint16_t mask = 0;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            mask = uint16_t(mask | 1u << (c.unicode() - u'0'));
    }
    return mask;
}

QString textOf(uint16_t mask)
{
    QString out;
    for (int d = 0; d <= 9; ++d) {
        if (mask >> d & 1)
            out += QChar(u'0' + d);
    }
    return out;
}

QComboBox *kindBox(const char *name)
{
    auto *box = named(new QComboBox, QLatin1String(name));
    for (const char16_t *k : kKindNames)
        box->addItem(QString::fromUtf16(k));
    return box;
}

} // namespace

PlanSourceEditor::PlanSourceEditor(const QString &programFolder, QWidget *parent)
    : QWidget(parent), m_programFolder(programFolder)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    cboSource = named(new QComboBox, QStringLiteral("cboSource"));
    cboSource->addItems({QStringLiteral("从检索"), QStringLiteral("从缩水方案"),
                         QStringLiteral("杀号 / 定胆"), QStringLiteral("守号")});
    cboSource->setToolTip(QStringLiteral("计划每期给出的号码从哪里来"));
    layout->addWidget(cboSource);
    stkSource = named(new QStackedWidget, QStringLiteral("stkSource"));
    stkSource->addWidget(buildSearch());
    stkSource->addWidget(buildScheme());
    stkSource->addWidget(buildDigits());
    stkSource->addWidget(buildTyped());
    layout->addWidget(stkSource);
    connect(cboSource, &QComboBox::currentIndexChanged, this, [this](int i) {
        stkSource->setCurrentIndex(i);
        emit changed();
    });
}

QWidget *PlanSourceEditor::buildSearch()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->setContentsMargins(0, 2, 0, 0);
    cboSearch = named(new QComboBox, QStringLiteral("cboSearch"));
    cboSearch->addItems({QStringLiteral("跟随检索"), QStringLiteral("组合检索")});
    form->addRow(QStringLiteral("检索"), cboSearch);

    auto *where = new QHBoxLayout;
    optFixed = named(new QRadioButton(QStringLiteral("固定位")), QStringLiteral("optFixed"));
    optFree = named(new QRadioButton(QStringLiteral("自由位")), QStringLiteral("optFree"));
    auto *whereGroup = new QButtonGroup(page);
    whereGroup->addButton(optFixed);
    whereGroup->addButton(optFree);
    optFixed->setChecked(true);
    where->addWidget(optFixed);
    where->addWidget(optFree);
    where->addStretch();
    form->addRow(QStringLiteral("位置"), where);

    auto *compared = new QHBoxLayout;
    optPrevious = named(new QRadioButton(QStringLiteral("上期")), QStringLiteral("optPrevious"));
    optEarlier = named(new QRadioButton(QStringLiteral("前")), QStringLiteral("optEarlier"));
    auto *comparedGroup = new QButtonGroup(page);
    comparedGroup->addButton(optPrevious);
    comparedGroup->addButton(optEarlier);
    optPrevious->setChecked(true);
    spnDistance = named(new QSpinBox, QStringLiteral("spnDistance"));
    spnDistance->setRange(1, 999);
    compared->addWidget(optPrevious);
    compared->addWidget(optEarlier);
    compared->addWidget(spnDistance);
    compared->addWidget(new QLabel(QStringLiteral("期")));
    compared->addStretch();
    form->addRow(QStringLiteral("参考"), compared);

    cboKind = kindBox("cboKind");
    form->addRow(QStringLiteral("检索类型"), cboKind);
    auto *positions = new QHBoxLayout;
    for (int p = 0; p < kPositions; ++p) {
        chkPosition[size_t(p)] = named(new QCheckBox(QString::fromUtf16(kPositionNames[p]).left(1)),
                                       arrayName("chkPosition", p));
        chkPosition[size_t(p)]->setToolTip(QString::fromUtf16(kPositionNames[p]));
        positions->addWidget(chkPosition[size_t(p)]);
    }
    positions->addStretch();
    form->addRow(QStringLiteral("检索位"), positions);
    spnWidth = named(new QSpinBox, QStringLiteral("spnWidth"));
    spnWidth->setRange(1, 5);
    spnWidth->setValue(2);
    form->addRow(QStringLiteral("组合 k"), spnWidth);

    auto *result = new QHBoxLayout;
    optDirect = named(new QRadioButton(QStringLiteral("直选")), QStringLiteral("optDirect"));
    optGroup = named(new QRadioButton(QStringLiteral("组选")), QStringLiteral("optGroup"));
    auto *resultGroup = new QButtonGroup(page);
    resultGroup->addButton(optDirect);
    resultGroup->addButton(optGroup);
    optDirect->setChecked(true);
    spnResultPosition = named(new QSpinBox, QStringLiteral("spnResultPosition"));
    spnResultPosition->setRange(1, 5);
    spnResultPosition->setValue(5);
    spnResultPosition->setToolTip(QStringLiteral("直选：统计这一位；组选：统计第 1 位到这一位"));
    result->addWidget(optDirect);
    result->addWidget(optGroup);
    result->addWidget(new QLabel(QStringLiteral("第")));
    result->addWidget(spnResultPosition);
    result->addWidget(new QLabel(QStringLiteral("位")));
    result->addStretch();
    form->addRow(QStringLiteral("结果"), result);
    cboResultKind = kindBox("cboResultKind");
    form->addRow(QStringLiteral("结果类型"), cboResultKind);
    spnTop = named(new QSpinBox, QStringLiteral("spnTop"));
    spnTop->setRange(0, 10);
    spnTop->setValue(1);
    spnTop->setToolTip(QStringLiteral("每期取结果表的前 k 个结果作为计划号码"));
    form->addRow(QStringLiteral("前 k 个结果"), spnTop);

    for (QComboBox *box : {cboSearch, cboKind, cboResultKind})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            updateSearchFields();
            emit changed();
        });
    for (QRadioButton *b : {optFixed, optFree, optPrevious, optEarlier, optDirect, optGroup})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                updateSearchFields();
                emit changed();
            }
        });
    for (QCheckBox *c : chkPosition)
        connect(c, &QCheckBox::toggled, this, &PlanSourceEditor::changed);
    for (QSpinBox *s : {spnDistance, spnWidth, spnResultPosition, spnTop})
        connect(s, &QSpinBox::valueChanged, this, &PlanSourceEditor::changed);
    updateSearchFields();
    return page;
}

void PlanSourceEditor::updateSearchFields()
{
    const bool combination = cboSearch->currentIndex() == 1;
    spnWidth->setEnabled(combination);
    for (QCheckBox *c : chkPosition)
        c->setEnabled(!combination);
    spnDistance->setEnabled(optEarlier->isChecked());
}

QWidget *PlanSourceEditor::buildScheme()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 2, 0, 0);
    cboScheme = named(new QComboBox, QStringLiteral("cboScheme"));
    layout->addWidget(cboScheme);
    lblScheme = named(new QLabel, QStringLiteral("lblScheme"));
    lblScheme->setWordWrap(true);
    lblScheme->setText(QStringLiteral("缩水窗口里保存的方案；每期用它在此前的开奖上剩下的号码。"));
    layout->addWidget(lblScheme);
    layout->addStretch();
    connect(cboScheme, &QComboBox::currentIndexChanged, this, &PlanSourceEditor::changed);
    refreshSchemes();
    return page;
}

void PlanSourceEditor::refreshSchemes()
{
    const QSignalBlocker blocker(cboScheme);
    const QString current = cboScheme->currentText();
    cboScheme->clear();
    cboScheme->addItems(SchemeFolder(m_programFolder).names());
    cboScheme->setCurrentIndex(std::max(0, cboScheme->findText(current)));
}

QWidget *PlanSourceEditor::buildDigits()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(0, 2, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("各位都杀")), 0, 0);
    txtKill = digitsBox(QStringLiteral("txtKill"));
    grid->addWidget(txtKill, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("杀号")), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("定胆")), 1, 2);
    for (int p = 0; p < kPositions; ++p) {
        grid->addWidget(new QLabel(QString::fromUtf16(kPositionNames[p])), p + 2, 0);
        txtKillAt[size_t(p)] = digitsBox(arrayName("txtKillAt", p));
        txtRequire[size_t(p)] = digitsBox(arrayName("txtRequire", p));
        txtRequire[size_t(p)]->setPlaceholderText(QStringLiteral("不限"));
        grid->addWidget(txtKillAt[size_t(p)], p + 2, 1);
        grid->addWidget(txtRequire[size_t(p)], p + 2, 2);
    }
    auto *note = new QLabel(QStringLiteral("定胆：这一位只取这些数字；杀号：不取这些数字。"));
    note->setWordWrap(true);
    grid->addWidget(note, kPositions + 2, 0, 1, 3);
    grid->setRowStretch(kPositions + 3, 1);
    connect(txtKill, &QLineEdit::textChanged, this, &PlanSourceEditor::changed);
    for (int p = 0; p < kPositions; ++p) {
        connect(txtKillAt[size_t(p)], &QLineEdit::textChanged, this, &PlanSourceEditor::changed);
        connect(txtRequire[size_t(p)], &QLineEdit::textChanged, this, &PlanSourceEditor::changed);
    }
    return page;
}

QWidget *PlanSourceEditor::buildTyped()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 2, 0, 0);
    txtTyped = named(new QPlainTextEdit, QStringLiteral("txtTyped"));
    txtTyped->setPlaceholderText(QStringLiteral("每行一个号码，或用空格分开，如 12345 67890；\n"
                                                "大小单双玩法输入 大 小 单 双"));
    layout->addWidget(txtTyped);
    connect(txtTyped, &QPlainTextEdit::textChanged, this, &PlanSourceEditor::changed);
    return page;
}

void PlanSourceEditor::show(const PlanDefinition &plan)
{
    const QSignalBlocker blocker(this);
    cboSource->setCurrentIndex(int(plan.source));
    stkSource->setCurrentIndex(int(plan.source));
    const SearchSource &s = plan.search;
    cboSearch->setCurrentIndex(s.search == BacktestRequest::Search::Combination ? 1 : 0);
    (s.request.freePositions ? optFree : optFixed)->setChecked(true);
    (s.request.previousDraw ? optPrevious : optEarlier)->setChecked(true);
    spnDistance->setValue(s.request.earlierDistance);
    cboKind->setCurrentIndex(int(s.request.kind));
    for (int p = 0; p < kPositions; ++p)
        chkPosition[size_t(p)]->setChecked(s.request.selected[size_t(p)]);
    spnWidth->setValue(s.request.combinationWidth);
    (s.tally.groupSelection ? optGroup : optDirect)->setChecked(true);
    spnResultPosition->setValue(s.tally.position);
    cboResultKind->setCurrentIndex(int(s.tally.resultKind));
    spnTop->setValue(s.top);
    refreshSchemes();
    if (!plan.scheme.name.isEmpty()) {
        if (cboScheme->findText(plan.scheme.name) < 0)
            cboScheme->addItem(plan.scheme.name);
        cboScheme->setCurrentIndex(cboScheme->findText(plan.scheme.name));
    }
    txtKill->setText(textOf(plan.digits.killedEverywhere));
    for (int p = 0; p < kPositions; ++p) {
        txtKillAt[size_t(p)]->setText(textOf(plan.digits.killed[size_t(p)]));
        txtRequire[size_t(p)]->setText(textOf(plan.digits.required[size_t(p)]));
    }
    txtTyped->setPlainText(plan.typed.text);
    updateSearchFields();
}

FieldErrors PlanSourceEditor::readInto(PlanDefinition &plan) const
{
    FieldErrors errors;
    plan.source = SourceKind(cboSource->currentIndex());
    SearchSource &s = plan.search;
    s.search = cboSearch->currentIndex() == 1 ? BacktestRequest::Search::Combination
                                              : BacktestRequest::Search::Follow;
    s.request.freePositions = optFree->isChecked();
    s.request.previousDraw = optPrevious->isChecked();
    s.request.earlierDistance = spnDistance->value();
    s.request.kind = Kind(cboKind->currentIndex());
    for (int p = 0; p < kPositions; ++p)
        s.request.selected[size_t(p)] = chkPosition[size_t(p)]->isChecked();
    s.request.combinationWidth = spnWidth->value();
    s.tally.groupSelection = optGroup->isChecked();
    s.tally.position = spnResultPosition->value();
    s.tally.resultKind = Kind(cboResultKind->currentIndex());
    s.top = spnTop->value();

    plan.digits.killedEverywhere = maskOf(txtKill->text());
    for (int p = 0; p < kPositions; ++p) {
        plan.digits.killed[size_t(p)] = maskOf(txtKillAt[size_t(p)]->text());
        plan.digits.required[size_t(p)] = maskOf(txtRequire[size_t(p)]->text());
    }
    plan.typed.text = txtTyped->toPlainText();

    if (plan.source == SourceKind::Scheme) {
        const QString name = cboScheme->currentText();
        if (name.isEmpty()) {
            errors.push_back({QStringLiteral("缩水方案"),
                              QStringLiteral("还没有保存的缩水方案：请先在缩水窗口保存一个")});
        } else if (SchemeFolder folder(m_programFolder); folder.contains(name)) {
            // The 方案 as it is now; a plan opened whose 方案 is gone keeps the copy it holds.
            const filter::SchemeReading read = folder.load(name);
            if (!read.set)
                errors.push_back({QStringLiteral("缩水方案"), read.error});
            else
                plan.scheme = {name, *read.set};
        } else if (name != plan.scheme.name) {
            errors.push_back(
                {QStringLiteral("缩水方案"), QStringLiteral("没有名为“%1”的方案").arg(name)});
        }
    }
    return errors;
}
