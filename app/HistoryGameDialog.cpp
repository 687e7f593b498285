#include "HistoryGameDialog.h"

#include "Clock.h"
#include "PanelWidgets.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace quorlent;

using panels::named;

namespace {

const std::vector<Game> &presets()
{
    static const std::vector<Game> offered = Game::presets();
    return offered;
}

constexpr IssueForm kForms[] = {IssueForm::DateSequence3, IssueForm::DateSequence2,
                                IssueForm::YearSequence4, IssueForm::YearSequence2};

} // namespace

HistoryGameDialog::HistoryGameDialog(const QString &title, const QString &name, const Game &game,
                                     bool gameLocked, QWidget *parent)
    : QDialog(parent), m_initial(game)
{
    setObjectName(QStringLiteral("frmHistoryGame"));
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    txtHistoryName = named(new QLineEdit(name), "txtHistoryName");
    txtHistoryName->setPlaceholderText(QStringLiteral("例如 排列五"));
    form->addRow(QStringLiteral("名称"), txtHistoryName);

    cboSchedule = named(new QComboBox, "cboSchedule");
    for (const Game &g : presets())
        cboSchedule->addItem(g.scheduleName());
    cboSchedule->addItem(QStringLiteral("自定"));
    form->addRow(QStringLiteral("彩种"), cboSchedule);

    fraCustom = named(new QWidget, "fraCustom");
    auto *custom = new QHBoxLayout(fraCustom);
    custom->setContentsMargins(0, 0, 0, 0);
    custom->addWidget(new QLabel(QStringLiteral("每天")));
    spnQiPerDay = named(new QSpinBox, "spnQiPerDay");
    spnQiPerDay->setRange(1, Game::kMaxDrawsPerDay);
    spnQiPerDay->setValue(game.drawsPerDay());
    spnQiPerDay->setSuffix(QStringLiteral(" 期"));
    custom->addWidget(spnQiPerDay);
    custom->addWidget(new QLabel(QStringLiteral("期号")));
    cboIssueForm = named(new QComboBox, "cboIssueForm");
    for (IssueForm f : kForms)
        cboIssueForm->addItem(Game::formName(f));
    cboIssueForm->setCurrentIndex(
        int(std::find(std::begin(kForms), std::end(kForms), game.form()) - std::begin(kForms)));
    custom->addWidget(cboIssueForm, 1);
    form->addRow(QString(), fraCustom);

    lblExample = named(new QLabel, "lblExample");
    lblExample->setWordWrap(true);
    form->addRow(QString(), lblExample);
    layout->addLayout(form);
    if (gameLocked) {
        auto *note = named(new QLabel(QStringLiteral("这个历史库已有开奖号码，彩种不能更改；"
                                                     "只能改名称。")),
                           "lblGameLocked");
        note->setWordWrap(true);
        layout->addWidget(note);
    }

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const auto preset = std::find(presets().begin(), presets().end(), game);
    cboSchedule->setCurrentIndex(preset == presets().end() ? int(presets().size())
                                                           : int(preset - presets().begin()));
    cboSchedule->setEnabled(!gameLocked);
    fraCustom->setEnabled(!gameLocked);
    connect(cboSchedule, &QComboBox::currentIndexChanged, this, &HistoryGameDialog::update);
    connect(spnQiPerDay, &QSpinBox::valueChanged, this, &HistoryGameDialog::update);
    connect(cboIssueForm, &QComboBox::currentIndexChanged, this, &HistoryGameDialog::update);
    connect(txtHistoryName, &QLineEdit::textChanged, this, &HistoryGameDialog::update);
    update();
}

QString HistoryGameDialog::name() const
{
    return txtHistoryName->text().trimmed();
}

std::optional<Game> HistoryGameDialog::chosen() const
{
    const int index = cboSchedule->currentIndex();
    if (index >= 0 && index < int(presets().size()))
        return presets()[size_t(index)];
    return Game::make(spnQiPerDay->value(), kForms[std::max(0, cboIssueForm->currentIndex())]);
}

Game HistoryGameDialog::game() const
{
    return chosen().value_or(m_initial);
}

void HistoryGameDialog::setName(const QString &name)
{
    txtHistoryName->setText(name);
}

void HistoryGameDialog::setSchedule(int index)
{
    cboSchedule->setCurrentIndex(index);
}

void HistoryGameDialog::setCustom(int drawsPerDay, IssueForm form)
{
    cboSchedule->setCurrentIndex(int(presets().size()));
    spnQiPerDay->setValue(drawsPerDay);
    cboIssueForm->setCurrentIndex(
        int(std::find(std::begin(kForms), std::end(kForms), form) - std::begin(kForms)));
}

void HistoryGameDialog::setNameCheck(std::function<QString(const QString &)> check)
{
    m_nameCheck = std::move(check);
    update();
}

void HistoryGameDialog::setNameRequired(bool required)
{
    m_nameRequired = required;
    update();
}

void HistoryGameDialog::update()
{
    const bool custom = cboSchedule->currentIndex() == int(presets().size());
    fraCustom->setVisible(custom);
    const std::optional<Game> game = chosen();
    QString text;
    if (!game) {
        text = Game::whyInvalid(spnQiPerDay->value(),
                                kForms[std::max(0, cboIssueForm->currentIndex())]);
    } else {
        const QDate today = currentDateTime().date();
        const int32_t first = game->first(today);
        text = QStringLiteral("期号如 %1、%2")
                   .arg(game->displayForm(first), game->displayForm(game->next(first, today)));
        if (game->hasDrawsOfADay() && !game->numbersByYear())
            text += QStringLiteral("，每天最后一期是 %1")
                        .arg(game->displayForm(game->issueOfDay(today, game->drawsPerDay())));
    }
    QString nameError;
    if (m_nameRequired && name().isEmpty())
        nameError = QStringLiteral("请输入历史库的名称");
    else if (m_nameCheck && !name().isEmpty())
        nameError = m_nameCheck(name());
    if (!nameError.isEmpty())
        text = nameError + QStringLiteral("。") + text;
    lblExample->setText(text);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(game.has_value() && nameError.isEmpty());
}
