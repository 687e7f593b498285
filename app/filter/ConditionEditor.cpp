#include "ConditionEditor.h"

#include "DigitRow.h"
#include "PanelWidgets.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace quorlent::filter;

using panels::named;

namespace {

QLabel *hint()
{
    auto *label = new QLabel;
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("QLabel { color: #555; }"));
    return label;
}

} // namespace

ConditionEditor::ConditionEditor(QWidget *parent) : QGroupBox(QStringLiteral("条件设置"), parent)
{
    setObjectName(QStringLiteral("fraConditionEditor"));
    auto *layout = new QVBoxLayout(this);
    lblDescription = named(new QLabel, QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);
    layout->addWidget(lblDescription);

    m_pages = named(new QStackedWidget, QStringLiteral("stkCondition"));
    auto *none = new QLabel(QStringLiteral("在左边的列表里选择一个条件，或者选好类型后按“添加”。"));
    none->setWordWrap(true);
    none->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_pages->addWidget(none);
    m_pages->addWidget(buildPositionPage());
    m_pages->addWidget(buildDigitsPage());
    m_pages->addWidget(buildValuesPage());
    m_pages->addWidget(buildShapesPage());
    m_pages->addWidget(buildOmissionPage());
    layout->addWidget(m_pages, 1);

    lblConditionError = named(new QLabel, QStringLiteral("lblConditionError"));
    lblConditionError->setWordWrap(true);
    lblConditionError->setStyleSheet(QStringLiteral("QLabel { color: #b01c1c; }"));
    layout->addWidget(lblConditionError);
    showCondition(nullptr, m_part, m_selection);
}

QWidget *ConditionEditor::buildPositionPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 5; ++i) {
        lblPositions[size_t(i)] = new QLabel;
        digPositions[size_t(i)] = named(new DigitRow, QStringLiteral("digPosition(%1)").arg(i));
        connect(digPositions[size_t(i)], &DigitRow::changed, this, &ConditionEditor::takeFields);
        grid->addWidget(lblPositions[size_t(i)], i, 0);
        grid->addWidget(digPositions[size_t(i)], i, 1);
    }
    grid->setRowStretch(5, 1);
    return page;
}

QWidget *ConditionEditor::buildDigitsPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    digDigits = named(new DigitRow, QStringLiteral("digDigits"));
    connect(digDigits, &DigitRow::changed, this, &ConditionEditor::takeFields);
    form->addRow(QStringLiteral("数字"), digDigits);

    auto *rule = new QWidget;
    auto *ruleLayout = new QHBoxLayout(rule);
    ruleLayout->setContentsMargins(0, 0, 0, 0);
    cboBankerRule = named(new QComboBox, QStringLiteral("cboBankerRule"));
    cboBankerRule->addItems({QStringLiteral("至少"), QStringLiteral("恰好")});
    spnBankerCount = named(new QSpinBox, QStringLiteral("spnBankerCount"));
    spnBankerCount->setRange(0, 5);
    spnBankerCount->setSuffix(QStringLiteral(" 个"));
    ruleLayout->addWidget(cboBankerRule);
    ruleLayout->addWidget(spnBankerCount);
    ruleLayout->addStretch(1);
    lblBankerRule = new QLabel(QStringLiteral("出现"));
    form->addRow(lblBankerRule, rule);
    connect(cboBankerRule, &QComboBox::currentIndexChanged, this, &ConditionEditor::takeFields);
    connect(spnBankerCount, &QSpinBox::valueChanged, this, &ConditionEditor::takeFields);

    cboKillPosition = named(new QComboBox, QStringLiteral("cboKillPosition"));
    lblKillPosition = new QLabel(QStringLiteral("范围"));
    form->addRow(lblKillPosition, cboKillPosition);
    connect(cboKillPosition, &QComboBox::currentIndexChanged, this, &ConditionEditor::takeFields);
    return page;
}

QWidget *ConditionEditor::buildValuesPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    txtValues = named(new QLineEdit, QStringLiteral("txtValues"));
    txtValues->setClearButtonEnabled(true);
    connect(txtValues, &QLineEdit::textEdited, this, &ConditionEditor::takeFields);
    lblValues = new QLabel(QStringLiteral("允许的值"));
    form->addRow(lblValues, txtValues);
    lblValuesHint = named(hint(), QStringLiteral("lblValuesHint"));
    form->addRow(QString(), lblValuesHint);
    return page;
}

