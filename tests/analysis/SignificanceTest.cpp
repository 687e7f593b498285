#include "Significance.h"
#include "OutcomeStatistics.h"
#include "TestHistory.h"

#include <boost/math/distributions/binomial.hpp>
#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::significance;

TEST(SignificanceTest, KnownValues)
{
    // The 5 % point of chi-squared with 9 degrees of freedom, from the tables.
    EXPECT_NEAR(chiSquaredUpperTail(16.919, 9), 0.05, 5e-5);
    EXPECT_DOUBLE_EQ(chiSquaredUpperTail(0, 9), 1.0);

    // 9 heads in 10 fair tosses: P(X >= 9) = (10 + 1) / 1024, and as many on the other side.
    EXPECT_NEAR(binomialTwoSided(9, 10, 0.5), 22.0 / 1024, 1e-12);
    EXPECT_DOUBLE_EQ(binomialTwoSided(5, 10, 0.5), 1.0);
    // 2 of 4 at p = 0.1: P(0) = 0.9^4 = 0.6561 and P(1) = 4 * 0.1 * 0.9^3 = 0.2916 are both more
    // likely than P(2) = 0.0486, so p = 1 - 0.6561 - 0.2916 = 0.0523.
    EXPECT_NEAR(binomialTwoSided(2, 4, 0.1), 0.0523, 1e-12);
    EXPECT_DOUBLE_EQ(binomialTwoSided(0, 4, 0.1), 1.0);

    // Wilson, 5 of 10: centre 0.5, half-width z sqrt(0.025 + z^2 / 400) / (1 + z^2 / 10).
    EXPECT_NEAR(wilsonInterval(5, 10).low, 0.2366, 1e-4);
    EXPECT_NEAR(wilsonInterval(5, 10).high, 0.7634, 1e-4);
    // 0 of 10: from 0 to z^2 / (10 + z^2).
    EXPECT_DOUBLE_EQ(wilsonInterval(0, 10).low, 0.0);
    EXPECT_NEAR(wilsonInterval(0, 10).high, 0.2775, 1e-4);
}

// The tail search against the definition: the sum of the probabilities of every count no more
// likely than the observed one.
TEST(SignificanceTest, TwoSidedBinomialIsTheSumOfTheLessLikelyCounts)
{
    for (const auto &[n, p] : {std::pair{200, 0.1}, {201, 0.5}, {57, 0.2}, {1, 0.5}}) {
        const boost::math::binomial_distribution<double> d(n, p);
        for (int x = 0; x <= n; ++x) {
            const double bound = pdf(d, x) * (1 + 1e-7);
            double sum = 0;
            for (int y = 0; y <= n; ++y)
                sum += pdf(d, y) <= bound ? pdf(d, y) : 0;
            EXPECT_NEAR(binomialTwoSided(x, n, p), std::min(1.0, sum), 1e-9) << n << " " << x;
        }
    }
}

TEST(SignificanceTest, OutcomeStatisticsOfATally)
{
    // 大小 at position 1 over 40 draws: 30 small (digit 1), 10 big (digit 8).
    std::vector<Digits> draws(30, Digits{1, 0, 0, 0, 0});
    draws.insert(draws.end(), 10, Digits{8, 0, 0, 0, 0});
    DrawRun run;
    std::vector<HistoryRow> rows;
    std::vector<uint32_t> all;
    for (const Digits &d : draws) {
        all.push_back(static_cast<uint32_t>(rows.size()));
        rows.push_back(HistoryRow::fromRecord(run.append(160908001 + int(rows.size()), d, 1)));
    }
    const auto stats =
        OutcomeStatistics::of(Tally::count(rows, all, {false, 1, Kind::BigSmall, 1}));
    EXPECT_EQ(stats.counted, 40);
    EXPECT_DOUBLE_EQ(stats.expected, 20);
    EXPECT_DOUBLE_EQ(stats.chiSquared, 10); // (10² + 10²) / 20
    EXPECT_EQ(stats.degreesOfFreedom, 1);
    EXPECT_NEAR(stats.pValue, chiSquaredUpperTail(10, 1), 1e-15);
    EXPECT_TRUE(stats.testable());
    ASSERT_EQ(stats.outcomes.size(), 2u);
    EXPECT_DOUBLE_EQ(stats.outcomes[0].corrected, std::min(1.0, 2 * binomialTwoSided(30, 40, 0.5)));
    EXPECT_TRUE(stats.outcomes[0].significant() && stats.outcomes[1].significant());

    // 号码 of the same 40 draws: 4 expected per digit, too few for the chi-squared test.
    const auto numbers =
        OutcomeStatistics::of(Tally::count(rows, all, {false, 1, Kind::Number, 1}));
    EXPECT_DOUBLE_EQ(numbers.expected, 4);
    EXPECT_FALSE(numbers.testable());
    // 段数, base 1: five outcomes of 1/5; digits 0-1 are segment 1, 8-9 segment 5.
    const auto segments =
        OutcomeStatistics::of(Tally::count(rows, all, {true, 2, Kind::Segment, 1}));
    EXPECT_EQ(segments.counted, 80);
    EXPECT_DOUBLE_EQ(segments.expected, 16);
    EXPECT_EQ(segments.degreesOfFreedom, 4);
}
