#include "UpdatePlan.h"

#include "Issue.h"

#include <algorithm>
#include <cmath>

namespace quorlent::updateplan {

namespace {

constexpr double kMsecsPerDay = 24.0 * 60 * 60 * 1000;

bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

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

std::optional<RowDraw> readRow(const QStringList &cells, int32_t newest)
{
    // Cells 1 .. length - 2: the first and the last cell of a row are never read.
    const qsizetype last = cells.size() - 2;
    for (qsizetype i = 1; i <= last; ++i) {
        const QString text = cells[i].trimmed();
        if (text.size() <= 10)
            continue;
        if (!allAsciiDigits(text))
            return std::nullopt;
        const int32_t stored = text.right(9).toInt();
        if (stored <= newest)
            return std::nullopt;
        const int sequence = text.right(3).toInt();
        if (sequence < 1 || sequence > kLastSequence)
            return std::nullopt;
        if (i + 1 > last)
            return std::nullopt;
        const std::optional<Digits> digits = readDigits(cells[i + 1]);
        if (!digits)
            return std::nullopt;
        return RowDraw{sequence, *digits};
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
    if (!oldestIssue)
        return false;
    const QDate oldest = issue::dateOf(*oldestIssue);
    if (!oldest.isValid())
        return false;
    return daysSince(oldest, now) > iniSerchDay;
}

int fetchWindow(std::optional<int32_t> newestIssue, const QDateTime &now, int iniSerchDay)
{
    if (!newestIssue)
        return iniSerchDay;
    const QDate newest = issue::dateOf(*newestIssue);
    if (!newest.isValid())
        return iniSerchDay;
    return std::min(roundHalfEven(daysSince(newest, now)), iniSerchDay);
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

int firstSequenceToStore(std::optional<int32_t> newestStored, int32_t pageDayNumber)
{
    if (!newestStored || issue::dayNumber(*newestStored) < pageDayNumber)
        return 1;
    return issue::sequence(*newestStored) + 1;
}

std::map<int, Digits> newerListedDraws(const DrawPage &page, std::optional<int32_t> newestStored)
{
    std::map<int, Digits> listed;
    const int32_t newest = newestStored.value_or(0);
    for (size_t row = 1; row < page.rows.size(); ++row) {
        if (const std::optional<RowDraw> draw = readRow(page.rows[row], newest))
            listed[draw->sequence] = draw->digits;
    }
    return listed;
}

std::vector<PageDraw> drawsToStore(const DrawPage &page, const QDate &pageDate,
                                   std::optional<int32_t> newestStored)
{
    std::vector<PageDraw> draws;
    if (page.status != DrawPage::Status::Rows || !pageDate.isValid())
        return draws;
    const int32_t day = issue::dayNumberOf(pageDate);
    // A page of a day before the newest stored draw's has nothing to add: what it lists under
    // later issues (a site that answers every date with today's list) would be stored under the
    // page's day, older than the newest draw and out of order.
    if (newestStored && issue::dayNumber(*newestStored) > day)
        return draws;
    const std::map<int, Digits> listed = newerListedDraws(page, newestStored);
    for (int q = firstSequenceToStore(newestStored, day); q <= kLastSequence; ++q) {
        const auto found = listed.find(q);
        if (found == listed.end())
            break;
        draws.push_back({day * 1000 + q, found->second});
    }
    return draws;
}

} // namespace quorlent::updateplan