QWidget *ConditionEditor::buildShapesPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int s = 0; s < kShapeCount; ++s) {
        auto *box = named(new QCheckBox(shapeName(Shape(s))),
                          QStringLiteral("chkShape(%1)").arg(QLatin1String(shapeId(Shape(s)))));
        connect(box, &QCheckBox::clicked, this, &ConditionEditor::takeFields);
        chkShapes[size_t(s)] = box;
    }
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(4, 1);
    return page;
}

QWidget *ConditionEditor::buildOmissionPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    spnThreshold = named(new QSpinBox, QStringLiteral("spnThreshold"));
    spnThreshold->setRange(0, 9999);
    spnThreshold->setSuffix(QStringLiteral(" 期"));
    lblThreshold = new QLabel;
    form->addRow(lblThreshold, spnThreshold);
    connect(spnThreshold, &QSpinBox::valueChanged, this, &ConditionEditor::takeFields);

    auto *where = new QWidget;
    auto *whereLayout = new QHBoxLayout(where);
    whereLayout->setContentsMargins(0, 0, 0, 0);
    optAtPositions =
        named(new QRadioButton(QStringLiteral("按位")), QStringLiteral("optAtPositions"));
    optAtPositions->setToolTip(QStringLiteral("每一位看这个数字在这一位上的遗漏，和走势图一样"));
    optAnywhere =
        named(new QRadioButton(QStringLiteral("整个号码")), QStringLiteral("optAnywhere"));
    optAnywhere->setToolTip(QStringLiteral("数字在这部分的任何一位开出就算开出"));
    auto *group = new QButtonGroup(where);
    group->addButton(optAtPositions);
    group->addButton(optAnywhere);
    whereLayout->addWidget(optAtPositions);
    whereLayout->addWidget(optAnywhere);
    whereLayout->addStretch(1);
    form->addRow(QStringLiteral("遗漏"), where);
    for (QRadioButton *b : {optAtPositions, optAnywhere})
        connect(b, &QRadioButton::clicked, this, &ConditionEditor::takeFields);

    txtCounts = named(new QLineEdit, QStringLiteral("txtCounts"));
    txtCounts->setClearButtonEnabled(true);
    connect(txtCounts, &QLineEdit::textEdited, this, &ConditionEditor::takeFields);
    form->addRow(QStringLiteral("允许的个数"), txtCounts);
    lblCountsHint = named(hint(), QStringLiteral("lblCountsHint"));
    form->addRow(QString(), lblCountsHint);
    return page;
}

void ConditionEditor::showCondition(const Condition *condition, FilterPart part,
                                    Selection selection)
{
    m_part = part;
    m_selection = selection;
    if (condition)
        m_condition = *condition;
    m_filling = true;
    if (!condition) {
        lblDescription->clear();
        m_pages->setCurrentIndex(NonePage);
        lblConditionError->clear();
    } else {
        fill();
    }
    m_filling = false;
}

void ConditionEditor::showError(const QString &error)
{
    lblConditionError->setText(error);
}

void ConditionEditor::focusFields()
{
    switch (m_pages->currentIndex()) {
    case PositionPage:
        digPositions[0]->button(0)->setFocus();
        break;
    case DigitsPage:
        digDigits->button(0)->setFocus();
        break;
    case ValuesPage:
        txtValues->setFocus();
        break;
    case OmissionPage:
        spnThreshold->setFocus();
        break;
    case ShapesPage:
        for (QCheckBox *box : chkShapes) {
            if (!box->isHidden()) {
                box->setFocus();
                break;
            }
        }
        break;
    }
}

