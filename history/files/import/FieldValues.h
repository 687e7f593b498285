#pragma once

#include "DrawCodes.h"
#include "Game.h"

#include <QDate>
#include <QString>
#include <QStringView>
#include <optional>

// What one field of a table holds, read the same way by the detection and by the reading.
namespace quorlent::import {

// The five digits of a draw in one field: "09033" (the leading zero kept), or five single digits
// set apart by commas, blanks, "|", "、" or "-" ("0,9,0,3,3", "0 9 0 3 3"). Otherwise nothing,
// and `why` says what is wrong ("开奖号码只有 4 位").
std::optional<Digits> readDigitGroup(QStringView field, QString *why = nullptr);

// One digit 0-9 alone in its field.
std::optional<uint8_t> readDigit(QStringView field);

// A date: "2026-04-21", "2026/4/21", "2026.4.21", "2026年4月21日" or "20260421", any time of day
// after it ignored ("2026-04-21 20:30:00", "2026-04-21T20:30"). Invalid when the field is none
// or names no real day of 1900-2099.
QDate readDate(QStringView field);

// The form of a field that is an issue some game can have, read with the most draws a day the
// form allows; nothing for any other text. A date ("20260421") is not taken for an issue here
// only when it names no draw of a two-digit sequence: the caller tells dates first.
std::optional<IssueForm> issueFormOf(QStringView field);

// The game the detection reads a form's issues with before it knows the schedule: as many draws a
// day as the form allows.
Game widestGame(IssueForm form);

// The issue of a field as sites write it: "第2026101期" is 2026101.
QStringView bareIssue(QStringView field);

bool hasAsciiDigit(QStringView text);

} // namespace quorlent::import
