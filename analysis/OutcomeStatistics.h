#pragma once

#include "Tally.h"

#include <cstdint>
#include <vector>

namespace quorlent {

// How far the tally of one search lies from chance (every digit equally likely at each
// position). Only the values that have an outcome row count here; the tally's total may hold more.
struct OutcomeStatistics
{
    // The largest p-value, after multiplying by the number of outcomes, that sets an outcome apart.
    static constexpr double kLevel = 0.05;
    // Below this expected count per outcome the chi-squared test is not trusted.
    static constexpr double kSmallestExpected = 5.0;

    struct Outcome
    {
        int value = 0;
        int64_t count = 0;
        double pValue = 1;    // two-sided exact binomial test of this count alone
        double corrected = 1; // pValue × number of outcomes (Bonferroni), at most 1
        bool significant() const { return corrected < kLevel; }
    };

    std::vector<Outcome> outcomes; // ascending value, as Tally::byValue()
    int64_t counted = 0;           // tallied values that have an outcome row
    double share = 0;              // expected share of each outcome
    double expected = 0;           // counted × share, the same for every outcome
    double chiSquared = 0;
    int degreesOfFreedom = 0; // outcomes − 1
    double pValue = 1;        // of chiSquared; meaningful only when testable()

    // False without values, or when the expected count is below kSmallestExpected.
    bool testable() const { return counted > 0 && expected >= kSmallestExpected; }

    static OutcomeStatistics of(const Tally &tally);
};

} // namespace quorlent
