#pragma once

#include <cstdint>
#include <optional>

namespace quorlent::trend {

// Puts the issues that can exist on one line of consecutive numbers: the draw s (1-120) of the
// calendar day with Julian day number j is j * 120 + s - 1, so the issue after 120 of one day is
// the next day's 001 and the count of issues between two draws is a difference. An issue with
// sequence 0, a sequence above 120 or digits that name no calendar day has no place on the line.
//
// Consecutive issues mostly share their day; the last day looked up is kept, so a pass over a
// history converts each day once.
class IssueOrdinals
{
  public:
    std::optional<int64_t> ordinal(int32_t issue);
    // The Julian day number of an issue's date, whatever its sequence; nullopt for no calendar day.
    std::optional<int64_t> julianDay(int32_t issue);

    static int32_t issueAt(int64_t ordinal);
    // Draw `sequence` of the day with the given Julian day number.
    static int32_t issueOfDay(int64_t julianDay, int sequence);

    enum class Fault
    {
        None,
        Sequence,
        Date
    };
    // Why an issue cannot exist; a bad sequence is named before a bad date.
    Fault fault(int32_t issue);

  private:
    int32_t m_day = -1;
    std::optional<int64_t> m_julian;
};

} // namespace quorlent::trend
