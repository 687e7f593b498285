#pragma once

#include "DrawCodes.h"
#include "DrawPage.h"
#include "Game.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

// What the online update fetches and what it stores from each page; no network, no database.
//
// The update, in short: when the oldest stored draw is more than IniSerchDay days old the history
// is emptied and refilled; the days from today - n up to today are loaded one page each, oldest
// first; from every page the draws newer than the newest stored one are appended under the page's
// date. The rules below fix each step, and where the page can be wrong, how it is mended:
//
// - Retention (retentionExpired): the oldest draw's date at 00:00, against now, in days with
//   fractions; "more than IniSerchDay days" empties the history. Times are wall-clock times (whole
//   calendar days plus the time of day), so a daylight-saving change never moves the edge. An
//   oldest issue whose digits name no real day cannot be measured and never empties the history.
// - Measuring the fetch window after the retention rule emptied the history: from the emptied
//   history, so n = IniSerchDay and the whole window is fetched again. The draws just dropped are
//   gone from the history the update works on; measuring from them would leave the days between
//   the window's start and the newest dropped draw empty.
// - Fetch window (fetchWindow): n = IniSerchDay without a newest draw, otherwise the days with
//   fractions from 00:00 of the newest draw's date to now rounded to the nearest whole number, an
//   exact half to the even one (15:00 today gives 0.625, so n = 1). n never exceeds IniSerchDay:
//   while the retention rule keeps the history that already holds, and a history with a junk
//   oldest issue must not send the update years back. A negative n (history dated after the
//   clock) loads no page.
// - Reading a page (newerListedDraws): row 0 is the header; in every other row only cells
//   1 .. length - 2 are examined. The issue cell is the first of them whose trimmed text is longer
//   than 10 characters; its last nine characters are the stored issue, its last three the
//   sequence. Cells before it are not read. The cell right after it is the digit cell; cells after
//   that are not read (an extra column must not overwrite the digits). A row is left out when:
//   * its issue cell is not all ASCII digits (a date or time in a longer cell is not an issue);
//   * the issue is not greater than the newest stored one (so running twice stores nothing twice);
//   * the sequence is 0 or above 120 (no such draw exists in a day);
//   * it has no digit cell, or fewer than five non-blank characters in it;
//   * one of the first five non-blank characters of the digit cell is not a digit 0-9: a
//     letter, a dash or a full-width digit means the cell is not what we think it is, and a
//     made-up value would poison every search that ever reads that draw. Characters after the
//     fifth are ignored.
//   When a page lists one sequence twice, the later row wins.
// - What is stored (drawsToStore): from the first sequence to store (1 on a day after the newest
//   stored draw's day or on an empty history, otherwise the newest sequence + 1) upwards, each
//   listed sequence in turn, under issue = day number of the page's date x 1000 + sequence, up to
//   the first sequence the page does not list. We stop at a gap rather than skip it: every stored
//   draw carries the codes of the draw before it, and the searches ask what follows what, so a
//   skipped draw would make the draw after it claim the wrong predecessor for good. Stopping
//   keeps the history contiguous within a day. On today's page, the usual place of a gap (a row
//   not yet filled in, a row we refused), the next update stores the rest once the page lists the
//   missing draw, since nothing after the gap was stored; on an earlier day the later pages of the
//   same run go on from their own sequence 1, and the rest of the day with the gap stays out. A
//   page whose rows are all old, or which has only its header, stores nothing; so does the page
//   of a day before the newest stored draw's day, whatever later issues it lists.
//
// Another game reads the same page form with its own issues: the issue cell is the first examined
// cell at least as long as the game's shown issue, its last stored-length characters are the
// stored issue, and its sequence must exist in the game. A date-numbered game stores under the
// page's day as above, with its own draws a day. A year-numbered game stores the listed issues
// themselves, dated with the page's date, going on from the newest stored one without a gap, at
// most its draws a day from one page. A year's last draw is not known in advance: the next year's
// first counts as following the newest stored draw when that was drawn in the last ten days of
// its year (its kept date says so), else the update waits for the draws between. A year-numbered
// history is never emptied by the retention rule: its draws span years, and the rule would throw
// them all away.
namespace quorlent::updateplan {

// Rounds to the nearest whole number, an exact half to the even neighbour.
int roundHalfEven(double value);

// Days with fractions from 00:00 of `day` to `now` on the wall clock.
double daysSince(const QDate &day, const QDateTime &now);

// Whether the history whose oldest stored issue is `oldestIssue` must be emptied.
bool retentionExpired(std::optional<int32_t> oldestIssue, const QDateTime &now, int iniSerchDay);
// The same by the oldest draw's day; an invalid day cannot be measured and never empties it.
bool retentionExpiredOn(const QDate &oldestDay, const QDateTime &now, int iniSerchDay);

// n: how many days before today the update starts. `newestIssue` is empty when the history is
// empty, or when the retention rule has emptied it.
int fetchWindow(std::optional<int32_t> newestIssue, const QDateTime &now, int iniSerchDay);
// The same by the newest draw's day: nothing for an empty history, an invalid day when its day is
// not known.
int fetchWindowFrom(std::optional<QDate> newestDay, const QDateTime &now, int iniSerchDay);

// today - n, ..., today, oldest first; empty when n is negative.
QList<QDate> fetchDates(int n, const QDate &today);

// The base address (trailing slashes dropped) + "/lottery/draw/list/200?d=YYYY-MM-DD".
QUrl pageAddress(const QString &baseAddress, const QDate &date);

// The first sequence of a page's day that may be stored after `newestStored`: 1 when the
// newest stored draw is of an earlier day, else the sequence after it.
int firstSequenceToStore(std::optional<int32_t> newestStored, const QDate &pageDate,
                         const Game &game);
// The same for the original game's page of day number `pageDayNumber` (yymmdd).
int firstSequenceToStore(std::optional<int32_t> newestStored, int32_t pageDayNumber);

// The draws a page lists that are newer than `newestStored`: by sequence for a date-numbered
// game, by stored issue for a year-numbered one (rules above). `misfits`, when given, counts the
// rows whose issue cell names no issue the game can have.
std::map<int, Digits> newerListedDraws(const DrawPage &page, std::optional<int32_t> newestStored,
                                       const Game &game = Game::standard(), int *misfits = nullptr);

struct PageDraw
{
    int32_t sqqh = 0;
    Digits digits{};
    bool operator==(const PageDraw &) const = default;
};

// The draws to append from the page of `pageDate`, in issue order.
// `newestDate` is the newest stored draw's kept date (yyyymmdd, 0: not known).
std::vector<PageDraw> drawsToStore(const DrawPage &page, const QDate &pageDate,
                                   std::optional<int32_t> newestStored,
                                   const Game &game = Game::standard(), int *misfits = nullptr,
                                   int32_t newestDate = 0);

} // namespace quorlent::updateplan
