#include "TallyModel.h"

namespace quorlent {

TallyModel::TallyModel(QObject *parent) : QAbstractTableModel(parent) {}

void TallyModel::setTally(const Tally &tally)
{
    beginResetModel();
    m_tally = tally;
    endResetModel();
}

void TallyModel::clear()
{
    beginResetModel();
    m_tally = Tally();
    endResetModel();
}

int TallyModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_tally.ranked().size());
}

int TallyModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TallyModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const TallyEntry &entry = m_tally.ranked()[static_cast<size_t>(index.row())];
    switch (index.column()) {
    case Rank:
        return QString::number(index.row() + 1);
    case Outcome:
        return m_tally.label(entry.value);
    case Count:
        return QString::number(entry.count);
    case Percent:
        return m_tally.percentText(entry.count);
    }
    return {};
}

QVariant TallyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        switch (section) {
        case Rank:
            return QStringLiteral("序号");
        case Outcome:
            return QStringLiteral("结果");
        case Count:
            return QStringLiteral("出现次数");
        case Percent:
            return QStringLiteral("百分比");
        }
        return {};
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace quorlent