void ConditionEditor::fill()
{
    const Condition &c = m_condition;
    const KindInfo &info = kindInfo(c.kind);
    const int n = digitCount(m_part);
    const int first = firstPosition(m_part);
    lblDescription->setText(kindDescription(c.kind));
    switch (info.form) {
    case KindForm::Positions:
        m_pages->setCurrentIndex(PositionPage);
        for (int i = 0; i < 5; ++i) {
            lblPositions[size_t(i)]->setVisible(i < n);
            digPositions[size_t(i)]->setVisible(i < n);
            lblPositions[size_t(i)]->setText(positionName(first + i));
            digPositions[size_t(i)]->setDigits(c.positions[size_t(i)]);
        }
        break;
    case KindForm::Bankers:
    case KindForm::Kill: {
        m_pages->setCurrentIndex(DigitsPage);
        const bool bankers = info.form == KindForm::Bankers;
        digDigits->setDigits(c.digits);
        for (QWidget *w :
             std::initializer_list<QWidget *>{lblBankerRule, cboBankerRule, spnBankerCount})
            w->setVisible(bankers);
        lblKillPosition->setVisible(!bankers);
        cboKillPosition->setVisible(!bankers);
        cboBankerRule->setCurrentIndex(c.rule == BankerRule::AtLeast ? 0 : 1);
        spnBankerCount->setValue(c.count);
        cboKillPosition->clear();
        cboKillPosition->addItem(QStringLiteral("整个号码"));
        for (int i = 0; i < n; ++i)
            cboKillPosition->addItem(positionName(first + i));
        cboKillPosition->setCurrentIndex(c.position >= 0 && c.position <= n ? c.position : 0);
        break;
    }
    case KindForm::Shapes: {
        m_pages->setCurrentIndex(ShapesPage);
        auto *grid = static_cast<QGridLayout *>(m_pages->widget(ShapesPage)->layout());
        for (QCheckBox *box : chkShapes) {
            grid->removeWidget(box);
            box->hide();
        }
        // Only the shapes the part has, four to a row.
        int at = 0;
        for (Shape s : shapesFor(n)) {
            QCheckBox *box = chkShapes[size_t(s)];
            box->setChecked(c.shapes & shapeBit(s));
            grid->addWidget(box, at / 4, at % 4);
            box->show();
            ++at;
        }
        break;
    }
    case KindForm::Omission:
        m_pages->setCurrentIndex(OmissionPage);
        lblThreshold->setText(QString::fromUtf8(info.thresholdLabel));
        spnThreshold->setValue(c.threshold);
        (c.atPositions ? optAtPositions : optAnywhere)->setChecked(true);
        txtCounts->setText(c.values);
        txtCounts->setPlaceholderText(QStringLiteral("如 ") + valuesExample(c.kind, n));
        lblCountsHint->setText(valuesHint(c.kind, n));
        break;
    case KindForm::Values:
    case KindForm::Ratios: {
        m_pages->setCurrentIndex(ValuesPage);
        const bool ratios = info.form == KindForm::Ratios;
        lblValues->setText(ratios ? QStringLiteral("允许的比") : QStringLiteral("允许的值"));
        txtValues->setText(c.values);
        // The kind's own example, one its list can hold in this part (和尾 takes 0–9).
        txtValues->setPlaceholderText(QStringLiteral("如 ") + valuesExample(c.kind, n));
        lblValuesHint->setText(valuesHint(c.kind, n));
        break;
    }
    }
}

void ConditionEditor::takeFields()
{
    if (m_filling || m_pages->currentIndex() == NonePage)
        return;
    Condition &c = m_condition;
    switch (formOf(c.kind)) {
    case KindForm::Positions:
        for (int i = 0; i < digitCount(m_part); ++i)
            c.positions[size_t(i)] = digPositions[size_t(i)]->digits();
        break;
    case KindForm::Bankers:
        c.digits = digDigits->digits();
        c.rule = cboBankerRule->currentIndex() == 0 ? BankerRule::AtLeast : BankerRule::Exactly;
        c.count = spnBankerCount->value();
        break;
    case KindForm::Kill:
        c.digits = digDigits->digits();
        c.position = std::max(0, cboKillPosition->currentIndex());
        break;
    case KindForm::Shapes:
        c.shapes = 0;
        for (Shape s : shapesFor(digitCount(m_part))) {
            if (chkShapes[size_t(s)]->isChecked())
                c.shapes |= shapeBit(s);
        }
        break;
    case KindForm::Omission:
        c.threshold = spnThreshold->value();
        c.atPositions = optAtPositions->isChecked();
        c.values = txtCounts->text();
        break;
    case KindForm::Values:
    case KindForm::Ratios:
        c.values = txtValues->text();
        break;
    }
    emit edited(c);
}
