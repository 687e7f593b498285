#include "DigitRow.h"

#include <QHBoxLayout>
#include <QToolButton>

using namespace quorlent::filter;

DigitRow::DigitRow(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    // A digit chosen must stand out at a glance from one left out.
    setStyleSheet(QStringLiteral(
        "QToolButton { background: #ffffff; color: #333; border: 1px solid #a8a8a8;"
        " border-radius: 3px; }"
        "QToolButton:hover { border-color: #2d6fb8; }"
        "QToolButton:checked { background: #2d6fb8; color: #ffffff; border-color: #1f538c;"
        " font-weight: bold; }"));
    const int side = fontMetrics().height() + 8;
    for (int d = 0; d <= 9; ++d) {
        auto *b = new QToolButton;
        b->setObjectName(QString::number(d));
        b->setText(QString::number(d));
        b->setCheckable(true);
        b->setFixedSize(side, side);
        connect(b, &QToolButton::clicked, this, &DigitRow::changed);
        layout->addWidget(b);
        m_buttons[size_t(d)] = b;
    }
    layout->addSpacing(6);
    for (bool on : {true, false}) {
        auto *b = new QToolButton;
        b->setObjectName(on ? QStringLiteral("all") : QStringLiteral("none"));
        b->setText(on ? QStringLiteral("全") : QStringLiteral("清"));
        b->setToolTip(on ? QStringLiteral("选上全部数字") : QStringLiteral("一个也不选"));
        b->setFixedHeight(side);
        connect(b, &QToolButton::clicked, this, [this, on] { setAll(on); });
        layout->addWidget(b);
    }
    layout->addStretch(1);
}

DigitSet DigitRow::digits() const
{
    DigitSet set;
    for (int d = 0; d <= 9; ++d) {
        if (m_buttons[size_t(d)]->isChecked())
            set.insert(d);
    }
    return set;
}

void DigitRow::setDigits(DigitSet digits)
{
    for (int d = 0; d <= 9; ++d)
        m_buttons[size_t(d)]->setChecked(digits.contains(d));
}

QAbstractButton *DigitRow::button(int digit) const
{
    return m_buttons[size_t(digit)];
}

void DigitRow::setAll(bool on)
{
    setDigits(on ? DigitSet::all() : DigitSet());
    emit changed();
}
