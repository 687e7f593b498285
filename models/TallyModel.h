#pragma once

#include "Tally.h"

#include <QAbstractTableModel>

namespace quorlent {

// The tally grid (MSFlexGrid3): the ranked outcomes of the last search with 序号, 结果, 出现次数
// and 百分比.
class TallyModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Rank = 0,
        Outcome,
        Count,
        Percent,
        ColumnCount
    };

    explicit TallyModel(QObject *parent = nullptr);

    void setTally(const Tally &tally);
    // No rows; the headers stay.
    void clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    Tally m_tally;
};

} // namespace quorlent
