#pragma once

#include "ReadResult.h"

#include <QAbstractTableModel>

// The import preview's first rows of a file as read: the line number, then the file's fields; a
// refused row in a colour of its own with its reason as tooltip. Column headers name the roles
// the preview reads them as.
class ImportRowsModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<quorlent::import::RawRow> rows, QStringList headers);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    std::vector<quorlent::import::RawRow> m_rows;
    QStringList m_headers; // one a field column
    int m_fields = 0;
};
