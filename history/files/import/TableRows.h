#pragma once

#include "SourceText.h"
#include "TableLayout.h"

#include <QStringView>
#include <vector>

namespace quorlent::import {

// Walks the rows of a file's table: every line from the table's first row on that has a digit in
// it, split into its fields. The others (title and header lines, blank lines, a header repeated
// further down) are no rows and are counted as skipped.
class TableRows
{
  public:
    TableRows(const SourceText &source, const TableLayout &layout)
        : m_source(source), m_layout(layout)
    {
    }

    // Moves to the next row; false when there is none left.
    bool next();

    qsizetype line() const { return m_index + 1; } // 1-based
    const std::vector<QStringView> &fields() const { return m_fields; }
    // The field of a column, empty when the row has no such column.
    QStringView field(int column) const
    {
        return column >= 0 && column < static_cast<int>(m_fields.size())
                   ? m_fields[static_cast<size_t>(column)]
                   : QStringView();
    }
    qsizetype skipped() const { return m_skipped; }

  private:
    const SourceText &m_source;
    const TableLayout &m_layout;
    qsizetype m_index = -1;
    qsizetype m_skipped = 0;
    std::vector<QStringView> m_fields;
};

} // namespace quorlent::import
