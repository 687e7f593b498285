#pragma once

#include <QHash>
#include <QPixmap>
#include <QStyledItemDelegate>

// Paints the cells of the chart: a drawn digit as a filled circle in its position's colour with
// the digit in it, an omission as a small grey number, a missing draw as a grey line, and the
// shading of 遗漏分层. Circles are drawn once per colour, digit and size and then copied.
class TrendDelegate : public QStyledItemDelegate
{
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    static int circleDiameter(int rowHeight) { return qMax(8, rowHeight - 4); }
    // A circle of diameter `d` with its top left at `at`, in a position's colour (-1: 号码分布).
    static void drawCircle(QPainter *painter, QPointF at, int d, int position, int digit,
                           const QFont &font);

  private:
    const QPixmap &circle(int position, int digit, int diameter, qreal ratio,
                          const QFont &font) const;

    mutable QHash<quint64, QPixmap> m_circles;
};
