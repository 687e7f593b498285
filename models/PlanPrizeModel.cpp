#include "PlanPrizeModel.h"

#include <QBrush>
#include <QColor>

#include <cmath>

using namespace quorlent::plan;

namespace quorlent {

PlanPrizeModel::PlanPrizeModel(QObject *parent) : QAbstractTableModel(parent) {}

void PlanPrizeModel::setTable(const PrizeTable &table, const Game &game)
{
    beginResetModel();
    m_table = table;
    m_game = game;
    endResetModel();
}

void PlanPrizeModel::setPrice(Money price)
{
    m_table.price = price;
    emit dataChanged(index(0, HouseShare), index(rowCount() - 1, HouseShare));
}

int PlanPrizeModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kPrizeLines;
}

int PlanPrizeModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString PlanPrizeModel::text(int row, int column) const
{
    const auto line = PrizeLine(row);
    const PrizeLineInfo &info = prizeLineInfo(line);
    switch (column) {
    case Line:
        return QString::fromUtf8(info.name);
    case Prize:
        return moneyText(m_table.prize(line));
    case Chance: {
        // 3/1000 for 组三 rather than 1/333.
        const double perThousand = info.chance * 1000;
        if (perThousand >= 1 && perThousand < 10 &&
            std::abs(perThousand - std::round(perThousand)) < 1e-9)
            return QStringLiteral("%1/1000").arg(qRound(perThousand));
        return QStringLiteral("1/%1").arg(qRound(1 / info.chance));
    }
    case HouseShare:
        if (m_table.price <= 0)
            return {};
        return QStringLiteral("%1%").arg(m_table.houseShare(line) * 100, 0, 'f', 1);
    case Source:
        return PrizeTable::sourceOf(m_game, line).note;
    }
    return {};
}

QVariant PlanPrizeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const auto line = PrizeLine(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(index.row(), index.column());
    case Qt::ToolTipRole:
        if (index.column() == Source)
            return text(index.row(), Source);
        if (index.column() == Prize && m_table.prize(line) < 0)
            return QStringLiteral("奖金不能为负数");
        return {};
    case Qt::ForegroundRole:
        if (index.column() == Prize && m_table.prize(line) < 0)
            return QBrush(QColor(0xc0, 0x10, 0x10));
        if (index.column() == Source && !PrizeTable::sourceOf(m_game, line).published)
            return QBrush(QColor(0x80, 0x50, 0x00));
        return {};
    case Qt::TextAlignmentRole:
        return int(index.column() == Prize || index.column() == HouseShare
                       ? Qt::AlignRight | Qt::AlignVCenter
                       : Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool PlanPrizeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != Prize || role != Qt::EditRole)
        return false;
    const std::optional<Money> money = parseMoney(value.toString());
    const QString name = text(index.row(), Line);
    if (!money) {
        emit inputRefused(QStringLiteral("奖金（%1）：“%2”不是金额（元，最多两位小数）")
                              .arg(name, value.toString()));
        return false;
    }
    m_table.prizes[size_t(index.row())] = *money;
    emit dataChanged(this->index(index.row(), Prize), this->index(index.row(), HouseShare));
    emit tableEdited();
    return true;
}

Qt::ItemFlags PlanPrizeModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == Prize)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant PlanPrizeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char16_t *const names[ColumnCount] = {u"奖级", u"单注奖金（元）", u"单注中奖概率",
                                                       u"庄家抽成", u"默认奖金的来源"};
    return QString::fromUtf16(names[section]);
}

} // namespace quorlent
