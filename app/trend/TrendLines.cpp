#include "TrendLines.h"

#include "TrendChartModel.h"
#include "TrendDelegate.h"
#include "TrendPalette.h"

#include <QPainter>
#include <cmath>

using namespace quorlent;
using namespace quorlent::trend;

void paintTrendLines(QPainter &painter, const TrendChartModel &model, int first, int last,
                     const std::function<QRect(int row, int column)> &cell)
{
    const TrendChart &chart = model.chart();
    const int rows = model.rowCount();
    if (rows == 0 || first > last)
        return;
    // Reach out to the nearest draws beyond the rows painted.
    int from = std::max(first - 1, 0);
    while (from > 0 && chart.isMissingRow(size_t(from)))
        --from;
    int to = std::min(last + 1, rows - 1);
    while (to < rows - 1 && chart.isMissingRow(size_t(to)))
        ++to;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (int p = 0; p < kPositions; ++p) {
        QPen pen(TrendPalette::kPositions[size_t(p)], 1.6);
        QPointF previous;
        bool havePrevious = false;
        bool gap = false;
        qreal radius = 0;
        for (int row = from; row <= to; ++row) {
            if (chart.isMissingRow(size_t(row))) {
                gap = true;
                continue;
            }
            const int digit = chart.digitsOf(size_t(row))[size_t(p)];
            const QRectF rect =
                cell(row, TrendChartModel::columnOfPresence(positionColumn(p, digit)));
            const QPointF centre = rect.center();
            radius = TrendDelegate::circleDiameter(int(rect.height())) / 2.0;
            if (havePrevious) {
                const QPointF v = centre - previous;
                const qreal length = std::hypot(v.x(), v.y());
                if (length > 2 * radius) {
                    const QPointF step = v * (radius / length);
                    pen.setStyle(gap ? Qt::DashLine : Qt::SolidLine);
                    painter.setPen(pen);
                    painter.drawLine(previous + step, centre - step);
                }
            }
            previous = centre;
            havePrevious = true;
            gap = false;
        }
    }
    painter.restore();
}
