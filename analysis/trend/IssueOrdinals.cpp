#include "IssueOrdinals.h"

namespace quorlent::trend {

namespace {

constexpr int64_t kYearSpan = 1000; // places of one year of a year-numbered game

} // namespace

std::optional<int64_t> IssueOrdinals::julianDay(int32_t issue)
{
    if (m_game.numbersByYear())
        return std::nullopt;
    // Issues of one day share the issue of its sequence 0.
    const int32_t day = issue - m_game.sequence(issue);
    if (day != m_day || issue < 0) {
        m_day = issue < 0 ? -1 : day;
        const QDate date = issue < 0 ? QDate() : m_game.dateOf(issue);
        m_julian = date.isValid() ? std::optional<int64_t>(date.toJulianDay()) : std::nullopt;
    }
    return m_julian;
}

std::optional<int64_t> IssueOrdinals::ordinal(int32_t issue)
{
    const int s = m_game.sequence(issue);
    if (s < 1 || s > m_game.lastSequence())
        return std::nullopt;
    if (m_game.numbersByYear()) {
        if (!m_game.exists(issue))
            return std::nullopt;
        return int64_t(m_game.year(issue)) * kYearSpan + s - 1;
    }
    const auto day = julianDay(issue);
    if (!day)
        return std::nullopt;
    return *day * m_game.drawsPerDay() + s - 1;
}

std::optional<int64_t> IssueOrdinals::firstMissing(int64_t before, int64_t place) const
{
    if (m_game.numbersByYear() && place / kYearSpan != before / kYearSpan) {
        const int64_t yearStart = place / kYearSpan * kYearSpan;
        return place > yearStart ? std::optional<int64_t>(yearStart) : std::nullopt;
    }
    return place > before + 1 ? std::optional<int64_t>(before + 1) : std::nullopt;
}

int32_t IssueOrdinals::issueAt(int64_t ordinal) const
{
    if (m_game.numbersByYear())
        return m_game.issueOfYear(int(ordinal / kYearSpan), int(ordinal % kYearSpan) + 1);
    const int n = m_game.drawsPerDay();
    return issueOfDay(ordinal / n, int(ordinal % n) + 1);
}

int32_t IssueOrdinals::issueOfDay(int64_t julianDay, int sequence) const
{
    return m_game.issueOfDay(QDate::fromJulianDay(julianDay), sequence);
}

IssueOrdinals::Fault IssueOrdinals::fault(int32_t issue)
{
    const int s = m_game.sequence(issue);
    if (s < 1 || s > m_game.lastSequence())
        return Fault::Sequence;
    if (m_game.numbersByYear())
        return m_game.exists(issue) ? Fault::None : Fault::Date;
    return julianDay(issue) ? Fault::None : Fault::Date;
}

} // namespace quorlent::trend
