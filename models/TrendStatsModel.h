#pragma once

#include "TrendChartModel.h"

// The statistics rows under the chart, in the chart's columns: the row's name in the first
// column, each presence column's figure below it.
class TrendStatsModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    enum Row
    {
        Occurrences,
        Expected,
        Current,
        MaxOmission,
        AverageOmission,
        MaxRun,
        RowCount
    };

    explicit TrendStatsModel(const TrendChartModel &chart, QObject *parent = nullptr);

    static QString rowName(int row);
    // What the row counts, for its tooltip.
    static QString definition(int row);
    // The figure as shown, and as a number (rounded as shown).
    QString text(int row, int column) const;
    double value(int row, int presence) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

  private:
    const TrendChartModel &m_chart;
};
