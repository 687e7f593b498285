#include "RemainingNumbersModel.h"

#include <algorithm>

namespace quorlent {

RemainingNumbersModel::RemainingNumbersModel(int columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(std::max(1, columns))
{
}

void RemainingNumbersModel::setNumbers(std::vector<uint32_t> values, int digitCount)
{
    beginResetModel();
    m_values = std::move(values);
    m_digits = digitCount;
    endResetModel();
}

void RemainingNumbersModel::setHeader(const QString &header)
{
    m_header = header;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void RemainingNumbersModel::setColumns(int columns)
{
    columns = std::max(1, columns);
    if (columns == m_columns)
        return;
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

int RemainingNumbersModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return int((m_values.size() + size_t(m_columns) - 1) / size_t(m_columns));
}

int RemainingNumbersModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant RemainingNumbersModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const size_t at = size_t(index.row()) * size_t(m_columns) + size_t(index.column());
    if (at >= m_values.size())
        return {}; // the last row's empty cells
    return QString::number(m_values[at]).rightJustified(m_digits, QLatin1Char('0'));
}

QVariant RemainingNumbersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_columns == 1 ? m_header : QString::number(section + 1);
}

} // namespace quorlent
