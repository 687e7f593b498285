#pragma once

#include "Game.h"
#include "PrizeTable.h"

#include <QAbstractTableModel>

namespace quorlent {

// The prize table of the 计划 window, one row per prize line: 奖级, 奖金 (editable, in 元), the
// chance one bet wins, the house's share (1 − expected prize ÷ price) and where the default
// comes from. A prize typed that is not an amount is refused; a negative one is kept and shown in
// red, for the plan to refuse with its message.
class PlanPrizeModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    enum Column
    {
        Line,
        Prize,
        Chance,
        HouseShare,
        Source,
        ColumnCount
    };

    explicit PlanPrizeModel(QObject *parent = nullptr);

    void setTable(const plan::PrizeTable &table, const Game &game);
    const plan::PrizeTable &table() const { return m_table; }
    // The price changes every house share.
    void setPrice(plan::Money price);
    QString text(int row, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  signals:
    // The user changed a prize.
    void tableEdited();
    // A prize typed that is not an amount: why, for the window to say.
    void inputRefused(const QString &message);

  private:
    plan::PrizeTable m_table;
    Game m_game = Game::standard();
};

} // namespace quorlent
