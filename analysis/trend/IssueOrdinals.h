#pragma once

#include "Game.h"

#include <cstdint>
#include <optional>

namespace quorlent::trend {

// Puts the issues that can exist on one line of consecutive numbers, so that the count of issues
// between two draws is a difference.
//
// A date-numbered game: the draw s (1-N) of the calendar day with Julian day number j is
// j * N + s - 1, so the issue after the day's last is the next day's 001. An issue with sequence 0,
// a sequence above N or digits that name no calendar day has no place on the line.
//
// A year-numbered game: the draw s of a year is year * 1000 + s - 1. How many draws a year has is
// not known in advance (pauses, the year's last draw), so the line runs on only within a year:
// the draws missing between two stored ones are those between them in the same year, or, in a
// later year, the sequences of that year before the later one.
//
// Consecutive issues mostly share their day; the last day looked up is kept, so a pass over a
// history converts each day once.
class IssueOrdinals
{
  public:
    explicit IssueOrdinals(const Game &game = Game::standard()) : m_game(game) {}

    const Game &game() const { return m_game; }
    std::optional<int64_t> ordinal(int32_t issue);
    // The Julian day number of an issue's date, whatever its sequence; nullopt for no calendar day
    // (and for every issue of a year-numbered game).
    std::optional<int64_t> julianDay(int32_t issue);

    // The first place missing after `before` up to `place`, when some is: the places from it to
    // place - 1 are missing.
    std::optional<int64_t> firstMissing(int64_t before, int64_t place) const;

    int32_t issueAt(int64_t ordinal) const;
    // Draw `sequence` of the day with the given Julian day number.
    int32_t issueOfDay(int64_t julianDay, int sequence) const;

    enum class Fault
    {
        None,
        Sequence,
        Date
    };
    // Why an issue cannot exist; a bad sequence is named before a bad date.
    Fault fault(int32_t issue);

  private:
    Game m_game;
    int32_t m_day = -1;
    std::optional<int64_t> m_julian;
};

} // namespace quorlent::trend
