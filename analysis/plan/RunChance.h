#pragma once

#include <cstdint>
#include <vector>

namespace quorlent::plan {

// The chance that a sequence of `draws` independent draws, each falling into category c with
// probability p[c], holds somewhere a run of at least `length` consecutive draws of the same
// category. Exact: a Markov chain over the category and the length of the run at the newest draw,
// with a state for "a run of `length` has been seen", taken `draws` steps by repeated squaring of
// its matrix or step by step, whichever is less work.
double runChance(const std::vector<double> &p, int64_t length, int64_t draws);

// The same, worked out step by step only; for checking the faster way.
double runChanceStepwise(const std::vector<double> &p, int64_t length, int64_t draws);

} // namespace quorlent::plan
