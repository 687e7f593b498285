#pragma once

#include "ConditionSet.h"
#include "HistoryRow.h"

#include <functional>
#include <random>
#include <vector>

namespace quorlent::filter::testing {

// What a number is judged against at draw t, worked out the slow way from draws 0 … t-1: every
// omission by walking back through the draws, and the previous draw's part.
struct Before
{
    std::array<std::array<int64_t, 10>, 5> atPosition{}; // by draw position
    std::array<int64_t, 10> inPart{};
    std::vector<int> previous; // empty before the first draw
};

Before beforeDraw(const std::vector<HistoryRow> &rows, size_t t, FilterPart part);
// The part's digits of a number or of a draw.
std::vector<int> digitsOf(uint32_t value, FilterPart part);

// A condition as the engine gets it, and the rule it stands for checked by hand.
struct NaiveCondition
{
    Condition condition;
    std::function<bool(const std::vector<int> &digits, const Before &before)> passes;
};

// A condition of `kind` with random parameters, valid for the part and selection, its value
// lists written in the various ways a user might.
NaiveCondition randomCondition(ConditionKind kind, FilterPart part, Selection selection,
                               std::mt19937 &rng);

std::vector<HistoryRow> randomRows(size_t draws, std::mt19937 &rng);

} // namespace quorlent::filter::testing
