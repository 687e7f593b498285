#pragma once

#include <QHash>
#include <QString>

#include <cstdint>
#include <vector>

class QIODevice;

namespace quorlent {

// An Excel 97-2003 workbook (.xls: BIFF8 records in the "Workbook" stream of a compound file),
// built up in memory cell by cell and written out in one go. Texts are kept once in the shared
// string table, so a column that repeats a handful of values costs little. Numbers that Excel
// can hold as 30-bit "RK" values are stored that way, runs of them as one record per row.
//
// Rows and columns count from 0; row 0, column 0 is the cell Excel calls A1.
class XlsWriter
{
  public:
    static constexpr int kMaxRows = 65536;
    static constexpr int kMaxColumns = 256;
    // Excel's limit for the text of one cell, in UTF-16 units; longer texts are cut there.
    static constexpr int kMaxTextLength = 32767;
    static constexpr int kMaxSheetNameLength = 31;
    static constexpr int kMaxSheets = 4096;

    XlsWriter() = default;

    // Appends a worksheet and returns its index, or -1 when Excel would refuse the name: empty,
    // longer than 31 characters, holding one of []:*?/\, starting or ending with an apostrophe,
    // or equal (ignoring case) to the name of another sheet.
    int addSheet(const QString &name);
    int sheetCount() const { return int(m_sheets.size()); }
    QString sheetName(int sheet) const;

    // Setting a cell again replaces its value; an empty text clears the cell. Both return false
    // when the sheet does not exist or the cell lies beyond 65,536 rows or 256 columns, and
    // setNumber also for infinities and NaN, which a cell cannot hold.
    bool setText(int sheet, int row, int column, const QString &text);
    bool setNumber(int sheet, int row, int column, double value);

    // Writes the workbook to `device`, which must be open for writing. A workbook without any
    // sheet gets an empty "Sheet1", since Excel refuses a workbook without sheets. Returns false
    // when the device fails; errorString() then says why.
    bool write(QIODevice *device);
    // Writes the file through QSaveFile: an existing file is replaced only by a complete one.
    bool write(const QString &fileName);
    QString errorString() const { return m_error; }

  private:
    enum class Kind : uint8_t
    {
        Blank,
        Number,
        Text
    };
    struct Cell
    {
        uint32_t row;
        uint16_t column;
        Kind kind;
        union {
            double number;
            uint32_t text; // index into m_strings
        };
    };
    struct Sheet
    {
        QString name;
        std::vector<Cell> cells; // in the order they were set
    };

    // The shared strings the cells use, and where each of m_strings went in that table.
    struct SharedStrings
    {
        std::vector<uint32_t> index; // by m_strings
        std::vector<const QString *> used;
        uint32_t references = 0; // text cells
    };

    bool addCell(int sheet, int row, int column, const Cell &cell);
    uint32_t internText(const QString &text);
    SharedStrings sharedStrings() const;

    std::vector<Sheet> m_sheets;
    std::vector<QString> m_strings;
    QHash<QString, uint32_t> m_stringIndex;
    QString m_error;
};

} // namespace quorlent
