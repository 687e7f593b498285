#pragma once

#include "OutcomeStatistics.h"
#include "SavableChartView.h"

class QBarCategoryAxis;
class QBarSet;
class QLineSeries;
class QStackedBarSeries;
class QValueAxis;

// The outcome chart beside the tally grid: one bar per outcome of the result kind (in value
// order) with its count, the count expected by chance drawn across the bars, and the outcomes
// whose own binomial test stands out after the Bonferroni correction in a colour of their own.
class OutcomeChartView : public SavableChartView
{
    Q_OBJECT

public:
    explicit OutcomeChartView(QWidget *parent = nullptr);

    // Shows the tally of a search; the statistics are computed here and kept.
    void setTally(const quorlent::Tally &tally);
    void clear();
    const quorlent::OutcomeStatistics &statistics() const { return m_stats; }

    // The bar's tooltip: count, expectation, its test and, when it stands out, that it does.
    QString barToolTip(int index) const;
    // The line of the expected count (two points spanning the bars); for tests.
    const QLineSeries *expectedLine() const { return m_expected; }
    const QBarCategoryAxis *outcomeAxis() const { return m_axisX; }
    // Counts drawn in the plain and in the set-apart colour, one per outcome.
    const QBarSet *plainBars() const { return m_plain; }
    const QBarSet *standoutBars() const { return m_standout; }

private:
    quorlent::Tally m_tally;
    quorlent::OutcomeStatistics m_stats;
    QStackedBarSeries *m_bars = nullptr;
    QBarSet *m_plain = nullptr;
    QBarSet *m_standout = nullptr;
    QLineSeries *m_expected = nullptr;
    QBarCategoryAxis *m_axisX = nullptr;
    QValueAxis *m_axisY = nullptr;
};
