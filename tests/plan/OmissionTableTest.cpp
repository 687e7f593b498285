// The omission table counts as the trend chart's statistics rows do.

#include "OmissionTable.h"
#include "PlanTestHistory.h"
#include "Play.h"
#include "TrendSeries.h"

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::plan;

namespace {

TEST(OmissionTable, DigitsAgreeWithTheTrendChartAndCodesWithAPlainCount)
{
    std::mt19937 rng(11);
    const std::vector<HistoryRow> rows = plantest::randomPlanRows(rng, 2500);
    trend::TrendSeries series(rows, 0);
    series.rebuild();
    const std::pair<size_t, size_t> windows[] = {{0, 2500}, {2400, 2500}, {1000, 1030}, {7, 7}};
    for (const auto &[begin, end] : windows) {
        for (trend::StatsOrigin origin :
             {trend::StatsOrigin::WindowStart, trend::StatsOrigin::Carried}) {
            SCOPED_TRACE(std::to_string(begin) + "-" + std::to_string(end));
            const std::vector<OmissionRow> table = omissionTable(rows, begin, end, origin);
            const trend::TrendStatistics trend = trend::statisticsOf(series, {begin, end}, origin);
            ASSERT_EQ(table.size(), size_t(kPositions * 14));
            for (const OmissionRow &row : table) {
                if (!row.attribute) {
                    EXPECT_EQ(row.stats,
                              trend[size_t(trend::positionColumn(row.position, row.value))]);
                    continue;
                }
                // A code: the draws since it last showed, from the origin, at every draw.
                const size_t first = origin == trend::StatsOrigin::Carried ? 0 : begin;
                int64_t occurrences = 0, omission = 0, longest = 0;
                for (size_t t = first; t < end; ++t) {
                    const bool shown =
                        hasAttribute(rows[t].digits()[size_t(row.position)], row.value);
                    omission = shown ? 0 : omission + 1;
                    if (t >= begin) {
                        occurrences += shown;
                        longest = std::max(longest, omission);
                    }
                }
                EXPECT_EQ(row.stats.occurrences, occurrences);
                EXPECT_EQ(row.stats.current, end > begin ? omission : 0);
                EXPECT_EQ(row.stats.maxOmission, longest);
                EXPECT_DOUBLE_EQ(row.stats.expected, double(end - begin) / 2);
                EXPECT_DOUBLE_EQ(row.tailChance, std::pow(0.5, double(row.stats.current)));
            }
        }
    }
}

} // namespace
