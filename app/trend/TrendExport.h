#pragma once

#include <QString>

class TrendChartModel;
class TrendStatsModel;

// Writes the chart of the window into an Excel 97-2003 workbook with the program's own writer:
// two header rows (group captions over column captions), one row per line of the chart with its
// cells as shown, and the statistics rows after a blank row. A drawn digit, 和值, 跨度 and the
// statistics are numbers; an omission is written as the text it shows, so that the sheet, which
// has no circles, still tells a drawn digit from an omission. A chart longer than a sheet goes on
// in further sheets, each with the header rows.
class TrendExport
{
  public:
    static constexpr int kHeaderRows = 2;
    // The workbook is built in memory, some 16 bytes a cell: a window of more lines is refused.
    static constexpr int kMaxRows = 100000;

    // Returns an error text, empty on success. The file is replaced only by a complete one.
    static QString write(const TrendChartModel &chart, const TrendStatsModel &stats,
                         const QString &fileName);
};
