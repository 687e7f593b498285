#include "PlanLedgerModel.h"

#include <QBrush>
#include <QColor>

using namespace quorlent::plan;

namespace quorlent {

PlanLedgerModel::PlanLedgerModel(QObject *parent) : QAbstractTableModel(parent) {}

void PlanLedgerModel::setLedger(const Ledger *ledger, const Game &game)
{
    beginResetModel();
    m_ledger = ledger;
    m_game = game;
    endResetModel();
}

void PlanLedgerModel::ledgerChanged()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, Numbers), index(rowCount() - 1, ColumnCount - 1));
}

int PlanLedgerModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_ledger ? 0 : int(m_ledger->rowCount());
}

int PlanLedgerModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString PlanLedgerModel::text(int row, int column) const
{
    const Ledger &l = *m_ledger;
    const auto r = size_t(row);
    const Ledger::Status status = l.status(r);
    const bool played = status == Ledger::Status::Win || status == Ledger::Status::Miss;
    switch (column) {
    case Issue:
        return m_game.displayForm(l.draw(r).sqqh);
    case Numbers: {
        const BetSet *bets = l.bets(r);
        if (!bets)
            return QStringLiteral("—");
        if (bets->count() <= kShownNumbers)
            return bets->text();
        return QStringLiteral("%1 个号码").arg(bets->count());
    }
    case Bets:
        return played || status == Ledger::Status::NoBet ? QString::number(l.betCount(r))
                                                         : QString();
    case Multiplier:
        return played ? QString::number(l.multiplier(r)) : QString();
    case Cost:
        return played ? moneyText(l.cost(r)) : QString();
    case Draw: {
        QString digits;
        for (uint8_t d : l.draw(r).digits())
            digits += QChar(u'0' + d);
        return digits;
    }
    case Result:
        switch (status) {
        case Ledger::Status::Win:
            return l.wins(r) > 1 ? QStringLiteral("中 ×%1").arg(l.wins(r)) : QStringLiteral("中");
        case Ledger::Status::Miss:
            return QStringLiteral("挂");
        case Ledger::Status::NoBet:
            return QStringLiteral("不投注");
        case Ledger::Status::NoProposal:
            return QStringLiteral("无号码");
        }
        return {};
    case Prize:
        return played ? moneyText(l.prize(r)) : QString();
    case Balance:
        return moneyText(l.balance(r));
    }
    return {};
}

QString PlanLedgerModel::toolTip(int row, int column) const
{
    const Ledger &l = *m_ledger;
    const auto r = size_t(row);
    switch (column) {
    case Numbers:
        if (const BetSet *bets = l.bets(r); bets && bets->count() > 0)
            return QStringLiteral("%1 注：\n%2").arg(bets->count()).arg(bets->text(false, kListed));
        return {};
    case Result:
        switch (l.status(r)) {
        case Ledger::Status::NoProposal:
            return QStringLiteral("此前的开奖太少，计划没有给出号码；不计入中挂");
        case Ledger::Status::NoBet:
            return QStringLiteral("计划的号码在此玩法下没有可投的注；不计入中挂");
        default:
            return {};
        }
    case Balance:
        if (l.summary().firstShort == int64_t(row))
            return QStringLiteral("从这一期起余额不够投注（之后的余额按借款继续计算）");
        return {};
    default:
        return {};
    }
}

QVariant PlanLedgerModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_ledger || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return text(row, column);
    case Qt::ToolTipRole: {
        const QString tip = toolTip(row, column);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    case Qt::TextAlignmentRole:
        return column == Numbers || column == Result
                   ? QVariant(int(Qt::AlignLeft | Qt::AlignVCenter))
                   : QVariant(int(Qt::AlignRight | Qt::AlignVCenter));
    case Qt::ForegroundRole: {
        const Ledger::Status s = m_ledger->status(size_t(row));
        if (column == Result && s == Ledger::Status::Win)
            return QBrush(QColor(0xc0, 0x10, 0x10));
        if (s == Ledger::Status::NoProposal || s == Ledger::Status::NoBet)
            return QBrush(QColor(0x80, 0x80, 0x80));
        if (column == Balance && m_ledger->balance(size_t(row)) < 0)
            return QBrush(QColor(0xc0, 0x10, 0x10));
        return {};
    }
    default:
        return {};
    }
}

QVariant PlanLedgerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char16_t *const names[ColumnCount] = {
        u"期号", u"计划号码", u"注数", u"倍数", u"投入", u"开奖号码", u"中/挂", u"奖金", u"余额"};
    return QString::fromUtf16(names[section]);
}

} // namespace quorlent
