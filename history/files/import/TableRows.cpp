#include "TableRows.h"

#include "FieldValues.h"

namespace quorlent::import {

bool TableRows::next()
{
    while (++m_index < m_source.lineCount()) {
        const qsizetype line = m_index + 1;
        const QStringView text = m_source.line(m_index);
        if (line < m_layout.firstRowLine || line == m_layout.headerLine || !hasAsciiDigit(text)) {
            ++m_skipped;
            continue;
        }
        splitFields(text, m_layout.separator, m_fields);
        return true;
    }
    m_index = m_source.lineCount();
    m_fields.clear();
    return false;
}

} // namespace quorlent::import
