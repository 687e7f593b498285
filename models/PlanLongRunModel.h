#pragma once

#include "LongRuns.h"

#include <QAbstractTableModel>

namespace quorlent {

// The 长龙 list: one row per current run of at least the chosen length, longest first: 位置,
// 类型, 当前, 连续期数, 历史最长, and how likely chance makes a run at least this long in a history
// of this length. Sortable by any column.
class PlanLongRunModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    enum Column
    {
        Subject,
        Trait,
        Value,
        Length,
        Longest,
        Chance,
        ColumnCount
    };

    explicit PlanLongRunModel(QObject *parent = nullptr);

    void setRuns(std::vector<plan::LongRun> runs);
    const std::vector<plan::LongRun> &runs() const { return m_runs; }
    QString text(int row, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  private:
    std::vector<plan::LongRun> m_runs;
    int m_sortColumn = Length;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};

// A chance as the 长龙 and omission tables show it: "37.5%", "0.012%", "< 0.001%".
QString chanceText(double p);

} // namespace quorlent
