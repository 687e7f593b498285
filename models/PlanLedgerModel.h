#pragma once

#include "Game.h"
#include "Ledger.h"

#include <QAbstractTableModel>

namespace quorlent {

// The ledger of a plan, one row per draw of its range in issue order: 期号, the plan's numbers
// (themselves when few, else their count with the numbers on hover), 注数, 倍数, 投入, 开奖号码,
// 中/挂 (or why nothing was played), 奖金 and 余额.
//
// The model reads the ledger where it lies. A change of play or progression on the same ledger
// (Ledger::setPlay, setStaking) keeps its rows: ledgerChanged() then tells the views that every
// figure may differ, which costs them only a repaint of what they show.
class PlanLedgerModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    enum Column
    {
        Issue,
        Numbers,
        Bets,
        Multiplier,
        Cost,
        Draw,
        Result,
        Prize,
        Balance,
        ColumnCount
    };
    // Numbers of a row shown in its cell; more are counted and listed on hover, up to kListed.
    static constexpr uint64_t kShownNumbers = 5;
    static constexpr size_t kListed = 300;

    explicit PlanLedgerModel(QObject *parent = nullptr);

    // Shows another ledger (null: none); `game` writes its issues. The ledger must outlive its
    // time in the model.
    void setLedger(const plan::Ledger *ledger, const Game &game);
    const plan::Ledger *ledger() const { return m_ledger; }
    // The ledger's play or staking changed; its rows are the same.
    void ledgerChanged();

    QString text(int row, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    QString toolTip(int row, int column) const;

    const plan::Ledger *m_ledger = nullptr;
    Game m_game = Game::standard();
};

} // namespace quorlent
