#include "ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

QRect placeInside(QSize wanted, const QRect &available, QPoint centre)
{
    const QSize size = wanted.boundedTo(available.size());
    QRect place(QPoint(0, 0), size);
    place.moveCenter(centre);
    place.moveLeft(
        std::clamp(place.left(), available.left(), available.right() - size.width() + 1));
    place.moveTop(std::clamp(place.top(), available.top(), available.bottom() - size.height() + 1));
    return place;
}

void fitInsideScreen(QWidget *window, QSize wanted, const QWidget *near)
{
    const QScreen *screen =
        near && near->screen() ? near->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window->resize(wanted);
        return;
    }
    // The window system's frame goes around the window: as wide as that of a window already on
    // the screen, when there is one to measure.
    const QWidget *framed = window->isVisible()                   ? window
                            : near && near->window()->isVisible() ? near->window()
                                                                  : nullptr;
    const QSize frame = framed ? framed->frameGeometry().size() - framed->size() : QSize(0, 0);
    const QRect available = screen->availableGeometry();
    const QPoint centre =
        near && near->isVisible() ? near->frameGeometry().center() : available.center();
    const QRect room = available.adjusted(0, 0, -frame.width(), -frame.height());
    // A window cannot be smaller than its layout allows.
    const QRect place = placeInside(wanted.expandedTo(window->minimumSizeHint()), room, centre);
    window->resize(place.size());
    window->move(place.topLeft()); // the frame's corner
}
