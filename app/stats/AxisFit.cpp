#include "AxisFit.h"

#include <QValueAxis>
#include <cmath>

// Each change of an axis lays the chart out again: only what differs is set.
void fitAxis(QValueAxis *axis, double top, bool wholeNumbers)
{
    if (!(top > 0)) {
        if (axis->labelsVisible())
            axis->setLabelsVisible(false);
        if (axis->tickType() != QValueAxis::TicksFixed)
            axis->setTickType(QValueAxis::TicksFixed);
        axis->setTickCount(2);
        axis->setRange(0, 1);
        return;
    }
    const double rough = top / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * power;
        if (step >= rough)
            break;
    }
    if (wholeNumbers)
        step = std::max(1.0, std::round(step));
    if (!axis->labelsVisible())
        axis->setLabelsVisible(true);
    if (axis->tickType() != QValueAxis::TicksDynamic) {
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0);
    }
    if (axis->tickInterval() != step)
        axis->setTickInterval(step);
    if (axis->min() != 0 || axis->max() != top)
        axis->setRange(0, top);
}
