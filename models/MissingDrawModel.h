#pragma once

#include "MissingDrawCheck.h"

#include <QAbstractTableModel>

// The list of the missing-draw check: one row per finding, 类别, 期号或日期, 说明.
class MissingDrawModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    enum Column
    {
        Category,
        Where,
        Detail,
        ColumnCount
    };

    // The findings of `report`, a check of a history of `game`.
    explicit MissingDrawModel(const quorlent::trend::MissingDrawReport &report,
                              const quorlent::Game &game = quorlent::Game::standard(),
                              QObject *parent = nullptr);

    // One line on what the check found.
    QString summary() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    QString sequenceRule() const;
    struct Entry
    {
        QString category;
        QString where;
        QString detail;
    };
    quorlent::trend::MissingDrawReport m_report;
    quorlent::Game m_game;
    std::vector<Entry> m_entries;
};
