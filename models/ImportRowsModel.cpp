#include "ImportRowsModel.h"

#include <QColor>

void ImportRowsModel::setRows(std::vector<quorlent::import::RawRow> rows, QStringList headers)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_headers = std::move(headers);
    m_fields = int(m_headers.size());
    for (const auto &row : m_rows)
        m_fields = std::max(m_fields, int(row.fields.size()));
    endResetModel();
}

int ImportRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ImportRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1 + m_fields;
}

QVariant ImportRowsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const auto &row = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == 0)
            return QString::number(row.line);
        return row.fields.value(index.column() - 1);
    case Qt::ToolTipRole:
        return row.refusal.isEmpty() ? QVariant()
                                     : QVariant(QStringLiteral("拒收：") + row.refusal);
    case Qt::BackgroundRole:
        return row.refusal.isEmpty() ? QVariant() : QVariant(QColor(0xf8, 0xd7, 0xd0));
    default:
        return {};
    }
}

QVariant ImportRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0)
        return QStringLiteral("行");
    return m_headers.value(section - 1);
}
