#pragma once

#include <QCursor>
#include <QGuiApplication>

// Shows the busy pointer for the life of the object, so every way out of a long step restores it.
class BusyCursor
{
  public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
