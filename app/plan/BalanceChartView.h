#pragma once

#include "SavableChartView.h"

class QLineSeries;
class QValueAxis;
namespace quorlent::plan {
class Ledger;
}

// The balance of a plan's ledger after each draw of its range, beside the line of the starting
// balance; the lowest point of the deepest drawdown is marked.
class BalanceChartView : public SavableChartView
{
    Q_OBJECT

  public:
    // At most about this many points: each stretch of draws keeps its highest and lowest balance,
    // so no drawdown is smoothed away.
    static constexpr int kMostPoints = 1200;

    explicit BalanceChartView(QWidget *parent = nullptr);

    void setLedger(const quorlent::plan::Ledger &ledger);
    void clear();
    const QLineSeries *balanceLine() const { return m_balance; }

  private:
    QLineSeries *m_balance = nullptr;
    QLineSeries *m_start = nullptr;
    QValueAxis *m_axisX = nullptr;
    QValueAxis *m_axisY = nullptr;
};
