#include "IssueOrdinals.h"

#include "Issue.h"

namespace quorlent::trend {

std::optional<int64_t> IssueOrdinals::julianDay(int32_t issue)
{
    const int32_t day = issue::dayNumber(issue);
    if (day != m_day || issue < 0) {
        m_day = issue < 0 ? -1 : day;
        const QDate date = issue < 0 ? QDate() : issue::dateOf(issue);
        m_julian = date.isValid() ? std::optional<int64_t>(date.toJulianDay()) : std::nullopt;
    }
    return m_julian;
}

std::optional<int64_t> IssueOrdinals::ordinal(int32_t issue)
{
    const int s = issue::sequence(issue);
    if (s < 1 || s > issue::kDrawsPerDay)
        return std::nullopt;
    const auto day = julianDay(issue);
    if (!day)
        return std::nullopt;
    return *day * issue::kDrawsPerDay + s - 1;
}

int32_t IssueOrdinals::issueAt(int64_t ordinal)
{
    return issueOfDay(ordinal / issue::kDrawsPerDay, int(ordinal % issue::kDrawsPerDay) + 1);
}

int32_t IssueOrdinals::issueOfDay(int64_t julianDay, int sequence)
{
    return issue::dayNumberOf(QDate::fromJulianDay(julianDay)) * 1000 + sequence;
}

IssueOrdinals::Fault IssueOrdinals::fault(int32_t issue)
{
    const int s = issue::sequence(issue);
    if (s < 1 || s > issue::kDrawsPerDay)
        return Fault::Sequence;
    return julianDay(issue) ? Fault::None : Fault::Date;
}

} // namespace quorlent::trend
