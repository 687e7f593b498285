#include "TrendView.h"

#include "TrendChartModel.h"
#include "TrendLines.h"
#include "TrendPalette.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

TrendView::TrendView(QWidget *parent) : QTableView(parent)
{
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setStyleSheet(
        QStringLiteral("QTableView { gridline-color: %1; }").arg(TrendPalette::kGridLine.name()));
}

std::pair<int, int> TrendView::rowsInView() const
{
    if (!model() || model()->rowCount() == 0)
        return {-1, -1};
    const int first = rowAt(0);
    int last = rowAt(viewport()->height() - 1);
    if (last < 0)
        last = model()->rowCount() - 1;
    return {first, last};
}

void TrendView::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    const auto *chart = qobject_cast<const TrendChartModel *>(model());
    if (!chart || !chart->showsLines())
        return;
    const auto [first, last] = rowsInView();
    if (first < 0)
        return;
    QPainter painter(viewport());
    paintTrendLines(painter, *chart, first, last, [this](int row, int column) {
        return QRect(columnViewportPosition(column), rowViewportPosition(row), columnWidth(column),
                     rowHeight(row));
    });
}

QString TrendView::selectedText() const
{
    const QItemSelection selection =
        selectionModel() ? selectionModel()->selection() : QItemSelection();
    if (selection.isEmpty())
        return {};
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (const QItemSelectionRange &range : selection) {
        top = std::min(top, range.top());
        left = std::min(left, range.left());
        bottom = std::max(bottom, range.bottom());
        right = std::max(right, range.right());
    }
    QString text;
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column) {
            if (column > left)
                text += QLatin1Char('\t');
            bool selected = false;
            for (const QItemSelectionRange &range : selection)
                selected = selected || (range.contains(row, column, {}));
            if (selected)
                text += model()->index(row, column).data().toString();
        }
        text += QLatin1Char('\n');
    }
    return text;
}

void TrendView::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::Copy) {
        QApplication::clipboard()->setText(selectedText());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
