#pragma once

#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

namespace quorlent {

// The numbers the 缩水 filter leaves, in ascending order, each with all its digits ("00123"),
// laid out row by row in `columns` columns: the window shows them a few to a line, a spreadsheet
// gets one column headed 号码. Texts are made when shown, so a hundred thousand numbers cost
// nothing until they scroll into view.
class RemainingNumbersModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    explicit RemainingNumbersModel(int columns = 1, QObject *parent = nullptr);

    void setNumbers(std::vector<uint32_t> values, int digitCount);
    const std::vector<uint32_t> &values() const { return m_values; }
    int digitCount() const { return m_digits; }
    // The header of a single column: "号码", or "组选号码" for the groups of 组选.
    void setHeader(const QString &header);
    void setColumns(int columns);
    int columns() const { return m_columns; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    std::vector<uint32_t> m_values;
    int m_digits = 5;
    int m_columns = 1;
    QString m_header = QStringLiteral("号码");
};

} // namespace quorlent
