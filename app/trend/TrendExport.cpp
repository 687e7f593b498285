#include "TrendExport.h"

#include "TrendChartModel.h"
#include "TrendStatsModel.h"
#include "XlsWriter.h"

using namespace quorlent;
using namespace quorlent::trend;

namespace {

int addSheet(XlsWriter &writer, const TrendChartModel &chart)
{
    const int number = writer.sheetCount() + 1;
    const int sheet = writer.addSheet(number == 1 ? QStringLiteral("走势图")
                                                  : QStringLiteral("走势图%1").arg(number));
    for (const TrendChartModel::Group &g : TrendChartModel::groups())
        writer.setText(sheet, 0, g.first, g.caption);
    for (int c = 0; c < TrendChartModel::ColumnCount; ++c)
        writer.setText(sheet, 1, c, chart.headerData(c, Qt::Horizontal).toString());
    return sheet;
}

void writeLine(XlsWriter &writer, int sheet, int at, const TrendChartModel &chart, int row)
{
    const TrendRow &line = chart.line(row);
    for (int c = 0; c < TrendChartModel::ColumnCount; ++c) {
        const int presence = TrendChartModel::presenceOf(c);
        const bool number =
            !line.missing && ((presence >= 0 && line.omission[size_t(presence)] == 0) ||
                              c == TrendChartModel::Sum || c == TrendChartModel::Span);
        const QString text = chart.text(row, c);
        if (number)
            writer.setNumber(sheet, at, c, text.toDouble());
        else
            writer.setText(sheet, at, c, text);
    }
}

} // namespace

QString TrendExport::write(const TrendChartModel &chart, const TrendStatsModel &stats,
                           const QString &fileName)
{
    if (chart.rowCount() > kMaxRows)
        return QStringLiteral("窗口有 %1 行，超过导出上限 %2 行；请缩小窗口后再导出")
            .arg(chart.rowCount())
            .arg(kMaxRows);
    XlsWriter writer;
    int sheet = addSheet(writer, chart);
    int at = kHeaderRows;
    for (int row = 0; row < chart.rowCount(); ++row) {
        if (at == XlsWriter::kMaxRows) {
            sheet = addSheet(writer, chart);
            at = kHeaderRows;
        }
        writeLine(writer, sheet, at++, chart, row);
    }
    if (at + 1 + TrendStatsModel::RowCount > XlsWriter::kMaxRows) {
        sheet = addSheet(writer, chart);
        at = kHeaderRows;
    }
    ++at; // a blank row between the chart and its statistics
    for (int r = 0; r < TrendStatsModel::RowCount; ++r, ++at) {
        writer.setText(sheet, at, TrendChartModel::Issue, TrendStatsModel::rowName(r));
        for (int c = TrendChartModel::FirstPresence; c < TrendChartModel::Sum; ++c)
            writer.setNumber(sheet, at, c, stats.value(r, TrendChartModel::presenceOf(c)));
    }
    if (!writer.write(fileName))
        return writer.errorString();
    return {};
}
