#include "BalanceChartView.h"

#include "Ledger.h"

#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

using namespace quorlent::plan;

namespace {

// A round step for an axis of this span: 1, 2 or 5 times a power of ten, about five ticks.
double roundStep(double span)
{
    if (!(span > 0))
        return 1;
    const double raw = span / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (raw <= m * power)
            return m * power;
    }
    return 10 * power;
}

} // namespace

BalanceChartView::BalanceChartView(QWidget *parent) : SavableChartView(parent)
{
    auto *chart = new QChart;
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(0);
    chart->legend()->setAlignment(Qt::AlignTop);
    m_balance = new QLineSeries;
    m_balance->setName(QStringLiteral("余额（元）"));
    QPen pen(QColor(0x2b, 0x6c, 0xb0));
    pen.setWidthF(1.6);
    m_balance->setPen(pen);
    m_start = new QLineSeries;
    m_start->setName(QStringLiteral("起始资金"));
    QPen dashed(QColor(0xc0, 0x20, 0x20));
    dashed.setStyle(Qt::DashLine);
    m_start->setPen(dashed);
    m_axisX = new QValueAxis;
    m_axisX->setTitleText(QStringLiteral("范围内第几期"));
    m_axisX->setLabelFormat(QStringLiteral("%d"));
    m_axisY = new QValueAxis;
    m_axisY->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_axisX, Qt::AlignBottom);
    chart->addAxis(m_axisY, Qt::AlignLeft);
    for (QLineSeries *s : {m_balance, m_start}) {
        chart->addSeries(s);
        s->attachAxis(m_axisX);
        s->attachAxis(m_axisY);
    }
    setChart(chart);
    setMinimumHeight(160);
    clear();
}

void BalanceChartView::clear()
{
    m_balance->clear();
    m_start->clear();
    m_axisX->setRange(0, 1);
    m_axisY->setRange(0, 1);
}

void BalanceChartView::setLedger(const Ledger &ledger)
{
    const size_t n = ledger.rowCount();
    const double start = double(ledger.summary().startBalance) / kCentsPerYuan;
    QList<QPointF> points;
    points.reserve(kMostPoints + 4);
    points.append({0, start});
    double low = start;
    double high = start;
    const size_t every = std::max<size_t>(1, (n + kMostPoints / 2 - 1) / (kMostPoints / 2));
    for (size_t begin = 0; begin < n; begin += every) {
        const size_t end = std::min(n, begin + every);
        size_t lowRow = begin, highRow = begin;
        for (size_t r = begin; r < end; ++r) {
            if (ledger.balance(r) < ledger.balance(lowRow))
                lowRow = r;
            if (ledger.balance(r) > ledger.balance(highRow))
                highRow = r;
        }
        for (size_t r : {std::min(lowRow, highRow), std::max(lowRow, highRow)}) {
            const double y = double(ledger.balance(r)) / kCentsPerYuan;
            points.append({double(r + 1), y});
            low = std::min(low, y);
            high = std::max(high, y);
        }
    }
    m_balance->replace(points);
    m_start->replace({{0, start}, {double(std::max<size_t>(n, 1)), start}});
    m_axisX->setRange(0, double(std::max<size_t>(n, 1)));
    m_axisX->setTickCount(6);
    const double step = roundStep(high - low);
    const double bottom = std::floor(low / step) * step;
    const double top = std::max(std::ceil(high / step) * step, bottom + step);
    m_axisY->setRange(bottom, top);
    m_axisY->setTickCount(int(std::lround((top - bottom) / step)) + 1);
}
