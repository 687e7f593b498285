#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// The place for a window of `wanted` size on a screen whose free area is `available`: no larger
// than that area, centred on `centre` and moved inside it. Its frame is left to the window system.
QRect placeInside(QSize wanted, const QRect &available, QPoint centre);

// Gives `window` its place on the screen of `near` (else the primary screen): `wanted`, or less
// where the screen is smaller, never beyond the screen's free area.
void fitInsideScreen(QWidget *window, QSize wanted, const QWidget *near = nullptr);
