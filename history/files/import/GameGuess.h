#pragma once

#include "Game.h"
#include "SourceText.h"
#include "TableLayout.h"

#include <QString>
#include <optional>
#include <vector>

namespace quorlent::import {

// Whether a file's draws can go into a history of some game, and why not when they cannot
// ("期号是 年份+三位序号，本历史库是 时时彩（每天 120 期）").
struct GameFit
{
    bool fits = false;
    QString reason;
};

// Which game a file's issues fit, read from the table's first rows: the form from how the issues
// are written, the draws a day from the sequence most whole days end with (a day with days before
// and after it in the file is whole) or, numbered by year, from the draws most dates of a date
// column have.
class GameGuess
{
  public:
    // How many rows with an issue are looked at.
    static constexpr int kSampleRows = 5000;

    static GameGuess of(const SourceText &source, const TableLayout &layout);

    // The form most of the issues are written in; nothing when no issue was read.
    std::optional<IssueForm> form() const { return m_form; }
    // The games to offer, best first: the presets of the form that fit, then a schedule of the
    // form's own when none of them has it (e.g. 288 a day), then presets of the other year form.
    // Empty when no issue was read.
    const std::vector<Game> &candidates() const { return m_candidates; }
    // Whether the file fits `game`, e.g. the game of the history it would go into.
    GameFit fit(const Game &game) const;

    // What the guess rests on: the largest sequence seen, and the draws of a whole day (0 when
    // the file shows none).
    int largestSequence() const { return m_largestSequence; }
    int drawsOfWholeDay() const { return m_drawsOfWholeDay; }

  private:
    bool formFits(const Game &game) const;
    bool scheduleFits(const Game &game) const { return fit(game).fits; }
    void offer();

    std::optional<IssueForm> m_form;
    std::vector<Game> m_candidates;
    int m_largestSequence = 0;
    int32_t m_largestIssue = 0;
    int m_drawsOfWholeDay = 0;
};

} // namespace quorlent::import
