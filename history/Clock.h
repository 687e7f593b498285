#pragma once

#include <QDateTime>

namespace quorlent {

// Local time now; the environment variable QUORLENT_NOW (ISO date-time, local time) fixes it, so
// that tests can put the clock where they need it.
QDateTime currentDateTime();

} // namespace quorlent
