#include "BacktestChartView.h"

#include "AxisFit.h"

#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

using namespace quorlent;

namespace {

QLineSeries *line(const QString &name, const QColor &colour, Qt::PenStyle style)
{
    auto *series = new QLineSeries;
    series->setName(name);
    QPen pen(colour);
    pen.setWidthF(1.6);
    pen.setStyle(style);
    series->setPen(pen);
    return series;
}

} // namespace

BacktestChartView::BacktestChartView(QWidget *parent) : SavableChartView(parent)
{
    auto *chart = new QChart;
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(0);
    chart->legend()->setAlignment(Qt::AlignTop);
    m_search = line(QStringLiteral("检索预测"), QColor(0x2b, 0x6c, 0xb0), Qt::SolidLine);
    m_baseline = line(QStringLiteral("朴素基准"), QColor(0x3a, 0x9a, 0x4a), Qt::SolidLine);
    m_chance = line(QStringLiteral("随机命中率"), QColor(0xc0, 0x20, 0x20), Qt::DashLine);
    m_axisX = new QValueAxis;
    m_axisX->setTitleText(QStringLiteral("已评分期数"));
    m_axisX->setLabelFormat(QStringLiteral("%d"));
    m_axisY = new QValueAxis;
    m_axisY->setTitleText(QStringLiteral("累计命中率（%）"));
    m_axisY->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_axisX, Qt::AlignBottom);
    chart->addAxis(m_axisY, Qt::AlignLeft);
    for (QLineSeries *series : {m_search, m_baseline, m_chance}) {
        chart->addSeries(series);
        series->attachAxis(m_axisX);
        series->attachAxis(m_axisY);
    }
    setChart(chart);
    setMinimumSize(360, 240);
    clear();
}

void BacktestChartView::clear()
{
    for (QLineSeries *series : {m_search, m_baseline, m_chance})
        series->clear();
    fitAxis(m_axisX, 0, true);
    fitAxis(m_axisY, 0, false);
}

void BacktestChartView::setResult(const BacktestResult &result)
{
    const auto &steps = result.steps;
    const size_t n = steps.size();
    const size_t every = std::max<size_t>(1, (n + kMostPoints - 1) / kMostPoints);
    QList<QPointF> search;
    QList<QPointF> baseline;
    int64_t trials = 0;
    int64_t hits = 0;
    int64_t baselineHits = 0;
    double highest = result.chanceRate * 100;
    // The first few draws swing between 0 and 100 %: they do not set the scale.
    const size_t settled = std::min<size_t>(n / 20, 50);
    for (size_t i = 0; i < n; ++i) {
        trials += steps[i].trials;
        hits += steps[i].hits;
        baselineHits += steps[i].baselineHits;
        if ((i + 1) % every != 0 && i + 1 != n)
            continue;
        const auto x = static_cast<qreal>(i + 1);
        const double rate = 100.0 * static_cast<double>(hits) / static_cast<double>(trials);
        const double baseRate =
            100.0 * static_cast<double>(baselineHits) / static_cast<double>(trials);
        search.append({x, rate});
        baseline.append({x, baseRate});
        if (i >= settled)
            highest = std::max({highest, rate, baseRate});
    }
    m_search->replace(search);
    m_baseline->replace(baseline);
    // Where the baseline predicts as the search does (often so in the combination search), its
    // line lies on the search's: drawn dashed over it, and the legend says why one line shows.
    const bool same = n > 0 && search == baseline;
    QPen pen = m_baseline->pen();
    pen.setStyle(same ? Qt::DashLine : Qt::SolidLine);
    pen.setWidthF(same ? 2.4 : 1.6);
    m_baseline->setPen(pen);
    m_baseline->setName(same ? QStringLiteral("朴素基准（与检索预测重合）")
                             : QStringLiteral("朴素基准"));
    const qreal right = std::max<qreal>(1, static_cast<qreal>(n));
    m_chance->replace(
        QList<QPointF>{{0, result.chanceRate * 100}, {right, result.chanceRate * 100}});
    // The draws scored, no further; the rates up to a little above the highest settled one.
    fitAxis(m_axisX, n > 0 ? right : 0, true);
    fitAxis(m_axisY, n > 0 ? std::min(100.0, std::ceil(highest * 1.25 + 1)) : 0, false);
}
