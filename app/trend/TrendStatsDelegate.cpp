#include "TrendStatsDelegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int kPadding = 3;

} // namespace

QFont TrendStatsDelegate::fittingFont(const QFont &font, const QString &text, int width)
{
    QFont fitted = font;
    int size = QFontInfo(font).pixelSize();
    while (size > kMinPixelSize && QFontMetrics(fitted).horizontalAdvance(text) + kPadding > width)
        fitted.setPixelSize(--size);
    return fitted;
}

void TrendStatsDelegate::drawFitted(QPainter *painter, const QRect &rect, const QString &text,
                                    const QFont &font)
{
    painter->setFont(fittingFont(font, text, rect.width()));
    painter->drawText(rect, Qt::AlignCenter, text);
}

void TrendStatsDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QStyle *style = item.widget ? item.widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, item.widget);
    painter->save();
    painter->setPen(option.palette.color(
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    drawFitted(painter, option.rect, item.text, option.font);
    painter->restore();
}
