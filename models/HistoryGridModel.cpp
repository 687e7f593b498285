#include "HistoryGridModel.h"

using namespace quorlent;

HistoryGridModel::HistoryGridModel(const HistoryStore &store, QObject *parent)
    : QAbstractTableModel(parent), m_store(store)
{
    connect(&store, &HistoryStore::aboutToAppend, this,
            [this](int first, int last) { beginInsertRows({}, first, last); });
    connect(&store, &HistoryStore::appended, this, [this] { endInsertRows(); });
    connect(&store, &HistoryStore::aboutToRemove, this,
            [this](int first, int last) { beginRemoveRows({}, first, last); });
    connect(&store, &HistoryStore::removed, this, [this] { endRemoveRows(); });
    connect(&store, &HistoryStore::aboutToReset, this, [this] { beginResetModel(); });
    connect(&store, &HistoryStore::resetDone, this, [this] { endResetModel(); });
    // Another game writes the same issues otherwise.
    connect(&store, &HistoryStore::gameChanged, this, [this] {
        if (rowCount() > 0)
            emit dataChanged(index(0, Issue), index(rowCount() - 1, Issue));
    });
}

int HistoryGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_store.size());
}

int HistoryGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    const HistoryRow &row = m_store.rows()[static_cast<size_t>(index.row())];
    if (index.column() == Issue)
        return m_store.game().displayForm(row.sqqh);
    return QString::number(row.digits()[static_cast<size_t>(index.column() - Position1)]);
}

QVariant HistoryGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == Issue)
        return QStringLiteral("期号");
    return QStringLiteral("第%1位").arg(section);
}
