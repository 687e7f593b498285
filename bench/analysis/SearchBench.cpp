// Times both searches end to end in memory against the same searches run as table statements,
// on random histories of 1,920 (16 days), 32,767 and 500,000 draws (about twelve years).
//
//   bench_analysis [draws ...]      default: 1920 32767 500000
//
// Then the in-memory runs alone on a game of 96 draws a day at the largest size and on a daily
// game numbered by year at as many draws as its years hold (about 36,000): the searches read the
// same rows whatever the game, so their figures should match the original game's.
//
// In-memory ("fast"): search, result phase, both grid models filled and the first screen of the
// hit list formed, Carcu written through HistoryDb::writeTally; the median of several runs.
// Statements ("literal"): the same search as the table statements, hit query and Carcu, on the
// same database file, once per mode from 10,000 draws on: at 500,000 draws they take seconds to
// more than a minute each.
// Every line also checks that both found the same hits and wrote the same Carcu.

#include "BenchSupport.h"
#include "Game.h"
#include "HistoryDb.h"
#include "HitListModel.h"
#include "LiteralSearch.h"
#include "ProcessMemory.h"
#include "SearchResult.h"
#include "TallyModel.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace quorlent;

namespace {

bool fastOnly = false; // --fast: the in-memory searches alone

using bench::millisecondsOf;
using Clock = std::chrono::steady_clock;

struct Mode
{
    const char *search;
    const char *label;
    bool combination;
    bool free;
    bool previous;
    int k;
};

const Mode kModes[] = {
    {"follow", "free, 上期", false, true, true, 0},
    {"follow", "free, 前3期", false, true, false, 0},
    {"follow", "fixed, 上期", false, false, true, 0},
    {"follow", "fixed, 前3期", false, false, false, 0},
    {"combination", "k=2 free", true, true, true, 2},
    {"combination", "k=2 fixed", true, false, true, 2},
    {"combination", "k=3 free", true, true, true, 3},
    {"combination", "k=3 fixed", true, false, true, 3},
};

struct FastRun
{
    std::vector<int32_t> hitIssues;
    std::vector<std::pair<int, int64_t>> carcu;
    double carcuMs = 0; // of which writing Carcu (a committed transaction)
};

// What the window's handler does after the busy pointer is up.
FastRun runInMemory(HistoryDb &db, const std::vector<HistoryRow> &rows, const Mode &mode,
                    const SearchRequest &request, const TallyOptions &options,
                    HitListModel &hitList, TallyModel &tally)
{
    const SearchResult result = mode.combination ? runCombinationSearch(rows, request, options)
                                                 : runFollowSearch(rows, request, options);
    hitList.setResult(rows, result);
    tally.setTally(result.tally);
    // What a view asks for when it first shows the hit list and the tally.
    const int lines = std::min(hitList.rowCount(), 40);
    for (int line = 0; line < lines; ++line) {
        for (int c = 0; c < hitList.columnCount(); ++c)
            hitList.data(hitList.index(line, c));
    }
    for (int line = 0; line < tally.rowCount(); ++line) {
        for (int c = 0; c < tally.columnCount(); ++c)
            tally.data(tally.index(line, c));
    }
    FastRun run;
    run.carcuMs = millisecondsOf([&] { db.writeTally(result.tally.carcuRows()); });

    run.hitIssues.reserve(result.hits.size());
    for (uint32_t hit : result.hits)
        run.hitIssues.push_back(rows[hit].sqqh);
    run.carcu = result.tally.carcuRows();
    return run;
}

// Left-aligned in `width` columns of a terminal, where a Chinese character takes two.
std::string padded(const std::string &text, int width)
{
    int shown = 0;
    for (unsigned char c : text) {
        if (c < 0x80)
            shown += 1;
        else if (c >= 0xE0) // lead byte of a three-byte character: CJK, two columns wide
            shown += 2;
    }
    return text + std::string(static_cast<size_t>(std::max(0, width - shown)), ' ');
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void benchSize(int draws, const Game &game = Game::standard())
{
    const bool literalToo = game.isStandard() && !fastOnly;
    QTemporaryDir dir;
    auto opened = HistoryDb::openOrCreate(dir.filePath(QStringLiteral("Varnibo.mdb")));
    if (!opened.db) {
        std::printf("cannot create the database: %s\n", qPrintable(opened.message));
        return;
    }
    HistoryDb &db = *opened.db;
    std::vector<HistoryRow> rows;
    const double setup = millisecondsOf([&] {
        db.append(bench::randomRecords(draws, 20160908u + static_cast<unsigned>(draws), 0, game));
        rows = db.loadRows();
    });
    std::printf("\n%s, %d draws (database written and loaded in %.1f s)\n",
                qUtf8Printable(game.scheduleName()), draws, setup / 1000.0);
    std::printf("%-12s %-13s %8s %9s %9s %12s %9s  %s\n", "search", "mode", "hits", "fast ms",
                "(Carcu)", "literal ms", "speed-up", "same result");

    SearchRequest request;
    request.rangeStart = game.displayForm(rows.front().sqqh);
    request.rangeEnd = game.displayForm(rows.back().sqqh);
    request.game = game;
    request.kind = Kind::Number;
    request.earlierDistance = 3;
    // The newest draw is the reference, as the window sets it; the follow search uses the
    // first three positions.
    for (int p = 0; p < kPositions; ++p)
        request.reference[p] = rows.back().own[Kind::Number][p];
    request.selected = {true, true, true, false, false};
    const TallyOptions options{true, 5, Kind::Number, 1};

    HitListModel hitList;
    TallyModel tally;
    // The statements get their cheapest setting: one transaction per search and a page cache
    // that holds the whole table, so no statement waits for the disk. Committing each statement
    // on its own, as typed, costs them several times more; the speed-ups are lower bounds.
    literal::LiteralSearch statements(db.sql());
    statements.setOneTransaction(true);
    db.sql().exec("PRAGMA cache_size=-1000000");
    const int literalRuns = draws >= 10'000 ? 1 : 3;

    auto setMode = [&](const Mode &mode) {
        request.combinationWidth = mode.k;
        request.freePositions = mode.free;
        request.previousDraw = mode.previous;
    };

    // All in-memory runs first: the statements leave a hundred megabytes to be written back,
    // which would slow the Carcu commit that follows them.
    struct Timed
    {
        FastRun run;
        double ms = 0;
        double carcuMs = 0;
    };
    std::vector<Timed> fastRuns;
    for (const Mode &mode : kModes) {
        setMode(mode);
        Timed timed;
        std::vector<double> times, carcuTimes;
        const auto deadline = Clock::now() + std::chrono::milliseconds(400);
        while (times.size() < 5 || (times.size() < 21 && Clock::now() < deadline)) {
            times.push_back(millisecondsOf([&] {
                timed.run = runInMemory(db, rows, mode, request, options, hitList, tally);
            }));
            carcuTimes.push_back(timed.run.carcuMs);
        }
        timed.ms = median(times);
        timed.carcuMs = median(carcuTimes);
        fastRuns.push_back(std::move(timed));
    }

    for (size_t m = 0; m < std::size(kModes) && !literalToo; ++m) {
        const Timed &fast = fastRuns[m];
        std::printf("%-12s %s %8zu %9.1f %9.1f\n", kModes[m].search,
                    padded(kModes[m].label, 13).c_str(), fast.run.hitIssues.size(), fast.ms,
                    fast.carcuMs);
    }
    for (size_t m = 0; m < std::size(kModes) && literalToo; ++m) {
        const Mode &mode = kModes[m];
        setMode(mode);
        literal::Outcome slow;
        std::vector<double> literalTimes;
        for (int i = 0; i < literalRuns; ++i) {
            literalTimes.push_back(millisecondsOf([&] {
                slow = mode.combination ? statements.combination(request, options)
                                        : statements.follow(request, options);
            }));
        }
        const Timed &fast = fastRuns[m];
        const double literalMs = median(literalTimes);
        const bool same = fast.run.hitIssues == slow.hitIssues && fast.run.carcu == slow.carcu &&
                          slow.failedStatements == 0;
        std::printf("%-12s %s %8zu %9.1f %9.1f %12.0f %8.0fx  %s\n", mode.search,
                    padded(mode.label, 13).c_str(), fast.run.hitIssues.size(), fast.ms,
                    fast.carcuMs, literalMs, literalMs / fast.ms, same ? "yes" : "NO");
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char **argv)
{
    keepFreedMemory(); // as the program does
    QCoreApplication app(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--fast")
            fastOnly = true; // without the statements, which take minutes at full size
        else
            sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty())
        sizes = {1920, 32767, 500000};
    std::printf("Searches over the whole history; reference = the newest draw, kind 号码; the "
                "follow search on positions 1-3;\ntally 组选 of positions 1-5. fast = median of "
                "5-21 runs, (Carcu) = of which writing Carcu;\nliteral = median of 3 runs below "
                "10,000 draws, one run from 10,000 draws.\n");
    for (int draws : sizes) {
        if (draws > 0)
            benchSize(draws);
    }
    const int largest = *std::max_element(sizes.begin(), sizes.end());
    const Game daily = *Game::make(1, IssueForm::YearSequence4);
    benchSize(largest, *Game::make(96, IssueForm::DateSequence2));
    benchSize(bench::drawsFor(daily, largest), daily);
    return 0;
}
