#pragma once

#include <QIcon>

// The program's icon in every size the icon theme gets, built into the executable so that the
// window and the task bar show it wherever the program runs from.
QIcon applicationIcon();
