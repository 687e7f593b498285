#include "OutcomeStatistics.h"

#include "Significance.h"

#include <algorithm>

namespace quorlent {

OutcomeStatistics OutcomeStatistics::of(const Tally &tally)
{
    OutcomeStatistics stats;
    stats.share = significance::chanceShare(tally.kind());
    for (const TallyEntry &entry : tally.byValue())
        stats.counted += entry.count;
    stats.expected = static_cast<double>(stats.counted) * stats.share;
    const auto outcomes = static_cast<int>(tally.byValue().size());
    stats.degreesOfFreedom = outcomes - 1;

    for (const TallyEntry &entry : tally.byValue()) {
        Outcome outcome;
        outcome.value = entry.value;
        outcome.count = entry.count;
        if (stats.counted > 0) {
            outcome.pValue =
                significance::binomialTwoSided(entry.count, stats.counted, stats.share);
            outcome.corrected = std::min(1.0, outcome.pValue * outcomes);
            const double gap = static_cast<double>(entry.count) - stats.expected;
            stats.chiSquared += gap * gap / stats.expected;
        }
        stats.outcomes.push_back(outcome);
    }
    if (stats.counted > 0)
        stats.pValue = significance::chiSquaredUpperTail(stats.chiSquared, stats.degreesOfFreedom);
    return stats;
}

} // namespace quorlent
