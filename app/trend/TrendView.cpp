#include "TrendView.h"

#include "TrendChartModel.h"
#include "TrendHeaderView.h"
#include "TrendLines.h"
#include "TrendPalette.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

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
    if (m_isOverlay)
        return; // the lines run in the columns beneath it
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

void TrendView::freezeLeadingColumns(int count)
{
    auto *frozen = new TrendView(this);
    frozen->m_isOverlay = true;
    if (qobject_cast<TrendHeaderView *>(horizontalHeader()))
        frozen->setHorizontalHeader(new TrendHeaderView(frozen));
    frozen->horizontalHeader()->setVisible(!horizontalHeader()->isHidden());
    frozen->setModel(model());
    frozen->setSelectionModel(selectionModel());
    frozen->setItemDelegate(itemDelegate());
    frozen->setFocusPolicy(Qt::NoFocus); // keys, Ctrl+C among them, stay with this view
    frozen->setFrameShape(QFrame::NoFrame);
    frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int column = 0; column < model()->columnCount(); ++column) {
        if (column < count)
            frozen->setColumnWidth(column, columnWidth(column));
        else
            frozen->setColumnHidden(column, true);
    }
    m_frozen = frozen;
    m_frozenCount = count;

    // Both scroll together. Rows added at the bottom reach the second view's scroll range only
    // at its next layout, so a position beyond its range lays it out first.
    QScrollBar *own = verticalScrollBar();
    QScrollBar *other = frozen->verticalScrollBar();
    connect(own, &QScrollBar::valueChanged, frozen, [frozen, other](int value) {
        if (value > other->maximum())
            frozen->doItemsLayout();
        other->setValue(value);
    });
    connect(other, &QScrollBar::valueChanged, own, &QScrollBar::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column < m_frozenCount) {
                    m_frozen->setColumnWidth(column, size);
                    placeFrozen();
                }
            });
    viewport()->stackUnder(frozen);
    placeFrozen();
    frozen->show();
}

void TrendView::placeFrozen()
{
    int width = 0;
    for (int column = 0; column < m_frozenCount; ++column)
        width += columnWidth(column);
    const int header = horizontalHeader()->isHidden() ? 0 : horizontalHeader()->height();
    m_frozen->setGeometry(frameWidth(), frameWidth(), width, viewport()->height() + header);
}

void TrendView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    QTableView::scrollTo(index, hint);
    if (!m_frozen || !index.isValid() || index.column() < m_frozenCount)
        return;
    const int hidden = m_frozen->width() - columnViewportPosition(index.column());
    if (hidden > 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
}

void TrendView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    if (m_frozen)
        placeFrozen();
}
