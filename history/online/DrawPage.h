#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

namespace quorlent {

// The results table of one day's page: the rows of the table with id "draw_list" and the text of
// each of their cells, read the way a browser's DOM gives them (table.rows, row.cells,
// cell.innerText).
//
// What is read:
// - The element is the first one in document order whose id is exactly "draw_list" (as
//   getElementById finds it). When that element is not a table the page has no table for us.
// - The table's rows are its own tr elements: those directly inside it and those inside its own
//   thead, tbody and tfoot, in the order the DOM's rows collection lists them (thead rows first,
//   then body rows, then tfoot rows). Rows of tables nested in a cell are not rows of this table.
//   Rows that stray markup wraps inside the table (a form around them, say) still count, as a
//   browser moves such markup out of the table and keeps the rows.
// - A row's cells are its td and th children.
// - A cell's text is its rendered text with every run of white space (including no-break spaces
//   and other Unicode blanks) collapsed to one blank and the ends trimmed. Line breaks and block
//   elements separate words as a browser shows them; script, style and template contents are not
//   text. Only the trimmed text of a cell and its non-blank characters are ever used, so nothing
//   is lost by collapsing.
//
// Parsing never fails: malformed, truncated or hostile input gives whatever the recovering HTML
// parser makes of it. Only the first kMaxParsedBytes of a page are parsed; a real day's page is a
// few tens of kilobytes.
struct DrawPage
{
    enum class Status {
        NoTable, // no element "draw_list", or it is not a table: the page contributes nothing
        NoRows,  // the table has no rows at all, not even a header: the update restarts its days
        Rows,    // the table has rows (the first is the header)
    };

    static constexpr qsizetype kMaxParsedBytes = 4 * 1024 * 1024;

    Status status = Status::NoTable;
    std::vector<QStringList> rows;

    static DrawPage parse(QByteArrayView html);
};

} // namespace quorlent
