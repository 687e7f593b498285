#include "GameGuess.h"

#include "FieldValues.h"
#include "TableRows.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <map>

namespace quorlent::import {

namespace {

struct SampleRow
{
    QStringView issue;
    QStringView date;
    IssueForm form;
};

// The draws a day most whole days end with: a day with a draw or two missing at its end, or a
// mistyped sequence, does not decide it.
int mostCommon(const std::vector<int> &values)
{
    std::map<int, int> counts;
    for (const int v : values)
        ++counts[v];
    int best = 0;
    int bestCount = 0;
    for (const auto &[value, count] : counts) {
        if (count >= bestCount) {
            best = value;
            bestCount = count;
        }
    }
    return best;
}

} // namespace

GameGuess GameGuess::of(const SourceText &source, const TableLayout &layout)
{
    GameGuess guess;
    const int issueColumn = layout.column(ColumnRole::Issue);
    const int dateColumn = layout.column(ColumnRole::Date);
    if (issueColumn < 0)
        return guess;

    std::vector<SampleRow> sample;
    std::array<int, 4> forms{};
    TableRows rows(source, layout);
    while (sample.size() < size_t(kSampleRows) && rows.next()) {
        const QStringView issue = bareIssue(rows.field(issueColumn));
        if (const std::optional<IssueForm> form = Game::formOfText(issue)) {
            ++forms[static_cast<size_t>(*form)];
            sample.push_back({issue, rows.field(dateColumn), *form});
        }
    }
    if (sample.empty())
        return guess;
    const IssueForm form =
        static_cast<IssueForm>(std::max_element(forms.begin(), forms.end()) - forms.begin());
    guess.m_form = form;

    const Game wide = widestGame(form);
    QDate runDay;
    int runLast = 0;
    std::vector<int> dayEnds;
    QHash<int32_t, int> onADate;
    for (const SampleRow &row : sample) {
        if (row.form != form)
            continue;
        const std::optional<int32_t> issue = wide.parse(row.issue);
        if (!issue || !wide.exists(*issue))
            continue;
        const int sequence = wide.sequence(*issue);
        if (sequence > guess.m_largestSequence) {
            guess.m_largestSequence = sequence;
            guess.m_largestIssue = *issue;
        }
        if (wide.numbersByYear()) {
            const int32_t date = Game::dateNumber(readDate(row.date));
            if (date != 0)
                ++onADate[date];
            continue;
        }
        const QDate day = wide.dateOf(*issue);
        if (day != runDay) {
            if (runDay.isValid())
                dayEnds.push_back(runLast);
            runDay = day;
            runLast = 0;
        }
        runLast = std::max(runLast, sequence);
    }
    // The first and the last day of the file may be cut short; the days between are whole.
    if (dayEnds.size() >= 2)
        guess.m_drawsOfWholeDay = mostCommon(std::vector<int>(dayEnds.begin() + 1, dayEnds.end()));
    // Numbered by year, the dates of a date column are counted: the first and the last may be
    // cut short, a date given twice by mistake is outnumbered.
    if (!onADate.isEmpty())
        guess.m_drawsOfWholeDay = mostCommon(std::vector<int>(onADate.begin(), onADate.end()));
    guess.offer();
    return guess;
}

void GameGuess::offer()
{
    const auto add = [&](const Game &game) {
        if (std::find(m_candidates.begin(), m_candidates.end(), game) == m_candidates.end())
            m_candidates.push_back(game);
    };
    const std::vector<Game> presets = Game::presets();
    for (const Game &preset : presets) {
        if (preset.form() == *m_form && scheduleFits(preset))
            add(preset);
    }
    const Game wide = widestGame(*m_form);
    const int drawsPerDay = m_drawsOfWholeDay > 0  ? m_drawsOfWholeDay
                            : wide.numbersByYear() ? 1
                                                   : m_largestSequence;
    const std::optional<Game> own = Game::make(std::min(drawsPerDay, wide.drawsPerDay()), *m_form);
    if (own && m_candidates.empty())
        add(*own);
    for (const Game &preset : presets) {
        if (preset.form() != *m_form && scheduleFits(preset))
            add(preset);
    }
}

bool GameGuess::formFits(const Game &game) const
{
    // The two year forms store the same issue: a file of either reads into a game of the other.
    return game.form() == *m_form || (game.numbersByYear() && widestGame(*m_form).numbersByYear());
}

GameFit GameGuess::fit(const Game &game) const
{
    if (!m_form)
        return {false, QStringLiteral("文件中没有读得出的期号")};
    if (!formFits(game))
        return {false, QStringLiteral("期号是 %1，本历史库是 %2")
                           .arg(Game::formName(*m_form), game.scheduleName())};
    // Whole days say the schedule; a mistyped sequence is then the fault of its row alone.
    if (m_drawsOfWholeDay > 0 && m_drawsOfWholeDay != game.drawsPerDay())
        return {false, QStringLiteral("文件每天 %1 期，本历史库是 %2")
                           .arg(m_drawsOfWholeDay)
                           .arg(game.scheduleName())};
    if (m_drawsOfWholeDay == 0 && m_largestIssue != 0 && !game.exists(m_largestIssue))
        return {false, game.whyNotExists(m_largestIssue)};
    return {true, {}};
}

} // namespace quorlent::import
