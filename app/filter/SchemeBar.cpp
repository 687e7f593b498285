#include "SchemeBar.h"

#include "PanelWidgets.h"
#include "Prompts.h"
#include "Settings.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace quorlent::filter;
using panels::named;

SchemeBar::SchemeBar(Settings &settings, const QString &programFolder,
                     std::function<const ConditionSet &()> current, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_schemes(programFolder), m_current(std::move(current))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
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

    cboScheme->setEditText(m_settings.text(Settings::txtSchemeName));
    refresh();
    connect(cmdOpenScheme, &QPushButton::clicked, this, &SchemeBar::cmdOpenScheme_Click);
    connect(cmdSaveScheme, &QPushButton::clicked, this, &SchemeBar::cmdSaveScheme_Click);
    connect(cmdDeleteScheme, &QPushButton::clicked, this, &SchemeBar::cmdDeleteScheme_Click);
}

void SchemeBar::refresh()
{
    const QString typed = cboScheme->currentText();
    cboScheme->clear();
    cboScheme->addItems(m_schemes.names());
    cboScheme->setEditText(typed);
    cmdDeleteScheme->setEnabled(cboScheme->count() > 0);
}

void SchemeBar::cmdOpenScheme_Click()
{
    const QString name = cboScheme->currentText().trimmed();
    if (const QString why = SchemeFolder::nameError(name); !why.isEmpty()) {
        emit status(why);
        return;
    }
    const SchemeReading reading = m_schemes.load(name);
    if (!reading.set) {
        emit status(QStringLiteral("方案“%1”未能打开：%2").arg(name, reading.error));
        return;
    }
    m_settings.setText(Settings::txtSchemeName, name);
    emit opened(*reading.set);
    emit status(QStringLiteral("已打开方案“%1”：%2 条条件，按最新一期计算。")
                    .arg(name)
                    .arg(reading.set->conditions.size()));
}

void SchemeBar::cmdSaveScheme_Click()
{
    const QString name = cboScheme->currentText().trimmed();
    if (const QString why = SchemeFolder::nameError(name); !why.isEmpty()) {
        emit status(why);
        return;
    }
    if (m_schemes.contains(name) &&
        !prompts::confirm(this, QStringLiteral("保存方案"),
                          QStringLiteral("已有名为“%1”的方案，要用眼前的条件替换它吗？").arg(name),
                          QMessageBox::Yes | QMessageBox::No))
        return;
    if (const QString error = m_schemes.save(name, m_current()); !error.isEmpty()) {
        emit status(error);
        return;
    }
    m_settings.setText(Settings::txtSchemeName, name);
    refresh();
    emit status(QStringLiteral("方案“%1”已保存到 %2。")
                    .arg(name, QDir::toNativeSeparators(m_schemes.path())));
}

void SchemeBar::cmdDeleteScheme_Click()
{
    const QString name = cboScheme->currentText().trimmed();
    if (!m_schemes.contains(name)) {
        emit status(QStringLiteral("没有名为“%1”的方案。").arg(name));
        return;
    }
    if (!prompts::confirm(this, QStringLiteral("删除方案"),
                          QStringLiteral("要删除方案“%1”吗？眼前的条件不受影响。").arg(name),
                          QMessageBox::Yes | QMessageBox::No))
        return;
    if (const QString error = m_schemes.remove(name); !error.isEmpty()) {
        emit status(error);
        return;
    }
    cboScheme->setEditText(QString());
    refresh();
    emit status(QStringLiteral("方案“%1”已删除。").arg(name));
}
