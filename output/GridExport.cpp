#include "GridExport.h"

#include "XlsWriter.h"

#include <QAbstractItemModel>
#include <QObject>

namespace quorlent {

namespace {

constexpr int kMaxNumberDigits = 15;

QString sheetNameFor(int index)
{
    return QStringLiteral("Sheet%1").arg(index + 1);
}

} // namespace

bool GridExport::isNumberText(QStringView text, double *value)
{
    if (text.isEmpty() || text.size() > kMaxNumberDigits)
        return false;
    if (text.size() > 1 && text.front() == u'0')
        return false;
    int64_t n = 0;
    for (QChar c : text) {
        // Not QChar::isDigit(): full-width and other scripts' digits are text to Excel.
        if (c < u'0' || c > u'9')
            return false;
        n = n * 10 + (c.unicode() - u'0');
    }
    if (value)
        *value = double(n);
    return true;
}

QString GridExport::fill(const QAbstractItemModel &model, XlsWriter &writer)
{
    const int columns = model.columnCount();
    const int rows = model.rowCount();
    if (columns > XlsWriter::kMaxColumns) {
        return QObject::tr("表格有 %1 列，超过电子表格每页 %2 列的上限，未导出。")
            .arg(columns)
            .arg(XlsWriter::kMaxColumns);
    }

    std::vector<QString> header;
    header.reserve(size_t(columns));
    for (int c = 0; c < columns; ++c)
        header.push_back(model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    // The header row is copied like any other row of the grid, typing included.
    const auto put = [&writer](int sheet, int row, int column, const QString &text) {
        double number = 0;
        if (isNumberText(text, &number))
            writer.setNumber(sheet, row, column, number);
        else
            writer.setText(sheet, row, column, text);
    };

    const int sheets = rows == 0 ? 1 : (rows + kDataRowsPerSheet - 1) / kDataRowsPerSheet;
    const int firstSheet = writer.sheetCount();
    for (int s = 0; s < sheets; ++s) {
        const int sheet = writer.addSheet(sheetNameFor(firstSheet + s));
        if (sheet < 0)
            return QObject::tr("无法添加工作表 %1。").arg(sheetNameFor(firstSheet + s));
        for (int c = 0; c < columns; ++c)
            put(sheet, 0, c, header[size_t(c)]);
        const int firstRow = s * kDataRowsPerSheet;
        const int lastRow = std::min(rows, firstRow + kDataRowsPerSheet);
        for (int r = firstRow; r < lastRow; ++r) {
            const int sheetRow = r - firstRow + 1;
            for (int c = 0; c < columns; ++c)
                put(sheet, sheetRow, c, model.data(model.index(r, c), Qt::DisplayRole).toString());
        }
    }
    return {};
}

QString GridExport::write(const QAbstractItemModel &model, QIODevice *device)
{
    XlsWriter writer;
    QString error = fill(model, writer);
    if (error.isEmpty() && !writer.write(device))
        error = writer.errorString();
    return error;
}

QString GridExport::write(const QAbstractItemModel &model, const QString &fileName)
{
    // Read the whole grid before the file is touched, so that a refused grid leaves it alone.
    XlsWriter writer;
    QString error = fill(model, writer);
    if (error.isEmpty() && !writer.write(fileName))
        error = writer.errorString();
    return error;
}

} // namespace quorlent
