#include "HistoryGridModel.h"

#include <QColor>
#include <QStringList>

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
    connect(&store, &HistoryStore::rowsCorrected, this, [this](int first, int last) {
        emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
    });
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
    const HistoryRow &row = m_store.rows()[static_cast<size_t>(index.row())];
    if (role == Qt::BackgroundRole || role == Qt::ToolTipRole) {
        const HistoryDb::Correction *mark = m_store.correctionOf(row.sqqh);
        if (!mark)
            return {};
        if (role == Qt::BackgroundRole)
            return QColor(0xff, 0xe6, 0xb3); // a corrected draw stands out in the grid
        auto spaced = [](const Digits &digits) {
            QStringList shown;
            for (uint8_t d : digits)
                shown << QString::number(d);
            return shown.join(u' ');
        };
        return QStringLiteral("已修改：原为 %1，现为 %2")
            .arg(spaced(mark->original), spaced(mark->corrected));
    }
    if (role != Qt::DisplayRole)
        return {};
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
