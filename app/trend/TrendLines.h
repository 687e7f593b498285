#pragma once

#include <QRect>
#include <functional>

class QPainter;
class TrendChartModel;

// Paints the 折线: for each position a line from drawn circle to drawn circle down the rows
// first..last, joined to the draws just outside them so the lines run on past the edge. A line
// across missing draws is dashed. The lines stop at the circles' rims, so the digits stay clear.
void paintTrendLines(QPainter &painter, const TrendChartModel &model, int first, int last,
                     const std::function<QRect(int row, int column)> &cell);
