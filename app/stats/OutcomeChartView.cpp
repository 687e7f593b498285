#include "OutcomeChartView.h"

#include "AxisFit.h"
#include "OutcomeSummary.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCursor>
#include <QGraphicsLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

using namespace quorlent;

OutcomeChartView::OutcomeChartView(QWidget *parent) : SavableChartView(parent)
{
    auto *chart = new QChart;
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    chart->legend()->setAlignment(Qt::AlignTop);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    chart->legend()->setFont(small);

    m_plain = new QBarSet(QStringLiteral("出现次数"));
    m_plain->setColor(QColor(0x4a, 0x7e, 0xbb));
    m_standout = new QBarSet(QStringLiteral("显著偏离"));
    m_standout->setColor(QColor(0xe0, 0x7b, 0x24));
    m_bars = new QStackedBarSeries;
    m_bars->append(m_plain);
    m_bars->append(m_standout);
    m_bars->setBarWidth(0.7);
    chart->addSeries(m_bars);

    m_expected = new QLineSeries;
    m_expected->setName(QStringLiteral("随机期望"));
    QPen pen(QColor(0xc0, 0x20, 0x20));
    pen.setWidthF(1.6);
    pen.setStyle(Qt::DashLine);
    m_expected->setPen(pen);
    chart->addSeries(m_expected);

    m_axisX = new QBarCategoryAxis;
    m_axisX->setLabelsFont(small);
    m_axisY = new QValueAxis;
    m_axisY->setLabelFormat(QStringLiteral("%d"));
    m_axisY->setLabelsFont(small);
    chart->addAxis(m_axisX, Qt::AlignBottom);
    chart->addAxis(m_axisY, Qt::AlignLeft);
    for (QAbstractSeries *series :
         {static_cast<QAbstractSeries *>(m_bars), static_cast<QAbstractSeries *>(m_expected)}) {
        series->attachAxis(m_axisX);
        series->attachAxis(m_axisY);
    }
    setChart(chart);
    setMinimumSize(180, 160);

    connect(m_bars, &QStackedBarSeries::hovered, this, [this](bool on, int index, QBarSet *) {
        if (on)
            QToolTip::showText(QCursor::pos(), barToolTip(index), this);
        else
            QToolTip::hideText();
    });
    clear();
}

void OutcomeChartView::clear()
{
    setTally(Tally::count({}, {}, TallyOptions{}));
}

void OutcomeChartView::setTally(const Tally &tally)
{
    m_tally = tally;
    m_stats = OutcomeStatistics::of(tally);
    const auto &outcomes = m_stats.outcomes;

    QStringList labels;
    QList<qreal> plain;
    QList<qreal> standout;
    int64_t largest = 0;
    for (const OutcomeStatistics::Outcome &o : outcomes) {
        labels << tally.label(o.value);
        plain << (o.significant() ? 0 : static_cast<qreal>(o.count));
        standout << (o.significant() ? static_cast<qreal>(o.count) : 0);
        largest = std::max(largest, o.count);
    }
    // The same outcomes as before take their new counts in place: rebuilding the bars and the
    // axis costs a whole layout of the chart.
    if (m_axisX->categories() == labels && m_plain->count() == plain.size()) {
        for (qsizetype i = 0; i < plain.size(); ++i) {
            if (m_plain->at(i) != plain[i])
                m_plain->replace(i, plain[i]);
            if (m_standout->at(i) != standout[i])
                m_standout->replace(i, standout[i]);
        }
    } else {
        m_plain->remove(0, m_plain->count());
        m_plain->append(plain);
        m_standout->remove(0, m_standout->count());
        m_standout->append(standout);
        m_axisX->clear();
        m_axisX->append(labels);
    }

    // Across every bar: the category axis puts bar i at i.
    const qreal edge = static_cast<qreal>(outcomes.size()) - 0.5;
    m_expected->replace(QList<QPointF>{{-0.5, m_stats.expected}, {edge, m_stats.expected}});
    // The legend names the set-apart colour only when some bar wears it.
    const bool anyStandout = std::any_of(outcomes.begin(), outcomes.end(),
                                         [](const auto &o) { return o.significant(); });
    for (QLegendMarker *marker : chart()->legend()->markers(m_bars)) {
        if (marker->label() == m_standout->label())
            marker->setVisible(anyStandout);
    }

    // Room above the tallest bar; nothing counted, no numbers at all.
    if (m_axisX->labelsVisible() != (m_stats.counted > 0))
        m_axisX->setLabelsVisible(m_stats.counted > 0);
    const double top = std::max(static_cast<double>(largest), m_stats.expected) * 1.12;
    fitAxis(m_axisY, m_stats.counted > 0 ? std::ceil(std::max(top, 1.0)) : 0, true);
}

QString OutcomeChartView::barToolTip(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_stats.outcomes.size()))
        return {};
    const OutcomeStatistics::Outcome &o = m_stats.outcomes[static_cast<size_t>(index)];
    QString text = QStringLiteral("%1：出现 %2 次，随机期望 %3 次")
                       .arg(m_tally.label(o.value))
                       .arg(o.count)
                       .arg(formatCount(m_stats.expected));
    if (m_stats.counted == 0)
        return text;
    text += QStringLiteral("\n二项检验 %1，乘以 %2 个结果后 %3")
                .arg(formatP(o.pValue))
                .arg(m_stats.outcomes.size())
                .arg(formatP(o.corrected));
    if (o.significant())
        text += QStringLiteral("\n显著偏离随机：校正后 p < 0.05");
    return text;
}
