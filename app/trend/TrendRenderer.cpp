#include "TrendRenderer.h"

#include "TrendChartModel.h"
#include "TrendHeaderView.h"
#include "TrendLines.h"
#include "TrendPalette.h"
#include "TrendStatsDelegate.h"
#include "TrendStatsModel.h"
#include "TrendView.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QPainter>
#include <QPrinter>

namespace {

const QColor kHeaderFill(0xF0, 0xF0, 0xF0);
const QColor kHeaderRule(0xA0, 0xA0, 0xA0);

const TrendChartModel &chartOf(const TrendView &view)
{
    return *static_cast<const TrendChartModel *>(view.model());
}

} // namespace

TrendRenderer::TrendRenderer(const TrendView &chart, const TrendStatsModel &stats)
    : m_view(chart), m_stats(stats)
{
    m_left.push_back(0);
    for (int c = 0; c < TrendChartModel::ColumnCount; ++c)
        m_left.push_back(m_left.back() + chart.columnWidth(c));
    m_width = m_left.back() + 1;
    m_rowHeight = chart.verticalHeader()->defaultSectionSize();
    // Pixels, as on the screen: a printer's dots per inch would make a point-sized font huge
    // next to the scaled cells.
    m_font = chart.font();
    m_font.setPixelSize(QFontInfo(chart.font()).pixelSize());
    m_tier = static_cast<const TrendHeaderView *>(chart.horizontalHeader())->tierHeight();
}

int TrendRenderer::statsHeight() const
{
    return TrendStatsModel::RowCount * m_rowHeight;
}

QRect TrendRenderer::cell(int y, int column) const
{
    return QRect(m_left[size_t(column)], y, m_left[size_t(column) + 1] - m_left[size_t(column)],
                 m_rowHeight);
}

void TrendRenderer::paintHeader(QPainter &painter, int y) const
{
    const TrendChartModel &model = chartOf(m_view);
    painter.setFont(m_font);
    auto box = [&](const QRect &rect, const QString &text) {
        painter.fillRect(rect, kHeaderFill);
        painter.setPen(kHeaderRule);
        painter.drawRect(rect.adjusted(0, 0, 0, -1));
        painter.setPen(Qt::black);
        painter.drawText(rect, Qt::AlignCenter, text);
    };
    for (int c = 0; c < TrendChartModel::ColumnCount; ++c) {
        QRect rect(m_left[size_t(c)], y, m_left[size_t(c) + 1] - m_left[size_t(c)], 2 * m_tier);
        if (TrendChartModel::groupOf(c))
            rect.setTop(y + m_tier);
        box(rect, model.headerData(c, Qt::Horizontal).toString());
    }
    for (const TrendChartModel::Group &g : TrendChartModel::groups())
        box(QRect(m_left[size_t(g.first)], y, m_left[size_t(g.last) + 1] - m_left[size_t(g.first)],
                  m_tier),
            g.caption);
}

void TrendRenderer::paintRows(QPainter &painter, int y, int first, int count) const
{
    const TrendChartModel &model = chartOf(m_view);
    QStyleOptionViewItem option;
    option.font = m_font;
    option.palette = QApplication::palette();
    option.state = QStyle::State_Enabled;
    QAbstractItemDelegate *delegate = m_view.itemDelegate();
    painter.save();
    painter.setClipRect(QRect(0, y, m_width, count * m_rowHeight));
    for (int r = 0; r < count; ++r) {
        const int top = y + r * m_rowHeight;
        painter.fillRect(QRect(0, top, m_width, m_rowHeight), Qt::white);
        for (int c = 0; c < TrendChartModel::ColumnCount; ++c) {
            option.rect = cell(top, c).adjusted(0, 0, -1, -1);
            delegate->paint(&painter, option, model.index(first + r, c));
        }
    }
    painter.setPen(TrendPalette::kGridLine);
    for (int r = 0; r <= count; ++r)
        painter.drawLine(0, y + r * m_rowHeight - 1, m_width - 1, y + r * m_rowHeight - 1);
    for (int c = 1; c <= TrendChartModel::ColumnCount; ++c)
        painter.drawLine(m_left[size_t(c)] - 1, y, m_left[size_t(c)] - 1, y + count * m_rowHeight);
    if (model.showsLines()) {
        paintTrendLines(painter, model, first, first + count - 1, [&](int row, int column) {
            return cell(y + (row - first) * m_rowHeight, column).adjusted(0, 0, -1, -1);
        });
    }
    painter.restore();
}

void TrendRenderer::paintStats(QPainter &painter, int y) const
{
    QFont font = m_font;
    painter.setFont(font);
    for (int r = 0; r < TrendStatsModel::RowCount; ++r) {
        const int top = y + r * m_rowHeight;
        painter.fillRect(QRect(0, top, m_width, m_rowHeight),
                         r % 2 ? QColor(0xF7, 0xF7, 0xF7) : Qt::white);
        painter.setPen(Qt::black);
        painter.setFont(font);
        painter.drawText(QRect(0, top, m_left[2], m_rowHeight), Qt::AlignCenter,
                         TrendStatsModel::rowName(r));
        for (int c = TrendChartModel::FirstPresence; c < TrendChartModel::Sum; ++c)
            TrendStatsDelegate::drawFitted(&painter, cell(top, c).adjusted(0, 0, -1, 0),
                                           m_stats.text(r, c), font);
        painter.setPen(TrendPalette::kGridLine);
        painter.drawLine(0, top + m_rowHeight - 1, m_width - 1, top + m_rowHeight - 1);
    }
    painter.setPen(TrendPalette::kGroupRule);
    painter.drawLine(0, y - 1, m_width - 1, y - 1);
}

void TrendRenderer::paint(QPainter &painter, int first, int count, bool withStats) const
{
    paintHeader(painter, 0);
    paintRows(painter, headerHeight(), first, count);
    if (withStats)
        paintStats(painter, headerHeight() + count * m_rowHeight + 2);
}

QImage TrendRenderer::image(int first, int count) const
{
    QImage image(m_width, headerHeight() + count * m_rowHeight + 2 + statsHeight(),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, first, count, true);
    return image;
}

bool TrendRenderer::print(QPrinter &printer, const QString &title) const
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = page.width() / m_width;
    const int height = int(page.height() / scale);
    const int titleHeight = m_rowHeight;
    const int perPage = std::max(1, (height - titleHeight - headerHeight()) / m_rowHeight);
    const int rows = chartOf(m_view).rowCount();
    const int rowPages = std::max(1, (rows + perPage - 1) / perPage);
    const int lastRows = rows - (rowPages - 1) * perPage;
    const bool statsApart =
        titleHeight + headerHeight() + lastRows * m_rowHeight + 2 + statsHeight() > height;
    const int pages = rowPages + (statsApart ? 1 : 0);
    const int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int to = printer.toPage() > 0 ? std::min(printer.toPage(), pages) : pages;

    painter.scale(scale, scale);
    for (int p = from; p <= to; ++p) {
        if (p > from)
            printer.newPage();
        painter.setFont(m_font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, m_width, titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1    第 %2 / %3 页").arg(title).arg(p).arg(pages));
        painter.save();
        painter.translate(0, titleHeight);
        paintHeader(painter, 0);
        int y = headerHeight();
        if (p <= rowPages) {
            const int first = (p - 1) * perPage;
            const int count = std::min(perPage, rows - first);
            paintRows(painter, y, first, count);
            y += count * m_rowHeight;
        }
        if (p == pages)
            paintStats(painter, y + 2);
        painter.restore();
    }
    return painter.end();
}
