#pragma once

#include <QString>

// Where the program keeps Varnibo.mdb and its other files: QUORLENT_HOME when set, else the
// executable's folder, or the per-user data folder when that one cannot be written.
QString programFolder();
