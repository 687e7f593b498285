#pragma once

#include "DrawCodes.h"

#include <cstdint>

namespace quorlent {

// The chance model the outcome chart and the backtest measure against: every digit 0..9 equally
// likely at each position, independently of the others and of earlier draws. The distributions
// come from Boost.Math.
namespace significance {

// The share of each outcome of a result kind: 号码 1/10, 大小 and 单双 1/2, 段数 1/5.
double chanceShare(Kind kind);

// P(X >= statistic) for X chi-squared with `degreesOfFreedom` (at least 1).
double chiSquaredUpperTail(double statistic, int degreesOfFreedom);

// The two-sided exact binomial test of `successes` out of `trials` against the success
// probability `p`: the probability, under that p, of every count no more likely than the one
// observed (the usual definition, with a relative tolerance of 1e-7 for ties). 1 without trials.
double binomialTwoSided(int64_t successes, int64_t trials, double p);

struct Interval
{
    double low = 0;
    double high = 0;
};

// The Wilson score interval of a proportion at the given confidence; [0, 1] without trials.
Interval wilsonInterval(int64_t successes, int64_t trials, double confidence = 0.95);

} // namespace significance
} // namespace quorlent
