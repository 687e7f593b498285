#pragma once

#include "Game.h"
#include "MergePlan.h"

#include <QAbstractTableModel>
#include <set>

// The stored draws a file lists with other digits, when the file is added to the history: issue,
// stored digits, the file's digits and its line. A ticked row takes the file's digits.
class ConflictModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    enum Column
    {
        Issue,
        Stored,
        File,
        Line,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    // Keeps the ticks of issues that are still in conflict.
    void setConflicts(std::vector<quorlent::import::MergeConflict> conflicts,
                      const quorlent::Game &game);
    // The ticked conflicts: the issue and the file's digits.
    std::vector<std::pair<int32_t, quorlent::Digits>> ticked() const;
    void setTicked(int row, bool on);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    std::vector<quorlent::import::MergeConflict> m_conflicts;
    std::set<int32_t> m_ticked;
    quorlent::Game m_game = quorlent::Game::standard();
};
