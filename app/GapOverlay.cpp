#include "GapOverlay.h"

#include <QEvent>
#include <QWidget>

GapOverlay::GapOverlay(QWidget *caption, QWidget *box, std::function<QRect()> gapRect)
    : QObject(box), m_caption(caption), m_box(box), m_gapRect(std::move(gapRect))
{
    caption->installEventFilter(this);
    place();
}

void GapOverlay::place()
{
    if (!m_caption || !m_box)
        return;
    const QRect gap = m_gapRect();
    const int height = std::min(m_box->sizeHint().height(), std::max(gap.height(), 16));
    const QPoint topLeft =
        m_caption->mapTo(m_box->parentWidget(), QPoint(gap.left(), gap.center().y() - height / 2));
    m_box->setGeometry(QRect(topLeft, QSize(gap.width(), height)));
    m_box->raise();
}

bool GapOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_caption && (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                                 event->type() == QEvent::Show))
        place();
    return QObject::eventFilter(watched, event);
}
