#include "AxisFit.h"

#include <QValueAxis>
#include <cmath>

void fitAxis(QValueAxis *axis, double top, bool wholeNumbers)
{
    if (!(top > 0)) {
        axis->setRange(0, 1);
        axis->setLabelsVisible(false);
        axis->setTickType(QValueAxis::TicksFixed);
        axis->setTickCount(2);
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
    axis->setLabelsVisible(true);
    axis->setRange(0, top);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
}
