#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <vector>

class QPainter;
class QPrinter;
class TrendStatsModel;
class TrendView;

// Paints the chart away from the screen, the way the window shows it (same columns, widths,
// colours and toggles): into an image for "保存图片", page by page onto a printer or PDF.
class TrendRenderer
{
  public:
    TrendRenderer(const TrendView &chart, const TrendStatsModel &stats);

    int width() const { return m_width; }
    int headerHeight() const { return 2 * m_tier; }
    int rowHeight() const { return m_rowHeight; }
    int statsHeight() const;

    // Paints, from (0, 0) in the chart's own pixels, the header, rows [first, first + count) and
    // then, when asked, the statistics rows.
    void paint(QPainter &painter, int first, int count, bool withStats) const;
    QImage image(int first, int count) const;

    // Prints all rows of the window with the header on every page and the statistics rows after
    // the last row, scaled to the page's width; `title` heads each page. Honours the printer's
    // page range. Returns false when the printer could not be started.
    bool print(QPrinter &printer, const QString &title) const;

  private:
    void paintHeader(QPainter &painter, int y) const;
    void paintRows(QPainter &painter, int y, int first, int count) const;
    void paintStats(QPainter &painter, int y) const;
    QRect cell(int y, int column) const;

    const TrendView &m_view;
    const TrendStatsModel &m_stats;
    QFont m_font;
    std::vector<int> m_left; // each column's x; one more for the right edge
    int m_width = 0;
    int m_rowHeight = 0;
    int m_tier = 0;
};
