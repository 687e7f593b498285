#pragma once

// What the benchmarks share: a clock for one piece of work and random histories.

#include "DrawRecord.h"
#include "Issue.h"

#include <chrono>
#include <functional>
#include <random>
#include <vector>

namespace quorlent::bench {

inline double millisecondsOf(const std::function<void()> &work)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// `draws` draws of uniform random digits, one after another from 2005-01-01's first draw, across
// day ends, each with the codes of the draws before it. With `missingOneIn` above 0, about one
// issue in that many is left out, as a history with gaps.
inline std::vector<DrawRecord> randomRecords(int draws, unsigned seed, int missingOneIn = 0)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> digit(0, 9);
    DrawRun run;
    std::vector<DrawRecord> records;
    records.reserve(static_cast<size_t>(draws));
    int32_t sqqh = 50101001;
    for (int i = 0; i < draws; ++i) {
        Digits digits{};
        for (uint8_t &d : digits)
            d = static_cast<uint8_t>(digit(rng));
        records.push_back(run.append(sqqh, digits, 1));
        sqqh = issue::next(sqqh);
        if (missingOneIn > 0 && std::uniform_int_distribution<int>(1, missingOneIn)(rng) == 1)
            sqqh = issue::next(sqqh);
    }
    return records;
}

} // namespace quorlent::bench
