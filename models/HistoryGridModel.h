#pragma once

#include "HistoryStore.h"

#include <QAbstractTableModel>

// The history grid: one row per stored draw, oldest first; the issue in display form and the five
// digits. Reads the rows the store keeps in memory and follows its changes row by row.
class HistoryGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Issue, Position1, Position2, Position3, Position4, Position5, ColumnCount };

    explicit HistoryGridModel(const quorlent::HistoryStore &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const quorlent::HistoryStore &m_store;
};
