#pragma once

#include "Game.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>

// The issue numbers of the original game (120 draws a day, stored as the nine digits yymmddnnn,
// shown as "20" followed by them), for code that knows it works on that game. Everything else
// asks the history's Game.
namespace quorlent::issue {

inline constexpr int kDrawsPerDay = Game::standard().drawsPerDay();

// The last three digits: the draw's sequence within its day.
constexpr int sequence(int32_t stored) { return stored % 1000; }

// The day part yymmdd of a stored issue.
constexpr int32_t dayNumber(int32_t stored) { return stored / 1000; }

// yymmdd of a calendar date (years 2000-2099).
int32_t dayNumberOf(const QDate &date);

// The calendar date of a stored issue; invalid when the digits name no real day.
QDate dateOf(int32_t stored);

// The issue after `stored`: the 120th draw of a day rolls over to 001 of the next calendar day,
// any other sequence is followed by the plain successor.
int32_t next(int32_t stored);

// The first issue of a day.
int32_t firstOfDay(const QDate &date);

// The nine stored digits, zero-padded: issues of 2000-2009 are below 100000000 as integers.
QString storedText(int32_t stored);

// "20" followed by the nine stored digits.
QString displayForm(int32_t stored);

// The stored form of a typed or shown issue: its last nine characters as a number.
std::optional<int32_t> fromDisplay(const QString &text);

} // namespace quorlent::issue
