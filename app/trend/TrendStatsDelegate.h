#pragma once

#include <QStyledItemDelegate>

// Paints a statistics figure in the chart's narrow digit columns: in the view's font when it
// fits, else in a font made smaller until it does (not below kMinPixelSize; the window widens
// the columns for figures that still do not fit).
class TrendStatsDelegate : public QStyledItemDelegate
{
    Q_OBJECT

  public:
    static constexpr int kMinPixelSize = 9;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    // The font `text` fits `width` in, starting from `font`.
    static QFont fittingFont(const QFont &font, const QString &text, int width);
    static void drawFitted(QPainter *painter, const QRect &rect, const QString &text,
                           const QFont &font);
};
