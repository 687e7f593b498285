#include "TrendHeaderView.h"

#include "TrendChartModel.h"

#include <QPainter>

TrendHeaderView::TrendHeaderView(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setDefaultAlignment(Qt::AlignCenter);
}

int TrendHeaderView::tierHeight() const
{
    return fontMetrics().height() + 6;
}

QSize TrendHeaderView::sizeHint() const
{
    QSize hint = QHeaderView::sizeHint();
    hint.setHeight(2 * tierHeight());
    return hint;
}

void TrendHeaderView::paintCaption(QPainter *painter, const QRect &rect, const QString &text,
                                   int section) const
{
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = section;
    option.text = text;
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::Middle;
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
}

void TrendHeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const QString text =
        model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
    QRect own = rect;
    if (TrendChartModel::groupOf(logicalIndex))
        own.setTop(rect.top() + tierHeight());
    paintCaption(painter, own, text, logicalIndex);
}

void TrendHeaderView::paintEvent(QPaintEvent *event)
{
    QHeaderView::paintEvent(event);
    QPainter painter(viewport());
    for (const TrendChartModel::Group &group : TrendChartModel::groups()) {
        if (group.last >= count() || isSectionHidden(group.first))
            continue;
        const int left = sectionViewportPosition(group.first);
        const int right = sectionViewportPosition(group.last) + sectionSize(group.last);
        if (right < 0 || left > viewport()->width())
            continue;
        paintCaption(&painter, QRect(left, 0, right - left, tierHeight()), group.caption,
                     group.first);
    }
}
