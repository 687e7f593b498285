#pragma once

#include "Backtest.h"

namespace quorlent::testing {

// The backtest as its definition reads, with the real searches: before every draw t of the range
// the search (follow or combination) runs with t's reference over the range cut off before t,
// and its tally grid's first row is the prediction. Whether t's compared draw matches a typed
// pattern is asked of the search too (a range of t alone), and the baseline is the follow search
// with no position selected (every draw of the range before t). Quadratic in the range.
BacktestResult naiveBacktest(const std::vector<HistoryRow> &rows, const BacktestRequest &request);

} // namespace quorlent::testing
