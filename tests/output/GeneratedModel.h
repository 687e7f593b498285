#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <utility>

namespace quorlent::test {

// A read-only grid whose cells are computed on demand, so that tests can export grids of
// hundreds of thousands of cells without building them first.
class GeneratedModel : public QAbstractTableModel
{
  public:
    using CellText = std::function<QString(int row, int column)>;

    GeneratedModel(QStringList header, int rows, CellText cell)
        : m_header(std::move(header)), m_rows(rows), m_cell(std::move(cell))
    {
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_rows;
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_header.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || role != Qt::DisplayRole)
            return {};
        return m_cell(index.row(), index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= m_header.size())
            return QAbstractTableModel::headerData(section, orientation, role);
        return m_header.at(section);
    }

  private:
    QStringList m_header;
    int m_rows;
    CellText m_cell;
};

} // namespace quorlent::test
