#include "Significance.h"

#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>

#include <algorithm>
#include <cmath>

namespace quorlent::significance {

double chanceShare(Kind kind)
{
    switch (kind) {
    case Kind::Number:
        return 0.1;
    case Kind::BigSmall:
    case Kind::OddEven:
        return 0.5;
    case Kind::Segment:
        return 0.2; // digit pairs 0-1, 2-3, ..., 8-9
    }
    return 0.1;
}

double chiSquaredUpperTail(double statistic, int degreesOfFreedom)
{
    if (!(statistic > 0))
        return 1.0;
    const boost::math::chi_squared_distribution<double> distribution(std::max(1, degreesOfFreedom));
    return boost::math::cdf(boost::math::complement(distribution, statistic));
}

double binomialTwoSided(int64_t successes, int64_t trials, double p)
{
    if (trials <= 0 || successes < 0 || successes > trials)
        return 1.0;
    const auto n = static_cast<double>(trials);
    const auto x = static_cast<double>(successes);
    const boost::math::binomial_distribution<double> distribution(n, p);
    using boost::math::cdf;
    using boost::math::complement;
    using boost::math::pdf;

    // The probability mass falls away on both sides of the mean, so the counts on the far side
    // that are no more likely than the observed one form a tail; find where it starts by
    // bisection instead of summing half a million terms.
    const double bound = pdf(distribution, x) * (1 + 1e-7);
    const double mean = n * p;
    if (x == mean)
        return 1.0;
    double pValue = 0;
    if (x < mean) {
        // First y >= ceil(mean) with pdf(y) <= bound, or n + 1 when there is none.
        auto low = static_cast<int64_t>(std::ceil(mean));
        int64_t high = trials + 1;
        while (low < high) {
            const int64_t mid = low + (high - low) / 2;
            if (pdf(distribution, static_cast<double>(mid)) <= bound)
                high = mid;
            else
                low = mid + 1;
        }
        pValue = cdf(distribution, x);
        if (low <= trials)
            pValue += cdf(complement(distribution, static_cast<double>(low - 1))); // low >= 1
    } else {
        // Last y <= floor(mean) with pdf(y) <= bound, or -1 when there is none.
        int64_t low = -1;
        auto high = static_cast<int64_t>(std::floor(mean));
        while (low < high) {
            const int64_t mid = high - (high - low) / 2;
            if (pdf(distribution, static_cast<double>(mid)) <= bound)
                low = mid;
            else
                high = mid - 1;
        }
        pValue = cdf(complement(distribution, x - 1));
        if (low >= 0)
            pValue += cdf(distribution, static_cast<double>(low));
    }
    return std::min(1.0, pValue);
}

Interval wilsonInterval(int64_t successes, int64_t trials, double confidence)
{
    if (trials <= 0)
        return {0.0, 1.0};
    const boost::math::normal_distribution<double> normal;
    const double z = boost::math::quantile(normal, 1 - (1 - confidence) / 2);
    const auto n = static_cast<double>(trials);
    const double share = static_cast<double>(successes) / n;
    const double z2 = z * z;
    const double centre = (share + z2 / (2 * n)) / (1 + z2 / n);
    const double half = z / (1 + z2 / n) * std::sqrt(share * (1 - share) / n + z2 / (4 * n * n));
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

} // namespace quorlent::significance
