// Times the backtest over the whole range and the outcome chart after a search.
//
//   bench_stats [draws]      default: 500000
//
// Backtest: the automatic tab (a new reference pattern before every draw), for the follow search
// in several modes and the combination search for every k, on random draws; the slowest of
// each search is the figure to hold against its target (follow 3 s, combination 10 s). The
// naive backtest, which runs the real search before every draw, is timed at 2,000 and 8,000
// draws (each line checks that both agree) and, as it grows with the square of the range,
// scaled to the full size.
// Outcome chart: a search on the history, then the chart given its tally and painted into a
// pixmap; the median of several runs.

#include "Backtest.h"
#include "BenchSupport.h"
#include "Game.h"
#include "HeadlessApp.h"
#include "NaiveBacktest.h"
#include "OutcomeChartView.h"
#include "SearchResult.h"

#include <QApplication>
#include <QPixmap>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace quorlent;

namespace {

// The original game: these draws are numbered by its issues.
constexpr Game kGame = Game::standard();

using bench::millisecondsOf;

std::vector<HistoryRow> randomHistory(int draws, unsigned seed)
{
    std::vector<HistoryRow> rows;
    for (const DrawRecord &record : bench::randomRecords(draws, seed))
        rows.push_back(HistoryRow::fromRecord(record));
    return rows;
}

struct Mode
{
    std::string name;
    BacktestRequest request;
};

std::vector<Mode> modes(const std::vector<HistoryRow> &rows)
{
    BacktestRequest base;
    base.request.rangeStart = kGame.displayForm(rows.front().sqqh);
    base.request.rangeEnd = kGame.displayForm(rows.back().sqqh);
    base.tally = {true, 5, Kind::Number, 1}; // 组选 over five positions: the most trials
    std::vector<Mode> list;
    auto follow = [&](const char *name, bool free, bool previous, Kind kind,
                      std::array<bool, kPositions> selected) {
        BacktestRequest b = base;
        b.request.freePositions = free;
        b.request.previousDraw = previous;
        b.request.earlierDistance = 3;
        b.request.kind = kind;
        b.request.selected = selected;
        list.push_back({name, b});
    };
    follow("follow  fixed 上期 号码 positions 1-2", false, true, Kind::Number, {1, 1, 0, 0, 0});
    follow("follow  fixed 前3期 号码 all five", false, false, Kind::Number, {1, 1, 1, 1, 1});
    follow("follow  free  上期 号码 positions 1-3", true, true, Kind::Number, {1, 1, 1, 0, 0});
    follow("follow  free  前3期 段数 all five", true, false, Kind::Segment, {1, 1, 1, 1, 1});
    follow("follow  free  上期 大小 positions 1-4", true, true, Kind::BigSmall, {1, 1, 1, 1, 0});
    for (bool free : {false, true}) {
        for (int k = 1; k <= 5; ++k) {
            BacktestRequest b = base;
            b.search = BacktestRequest::Search::Combination;
            b.request.freePositions = free;
            b.request.combinationWidth = k;
            list.push_back({std::string("combination ") + (free ? "free " : "fixed") +
                                " 上期 号码 k=" + std::to_string(k),
                            b});
        }
    }
    return list;
}

void timeBacktests(const std::vector<HistoryRow> &rows)
{
    std::printf("Backtest over the whole range of %zu draws (automatic tab, 组选 第1~5位):\n",
                rows.size());
    double slowest[2] = {0, 0};
    for (const Mode &mode : modes(rows)) {
        BacktestResult result;
        const double ms = millisecondsOf([&] { result = runBacktest(rows, mode.request); });
        const bool follow = mode.request.search == BacktestRequest::Search::Follow;
        slowest[follow ? 0 : 1] = std::max(slowest[follow ? 0 : 1], ms);
        std::printf("  %-44s %8.0f ms   scored %7lld, hit rate %.4f (baseline %.4f)\n",
                    mode.name.c_str(), ms, static_cast<long long>(result.scoredDraws()),
                    double(result.hits()) / double(std::max<int64_t>(1, result.trials())),
                    double(result.baselineHits()) / double(std::max<int64_t>(1, result.trials())));
    }
    std::printf("  slowest follow search      %8.0f ms   (target 3000 ms)\n", slowest[0]);
    std::printf("  slowest combination search %8.0f ms   (target 10000 ms)\n\n", slowest[1]);
}

void timeNaive(int fullSize)
{
    std::printf("Naive backtest (the real search before every draw) against the counting one:\n");
    for (int draws : {2000, 8000}) {
        const std::vector<HistoryRow> rows = randomHistory(draws, 11);
        for (const Mode &mode : modes(rows)) {
            if (mode.name.find("positions 1-3") == std::string::npos &&
                mode.name.find("k=2") == std::string::npos)
                continue;
            BacktestResult fast;
            BacktestResult slow;
            const double fastMs = millisecondsOf([&] { fast = runBacktest(rows, mode.request); });
            const double slowMs =
                millisecondsOf([&] { slow = testing::naiveBacktest(rows, mode.request); });
            const double scale = double(fullSize) / draws;
            std::printf(
                "  %6d draws  %-44s counting %7.1f ms, naive %8.1f ms "
                "(~%.1f h at %d)  %s\n",
                draws, mode.name.c_str(), fastMs, slowMs, slowMs * scale * scale / 3.6e6, fullSize,
                fast.steps == slow.steps && fast.skippedDraws == slow.skippedDraws ? "same"
                                                                                   : "DIFFERENT");
        }
    }
    std::printf("\n");
}

void timeOutcomeChart(const std::vector<HistoryRow> &rows)
{
    SearchRequest request;
    request.rangeStart = kGame.displayForm(rows.front().sqqh);
    request.rangeEnd = kGame.displayForm(rows.back().sqqh);
    request.selected = {true, false, false, false, false};
    std::printf("Outcome chart after a search on %zu draws (set the tally, paint 480x260):\n",
                rows.size());
    OutcomeChartView view;
    view.resize(480, 260);
    view.show();
    QApplication::processEvents();
    for (Kind kind : kAllKinds) {
        const SearchResult result = runFollowSearch(rows, request, {false, 1, kind, 1});
        std::vector<double> times;
        for (int run = 0; run < 9; ++run) {
            times.push_back(millisecondsOf([&] {
                view.setTally(result.tally);
                QPixmap drawn = view.grab();
            }));
        }
        std::sort(times.begin(), times.end());
        std::printf(
            "  result kind %d: %6.2f ms median, %6.2f ms slowest (target 20 ms; %zu hits)\n",
            static_cast<int>(kind), times[times.size() / 2], times.back(), result.hits.size());
    }
}

} // namespace

int main(int argc, char **argv)
{
    bench::HeadlessApp app(argc, argv);
    const int draws = argc > 1 ? std::max(10, std::atoi(argv[1])) : 500000;
    const std::vector<HistoryRow> rows = randomHistory(draws, 20160908);
    timeBacktests(rows);
    timeNaive(draws);
    timeOutcomeChart(rows);
    return 0;
}
