#pragma once

#include "DrawRecord.h"
#include "Game.h"
#include "HistoryRow.h"

#include <QString>

#include <initializer_list>
#include <random>
#include <vector>

namespace quorlent::plantest {

// Consecutive draws of the original game from 20160908001, as the writers store them.
inline std::vector<HistoryRow> planRows(const std::vector<Digits> &draws)
{
    DrawRun run;
    std::vector<HistoryRow> rows;
    int32_t issue = 160908001;
    for (const Digits &d : draws) {
        rows.push_back(HistoryRow::fromRecord(run.append(issue, d, 1)));
        issue = Game::standard().next(issue, {});
    }
    return rows;
}

inline std::vector<HistoryRow> randomPlanRows(std::mt19937 &rng, int count)
{
    std::uniform_int_distribution<int> digit(0, 9);
    std::vector<Digits> draws(static_cast<size_t>(count));
    for (Digits &d : draws) {
        for (uint8_t &x : d)
            x = uint8_t(digit(rng));
    }
    return planRows(draws);
}

inline QString issueText(const HistoryRow &row)
{
    return Game::standard().displayForm(row.sqqh);
}

} // namespace quorlent::plantest
