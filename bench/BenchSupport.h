#pragma once

// What the benchmarks share: a clock for one piece of work and random histories.

#include "DrawRecord.h"
#include "Game.h"

#include <QElapsedTimer>

#include <chrono>
#include <cstdio>
#include <algorithm>
#include <functional>
#include <random>
#include <vector>

#include "ResidentMemory.h"

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <unistd.h>
#endif
#include <ctime>

namespace quorlent::bench {

// The time of a piece of work on the wall clock, and the processor time this process spent: on
// a shared machine the fairer figure.
struct Times
{
    double wallMs = 0;
    double cpuMs = 0;
};

inline double processCpuMs()
{
#ifdef Q_OS_UNIX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
#elif defined(Q_OS_WIN)
    // Kernel and user time, in units of 100 ns.
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    const auto ms = [](FILETIME t) {
        return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
#else
    return 0;
#endif
}

inline Times timesOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    const double cpuStart = processCpuMs();
    timer.start();
    work();
    return {double(timer.nsecsElapsed()) / 1e6, processCpuMs() - cpuStart};
}

// This thread's processor time: what a piece of work costs the thread that does it, whatever else
// the machine (or another thread) is busy with.
inline double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The median and the slowest of repeated timings.
struct Spread
{
    double median = 0;
    double worst = 0;
};

inline Spread spreadOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

// The peak memory of this process and the machine's load, under a benchmark's figures.
inline void printMachine()
{
    std::printf("\npeak memory %.0f MB\n", residentMemory().peakMb);
#ifdef Q_OS_UNIX
    double load[3] = {};
    if (getloadavg(load, 3) == 3)
        std::printf("load average %.2f (the machine has %d cores)\n", load[0],
                    int(sysconf(_SC_NPROCESSORS_ONLN)));
#endif
}

// One line of a file benchmark: the work, its wall and processor time, and the target.
inline void reportTimes(const char *what, Times times, const char *target, int width = 50)
{
    std::printf("%-*s %7.0f ms %7.0f ms   %s\n", width, what, times.wallMs, times.cpuMs, target);
    std::fflush(stdout);
}

inline double millisecondsOf(const std::function<void()> &work)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The most draws a history of `game` can hold at `wanted`: a game numbered by year runs out of
// years (2000-2099) long before half a million draws.
inline int drawsFor(const Game &game, int wanted)
{
    return game.numbersByYear() ? std::min(wanted, 99 * 365 * game.drawsPerDay()) : wanted;
}

// `draws` draws of uniform random digits, one after another from the first draw of 2005-01-01
// (of 2000-01-01 for a game numbered by year, each on its own day), across day and year ends,
// each with the codes of the draws before it. With `missingOneIn` above 0, about one issue in
// that many is left out, as a history with gaps.
inline std::vector<DrawRecord> randomRecords(int draws, unsigned seed, int missingOneIn = 0,
                                             const Game &game = Game::standard())
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> digit(0, 9);
    DrawRun run;
    std::vector<DrawRecord> records;
    records.reserve(static_cast<size_t>(draws));
    QDate day = game.numbersByYear() ? QDate(2000, 1, 1) : QDate(2005, 1, 1);
    int32_t sqqh = game.first(day);
    // A game numbered by year goes on to the next year after the year's last day.
    auto next = [&] {
        if (!game.numbersByYear())
            return game.next(sqqh, QDate());
        day = day.addDays(1);
        return day.dayOfYear() == 1 ? game.first(day) : sqqh + 1;
    };
    for (int i = 0; i < draws; ++i) {
        Digits digits{};
        for (uint8_t &d : digits)
            d = static_cast<uint8_t>(digit(rng));
        records.push_back(run.append(sqqh, digits, 1));
        if (game.numbersByYear())
            records.back().date = Game::dateNumber(day);
        sqqh = next();
        if (missingOneIn > 0 && std::uniform_int_distribution<int>(1, missingOneIn)(rng) == 1)
            sqqh = next();
    }
    return records;
}

} // namespace quorlent::bench
