#pragma once

#include "OutcomeStatistics.h"

#include <QString>
#include <cstdint>

// Texts about chance shared by the outcome chart, its line of statistics and the backtest.

// "p = 0.003", or "p < 0.001".
QString formatP(double p);
// A count or an expected count: whole numbers without decimals, else one decimal.
QString formatCount(double count);
// A share as a percentage: "10%", "12.5%".
QString formatShare(double share, int decimals = 0);

// The line under the outcome chart: hits, tallied values, expected share per outcome, the
// chi-squared statistic with its degrees of freedom and p-value, and a plain verdict; or, when the
// expected count is below 5, that the sample is too small for the test.
QString outcomeSummary(int64_t hits, const quorlent::OutcomeStatistics &stats);

// Why one small p-value among many searches proves little (the tooltip of that line).
QString chanceNote();
