#pragma once

#include "Backtest.h"
#include "SavableChartView.h"

class QLineSeries;
class QValueAxis;

// The cumulative hit rate of a backtest after each scored draw, for the search's predictions and
// for the baseline, against the rate of a guess under chance.
class BacktestChartView : public SavableChartView
{
    Q_OBJECT

public:
    // At most this many points per line: enough for the eye at any length of history.
    static constexpr int kMostPoints = 1200;

    explicit BacktestChartView(QWidget *parent = nullptr);

    void setResult(const quorlent::BacktestResult &result);
    void clear();

    const QLineSeries *searchLine() const { return m_search; }
    const QLineSeries *baselineLine() const { return m_baseline; }
    const QLineSeries *chanceLine() const { return m_chance; }

private:
    QLineSeries *m_search = nullptr;
    QLineSeries *m_baseline = nullptr;
    QLineSeries *m_chance = nullptr;
    QValueAxis *m_axisX = nullptr;
    QValueAxis *m_axisY = nullptr;
};
