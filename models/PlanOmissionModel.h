#pragma once

#include "OmissionTable.h"

#include <QAbstractTableModel>

namespace quorlent {

// 遗漏统计: one row per position and digit, then per position the codes 大 小 单 双, with 当前遗漏,
// 平均遗漏, 最大遗漏, 出现次数, 理论次数, 偏差 (出现次数 − 理论次数) and the chance of staying away
// at least as long as now. Sortable by any column; numbers sort by value.
class PlanOmissionModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    enum Column
    {
        Position,
        Value,
        Current,
        Average,
        Longest,
        Occurrences,
        Expected,
        Deviation,
        Chance,
        ColumnCount
    };

    explicit PlanOmissionModel(QObject *parent = nullptr);

    void setTable(std::vector<plan::OmissionRow> rows);
    const std::vector<plan::OmissionRow> &table() const { return m_rows; }
    QString text(int row, int column) const;
    // The value a column sorts by.
    double sortValue(int row, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  private:
    std::vector<plan::OmissionRow> m_rows;
    std::vector<int> m_order; // the rows in the order shown
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace quorlent
