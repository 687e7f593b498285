#pragma once

#include <QString>
#include <QStringView>

class QAbstractItemModel;
class QIODevice;

namespace quorlent {

class XlsWriter;

// Copies a grid into an Excel 97-2003 workbook as the user sees it: the horizontal header
// texts are row 1 and the display text of every cell follows below, in the same place, so the
// sheet is an exact image of the grid. A grid too long for one sheet goes on in "Sheet2",
// "Sheet3", ..., each again headed by the header row, so that no row is lost.
class GridExport
{
  public:
    // Grid rows per sheet: a sheet's 65,536 rows less the header row.
    static constexpr int kDataRowsPerSheet = 65535;

    // Whether a cell text goes into the sheet as a number: a decimal integer written the way
    // Excel would show it back (ASCII digits only, no sign, no leading zero unless it is "0")
    // with at most 15 digits, which a double holds exactly. Everything else stays text, so a
    // draw "03133" keeps its zero and "50.000%" its form. On true, `value` (when given) holds
    // the number.
    static bool isNumberText(QStringView text, double *value = nullptr);

    // Puts the grid into `writer`, adding its sheets. Returns an error text, empty on success;
    // a grid wider than a sheet's 256 columns is refused rather than cut.
    static QString fill(const QAbstractItemModel &model, XlsWriter &writer);

    // Writes the workbook of the grid to `device` (open for writing). Returns an error text,
    // empty on success.
    static QString write(const QAbstractItemModel &model, QIODevice *device);
    // Writes the workbook file, replacing any file of that name without asking. The file is
    // written under a temporary name and takes the place of the old one only when complete:
    // on any failure the old file is left as it was and the error text says why.
    static QString write(const QAbstractItemModel &model, const QString &fileName);
};

} // namespace quorlent
