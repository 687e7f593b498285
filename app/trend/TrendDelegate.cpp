#include "TrendDelegate.h"

#include "TrendChartModel.h"
#include "TrendPalette.h"

#include <QPainter>

using namespace quorlent;
using namespace quorlent::trend;

namespace {

// A thin rule on the left of each group of columns, so positions stay apart in greyscale too.
bool opensGroup(int column)
{
    const TrendChartModel::Group *group = TrendChartModel::groupOf(column);
    return (group && group->first == column) || column == TrendChartModel::Sum ||
           column == TrendChartModel::FirstPresence;
}

} // namespace

void TrendDelegate::drawCircle(QPainter *painter, QPointF at, int d, int position, int digit,
                               const QFont &font)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QColor fill = TrendPalette::circle(position);
    painter->setPen(Qt::NoPen);
    painter->setBrush(fill);
    painter->drawEllipse(QRectF(at.x() + 0.5, at.y() + 0.5, d - 1, d - 1));
    QFont bold = font;
    bold.setBold(true);
    bold.setPixelSize(qMax(7, d * 2 / 3));
    painter->setFont(bold);
    painter->setPen(TrendPalette::textOn(fill));
    painter->drawText(QRectF(at.x(), at.y(), d, d), Qt::AlignCenter, QString::number(digit));
    painter->restore();
}

const QPixmap &TrendDelegate::circle(int position, int digit, int diameter, qreal ratio,
                                     const QFont &font) const
{
    const quint64 key = (quint64(position + 1) << 40) | (quint64(digit) << 32) |
                        (quint64(diameter) << 16) | quint64(ratio * 100);
    auto found = m_circles.find(key);
    if (found != m_circles.end())
        return *found;
    QPixmap pixmap(QSize(diameter, diameter) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    drawCircle(&p, QPointF(0, 0), diameter, position, digit, font);
    p.end();
    return *m_circles.insert(key, pixmap);
}

void TrendDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const
{
    const auto *model = qobject_cast<const TrendChartModel *>(index.model());
    if (!model) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const TrendRow &r = model->line(index.row());
    const int column = index.column();
    const int presence = TrendChartModel::presenceOf(column);
    const QRect rect = option.rect;

    if (r.missing)
        painter->fillRect(rect, TrendPalette::kMissingRow);
    else if (presence >= 0 && model->showsLayers() && r.layered[size_t(presence)])
        painter->fillRect(rect, TrendPalette::layer(positionOf(presence)));
    if (option.state & QStyle::State_Selected) {
        QColor highlight = option.palette.color(QPalette::Highlight);
        highlight.setAlpha(110);
        painter->fillRect(rect, highlight);
    }
    if (opensGroup(column))
        painter->fillRect(QRect(rect.left(), rect.top(), 1, rect.height()),
                          TrendPalette::kGroupRule);

    if (presence >= 0 && !r.missing) {
        const int64_t omission = r.omission[size_t(presence)];
        if (omission == 0) {
            const int d = circleDiameter(rect.height());
            const QPoint at(rect.left() + (rect.width() - d + 1) / 2,
                            rect.top() + (rect.height() - d + 1) / 2);
            if (painter->transform().isScaling() ||
                painter->device()->devType() == QInternal::Printer) {
                // Printed or scaled: drawn as shapes, sharp at any resolution.
                drawCircle(painter, at, d, positionOf(presence), digitOf(presence), option.font);
            } else {
                const qreal ratio = painter->device()->devicePixelRatioF();
                painter->drawPixmap(
                    at, circle(positionOf(presence), digitOf(presence), d, ratio, option.font));
            }
            const int times = r.features.counts[size_t(digitOf(presence))];
            if (isSpreadColumn(presence) && times > 1) {
                // How often the digit is drawn, in a small black badge at the circle's corner.
                QFont small = option.font;
                small.setPixelSize(qMax(6, d / 2));
                small.setBold(true);
                const int b = d / 2 + 1;
                const QRect badge(at.x() + d - b + 2, rect.top(), b, b);
                painter->save();
                painter->setRenderHint(QPainter::Antialiasing);
                painter->setPen(Qt::NoPen);
                painter->setBrush(Qt::black);
                painter->drawEllipse(badge);
                painter->setFont(small);
                painter->setPen(Qt::white);
                painter->drawText(badge, Qt::AlignCenter, QString::number(times));
                painter->restore();
            }
        } else if (model->showsOmission()) {
            painter->setFont(option.font);
            painter->setPen(TrendPalette::kOmissionText);
            painter->drawText(rect, Qt::AlignCenter, QString::number(omission));
        }
        return;
    }
    const QString text = model->text(index.row(), column);
    if (text.isEmpty())
        return;
    QColor ink = option.palette.color(QPalette::Text);
    if (column == TrendChartModel::Issue && !r.issueExists)
        ink = TrendPalette::kImpossibleIssue;
    QFont font = option.font;
    // 豹子 and 组三 stand out from the many 组六.
    font.setBold(column >= TrendChartModel::ShapeFront &&
                 r.features.shapes[size_t(column - TrendChartModel::ShapeFront)] !=
                     Shape::Distinct);
    painter->setFont(font);
    painter->setPen(ink);
    painter->drawText(rect, Qt::AlignCenter, text);
}
