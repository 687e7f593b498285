// 长龙: the runs found against a plain scan, their chance against the chain worked step by step
// and against simulated histories.

#include "LongRuns.h"
#include "PlanTestHistory.h"
#include "RunChance.h"

#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::plan;

namespace {

TEST(LongRuns, CurrentAndLongestRunsOfEveryTrait)
{
    std::mt19937 rng(5);
    std::vector<HistoryRow> rows = plantest::randomPlanRows(rng, 3000);
    // End on a run of seven 大 at the 万位 that are also odd and prime: 5 7 5 7 …
    for (size_t i = rows.size() - 7; i < rows.size(); ++i)
        rows[i].own[Kind::Number][0] = uint8_t(i % 2 ? 5 : 7);
    const std::vector<LongRun> runs = longRuns(rows, 1);
    ASSERT_EQ(runs.size(), size_t(kPositions * 4 + 3)); // every trait has a run of at least 1
    for (const LongRun &run : runs) {
        SCOPED_TRACE(run.subjectName().toStdString() + run.traitName().toStdString());
        int64_t current = 0, longest = 0, here = 0;
        int previous = -1;
        for (const HistoryRow &row : rows) {
            const int v = traitValue(row.digits(), run.subject, run.trait);
            here = v == previous ? here + 1 : 1;
            previous = v;
            longest = std::max(longest, here);
        }
        current = here;
        EXPECT_EQ(run.length, current);
        EXPECT_EQ(run.longest, longest);
        EXPECT_EQ(run.value, traitValue(rows.back().digits(), run.subject, run.trait));
    }
    const std::vector<LongRun> listed = longRuns(rows, 7);
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(listed.front().subjectName(), QStringLiteral("万位"));
    EXPECT_EQ(listed.front().valueName(), QStringLiteral("大"));
    for (const LongRun &run : listed)
        EXPECT_GE(run.length, 7);
}

TEST(LongRuns, ChanceAgreesWithTheStepwiseChainAndWithSimulation)
{
    const std::vector<std::vector<double>> categories = {
        {0.5, 0.5},
        std::vector<double>(10, 0.1),
        traitChances(kSumSubject, RunTrait::PrimeComposite)};
    for (const auto &p : categories) {
        for (int64_t length : {2, 5, 9}) {
            for (int64_t draws : {1, 9, 200, 5000}) {
                EXPECT_NEAR(runChance(p, length, draws), runChanceStepwise(p, length, draws), 1e-9)
                    << p.size() << " " << length << " " << draws;
            }
        }
    }
    // Histories of 200 draws drawn at random: how often a run of at least L turns up.
    std::mt19937 rng(77);
    for (const auto &p : categories) {
        std::discrete_distribution<int> pick(p.begin(), p.end());
        const int64_t length = p.size() == 10 ? 3 : 7;
        constexpr int kHistories = 20000;
        int seen = 0;
        for (int h = 0; h < kHistories; ++h) {
            int64_t run = 0;
            int previous = -1;
            bool found = false;
            for (int i = 0; i < 200 && !found; ++i) {
                const int v = pick(rng);
                run = v == previous ? run + 1 : 1;
                previous = v;
                found = run >= length;
            }
            seen += found;
        }
        const double exact = runChance(p, length, 200);
        const double sd = std::sqrt(exact * (1 - exact) / kHistories);
        EXPECT_NEAR(double(seen) / kHistories, exact, 4.5 * sd) << p.size();
    }
}

} // namespace
