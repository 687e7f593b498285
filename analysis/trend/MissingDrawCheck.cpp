#include "MissingDrawCheck.h"

#include "IssueOrdinals.h"

#include <QDate>

namespace quorlent::trend {

namespace {

int32_t dayNumberOfJulian(int64_t julianDay)
{
    const QDate day = QDate::fromJulianDay(julianDay);
    return (day.year() % 100) * 10000 + day.month() * 100 + day.day();
}

} // namespace

MissingDrawReport checkMissingDraws(std::span<const HistoryRow> rows, const Game &game)
{
    MissingDrawReport report;
    IssueOrdinals ordinals(game);
    const bool byDay = !game.numbersByYear();
    const int perDay = game.drawsPerDay();
    std::optional<int64_t> previous; // ordinal of the last stored issue that can exist
    int64_t day = 0;                 // its Julian day
    int dayCount = 0;                // distinct issues stored that day

    auto closeDay = [&] {
        if (byDay && dayCount < perDay) {
            const int32_t d = dayNumberOfJulian(day);
            report.shortDays.push_back({d, d, dayCount});
        }
    };

    for (size_t i = 0; i < rows.size(); ++i) {
        const int32_t sqqh = rows[i].sqqh;
        if (i > 0 && rows[i - 1].sqqh == sqqh) {
            if (report.repeated.empty() || report.repeated.back() != sqqh)
                report.repeated.push_back(sqqh);
            continue;
        }
        const auto ord = ordinals.ordinal(sqqh);
        if (!ord) {
            report.impossible.push_back(
                {sqqh, ordinals.fault(sqqh) == IssueOrdinals::Fault::Sequence});
            continue;
        }
        const int64_t thisDay = *ord / perDay;
        if (previous) {
            if (const auto first = ordinals.firstMissing(*previous, *ord)) {
                const int64_t count = *ord - *first;
                report.missing.push_back(
                    {ordinals.issueAt(*first), ordinals.issueAt(*ord - 1), count});
                report.missingCount += count;
            }
            if (byDay && thisDay != day) {
                closeDay();
                if (thisDay > day + 1)
                    report.shortDays.push_back(
                        {dayNumberOfJulian(day + 1), dayNumberOfJulian(thisDay - 1), 0});
                dayCount = 0;
            }
        } else {
            report.oldest = sqqh;
        }
        day = thisDay;
        ++dayCount;
        previous = ord;
        report.newest = sqqh;
    }
    if (previous)
        closeDay();
    return report;
}

} // namespace quorlent::trend
