#pragma once

#include <QPointer>

// Shows the one window kept in `slot`, made by `make` when there is none yet (or it was closed
// and deleted), and brings it to the front: asking again for an open window raises it.
template <typename W, typename Make> W *showOnce(QPointer<W> &slot, Make &&make)
{
    if (!slot)
        slot = make();
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}
