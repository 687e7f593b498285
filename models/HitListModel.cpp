#include "HitListModel.h"

#include "SearchResult.h"

namespace quorlent {

HitListModel::HitListModel(QObject *parent) : QAbstractTableModel(parent) {}

void HitListModel::setResult(const std::vector<HistoryRow> &rows, const SearchResult &result)
{
    setHits(rows, result.hits, result.hitList);
}

void HitListModel::setHits(const std::vector<HistoryRow> &rows, std::vector<uint32_t> hits,
                           const HitListLayout &layout)
{
    beginResetModel();
    m_rows = &rows;
    m_hits = std::move(hits);
    m_layout = layout;
    endResetModel();
}

void HitListModel::clear()
{
    beginResetModel();
    m_rows = nullptr;
    m_hits = {};
    endResetModel();
}

int HitListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_hits.size());
}

int HitListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : HitListLayout::ColumnCount;
}

bool HitListModel::isCodeColumn(int column) const
{
    return column >= HitListLayout::FirstPosition && column < HitListLayout::ComparedDraw &&
           !m_layout.codeKey().isEmpty();
}

QVariant HitListModel::data(const QModelIndex &index, int role) const
{
    if (!m_rows || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::ToolTipRole && isCodeColumn(index.column()))
        return m_layout.codeKey();
    if (role != Qt::DisplayRole)
        return {};
    return m_layout.cell(*m_rows, m_hits[static_cast<size_t>(index.row())], index.column());
}

QVariant HitListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::ToolTipRole && orientation == Qt::Horizontal && isCodeColumn(section))
        return m_layout.codeKey();
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= HitListLayout::ColumnCount)
            return {};
        return m_layout.header(section);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace quorlent
