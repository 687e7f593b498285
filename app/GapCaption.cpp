#include "GapCaption.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

int CaptionGap::extraWidth(const QFontMetrics &metrics, const QString &text) const
{
    return gapWidth - metrics.horizontalAdvance(text.mid(gapStart, gapLength));
}

namespace {

void drawAroundGap(QPainter &painter, const QRect &area, const QString &text, const CaptionGap &gap,
                   const QColor &color)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const QString before = gap.before(text);
    painter.setPen(color);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, before);
    QRect rest = area;
    rest.setLeft(area.left() + metrics.horizontalAdvance(before) + gap.gapWidth);
    painter.drawText(rest, Qt::AlignLeft | Qt::AlignVCenter, gap.after(text));
}

} // namespace

GapLabel::GapLabel(const QString &text, CaptionGap gap, QWidget *parent)
    : QLabel(text, parent), m_gap(gap)
{
}

QSize GapLabel::sizeHint() const
{
    QSize size = QLabel::sizeHint();
    size.rwidth() += std::max(0, m_gap.extraWidth(fontMetrics(), text()));
    return size;
}

QRect GapLabel::gapRect() const
{
    const QRect area = contentsRect();
    const int left = area.left() + fontMetrics().horizontalAdvance(m_gap.before(text()));
    return QRect(left, area.top(), m_gap.gapWidth, area.height());
}

void GapLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawAroundGap(painter, contentsRect(), text(), m_gap, palette().color(foregroundRole()));
}

GapRadioButton::GapRadioButton(const QString &text, CaptionGap gap, QWidget *parent)
    : QRadioButton(text, parent), m_gap(gap)
{
}

QSize GapRadioButton::sizeHint() const
{
    QSize size = QRadioButton::sizeHint();
    size.rwidth() += std::max(0, m_gap.extraWidth(fontMetrics(), text()));
    return size;
}

int GapRadioButton::textLeft() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this).left();
}

QRect GapRadioButton::gapRect() const
{
    const int left = textLeft() + fontMetrics().horizontalAdvance(m_gap.before(text()));
    return QRect(left, 0, m_gap.gapWidth, height());
}

void GapRadioButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_RadioButton, option);
    QRect area = rect();
    area.setLeft(textLeft());
    drawAroundGap(painter, area, caption, m_gap, palette().color(QPalette::WindowText));
}
