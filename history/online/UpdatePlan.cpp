#include "UpdatePlan.h"

#include <algorithm>
#include <cmath>

namespace quorlent::updateplan {

namespace {

constexpr double kMsecsPerDay = 24.0 * 60 * 60 * 1000;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool allAsciiDigits(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isAsciiDigit);
}

// The five digits of a digit cell, or nothing when the cell does not hold them.
std::optional<Digits> readDigits(const QString &cell)
{
    Digits digits{};
    int position = 0;
    for (QChar c : cell) {
        if (c.isSpace())
            continue;
        if (!isAsciiDigit(c))
            return std::nullopt;
        digits[position++] = static_cast<uint8_t>(c.unicode() - '0');
        if (position == kPositions)
            return digits;
    }
    return std::nullopt;
}

struct RowDraw
{
    int sequence = 0;
    Digits digits{};
};

std::optional<RowDraw> readRow(const QStringList &cells, int32_t newest, const Game &game,
                               bool &misfit)
{
    // Cells 1 .. length - 2: the first and the last cell of a row are never read.
    const qsizetype last = cells.size() - 2;
    for (qsizetype i = 1; i <= last; ++i) {
        const QString text = cells[i].trimmed();
        if (text.size() < game.displayLength())
            continue;
        if (!allAsciiDigits(text))
            return std::nullopt;
        const int32_t stored = text.right(game.storedLength()).toInt();
        if (stored <= newest)
            return std::nullopt;
        const int sequence = game.sequence(stored);
        if (sequence < 1 || sequence > game.lastSequence() ||
            (game.numbersByYear() && !game.exists(stored))) {
            misfit = true;
            return std::nullopt;
        }
        if (i + 1 > last)
            return std::nullopt;
        const std::optional<Digits> digits = readDigits(cells[i + 1]);
        if (!digits)
            return std::nullopt;
        return RowDraw{game.numbersByYear() ? stored : sequence, *digits};
    }
    return std::nullopt;
}

} // namespace

int roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        rounded = below + 1;
    return static_cast<int>(rounded);
}

double daysSince(const QDate &day, const QDateTime &now)
{
    const qint64 wholeDays = now.date().toJulianDay() - day.toJulianDay();
    return static_cast<double>(wholeDays) + now.time().msecsSinceStartOfDay() / kMsecsPerDay;
}

bool retentionExpired(std::optional<int32_t> oldestIssue, const QDateTime &now, int iniSerchDay)
{
    return oldestIssue &&
           retentionExpiredOn(Game::standard().dateOf(*oldestIssue), now, iniSerchDay);
}

bool retentionExpiredOn(const QDate &oldestDay, const QDateTime &now, int iniSerchDay)
{
    return oldestDay.isValid() && daysSince(oldestDay, now) > iniSerchDay;
}

int fetchWindow(std::optional<int32_t> newestIssue, const QDateTime &now, int iniSerchDay)
{
    if (!newestIssue)
        return iniSerchDay;
    return fetchWindowFrom(Game::standard().dateOf(*newestIssue), now, iniSerchDay);
}

int fetchWindowFrom(std::optional<QDate> newestDay, const QDateTime &now, int iniSerchDay)
{
    if (!newestDay || !newestDay->isValid())
        return iniSerchDay;
    return std::min(roundHalfEven(daysSince(*newestDay, now)), iniSerchDay);
}

QList<QDate> fetchDates(int n, const QDate &today)
{
    QList<QDate> dates;
    for (int d = n; d >= 0; --d)
        dates << today.addDays(-d);
    return dates;
}

QUrl pageAddress(const QString &baseAddress, const QDate &date)
{
    QString base = baseAddress.trimmed();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return QUrl(base + QStringLiteral("/lottery/draw/list/200?d=") +
                date.toString(QStringLiteral("yyyy-MM-dd")));
}

int firstSequenceToStore(std::optional<int32_t> newestStored, const QDate &pageDate,
                         const Game &game)
{
    // Issues of one day share the issue of its sequence 0.
    if (!newestStored ||
        *newestStored - game.sequence(*newestStored) < game.issueOfDay(pageDate, 0))
        return 1;
    return game.sequence(*newestStored) + 1;
}

int firstSequenceToStore(std::optional<int32_t> newestStored, int32_t pageDayNumber)
{
    return firstSequenceToStore(newestStored, Game::standard().dateOf(pageDayNumber * 1000 + 1),
                                Game::standard());
}

std::map<int, Digits> newerListedDraws(const DrawPage &page, std::optional<int32_t> newestStored,
                                       const Game &game, int *misfits)
{
    std::map<int, Digits> listed;
    const int32_t newest = newestStored.value_or(0);
    for (size_t row = 1; row < page.rows.size(); ++row) {
        bool misfit = false;
        if (const std::optional<RowDraw> draw = readRow(page.rows[row], newest, game, misfit))
            listed[draw->sequence] = draw->digits;
        if (misfit && misfits)
            ++*misfits;
    }
    return listed;
}

namespace {

// A year-numbered game: the listed issues following the newest stored one without a gap.
std::vector<PageDraw> yearDrawsToStore(const std::map<int, Digits> &listed,
                                       std::optional<int32_t> newestStored, const Game &game,
                                       int32_t newestDate)
{
    const QDate newestDay = Game::dateOfNumber(newestDate);
    bool mayTurnTheYear = newestDay.isValid() && newestDay.month() == 12 && newestDay.day() > 21;
    std::vector<PageDraw> draws;
    if (listed.empty())
        return draws;
    int32_t expected = newestStored ? *newestStored + 1 : listed.begin()->first;
    while (draws.size() < size_t(game.drawsPerDay())) {
        auto found = listed.find(expected);
        if (found == listed.end() && mayTurnTheYear)
            found = listed.find(game.issueOfYear(game.year(expected) + 1, 1));
        if (found == listed.end())
            break;
        draws.push_back({found->first, found->second});
        expected = found->first + 1;
        mayTurnTheYear = false; // the page's date is the one the draw gets: not a year's end
    }
    return draws;
}

} // namespace

std::vector<PageDraw> drawsToStore(const DrawPage &page, const QDate &pageDate,
                                   std::optional<int32_t> newestStored, const Game &game,
                                   int *misfits, int32_t newestDate)
{
    std::vector<PageDraw> draws;
    if (page.status != DrawPage::Status::Rows || !pageDate.isValid())
        return draws;
    if (game.numbersByYear())
        return yearDrawsToStore(newerListedDraws(page, newestStored, game, misfits), newestStored,
                                game, newestDate);
    // A page of a day before the newest stored draw's has nothing to add: what it lists under
    // later issues (a site that answers every date with today's list) would be stored under the
    // page's day, older than the newest draw and out of order. Issues of one day share the issue
    // of its sequence 0.
    if (newestStored && *newestStored - game.sequence(*newestStored) > game.issueOfDay(pageDate, 0))
        return draws;
    const std::map<int, Digits> listed = newerListedDraws(page, newestStored, game, misfits);
    for (int q = firstSequenceToStore(newestStored, pageDate, game); q <= game.lastSequence();
         ++q) {
        const auto found = listed.find(q);
        if (found == listed.end())
            break;
        draws.push_back({game.issueOfDay(pageDate, q), found->second});
    }
    return draws;
}

} // namespace quorlent::updateplan
