#include "Backtest.h"
#include "Game.h"
#include "NaiveBacktest.h"
#include "TestHistory.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace quorlent;
using namespace quorlent::testing;

namespace {

// The original game: these draws are numbered by its issues.
constexpr Game kGame = Game::standard();

int pick(std::mt19937 &rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

std::string describe(const BacktestRequest &b)
{
    const SearchRequest &r = b.request;
    std::ostringstream os;
    os << (b.search == BacktestRequest::Search::Follow ? "follow" : "combination")
       << (r.freePositions ? " free" : " fixed") << (r.previousDraw ? " previous" : " N=")
       << (r.previousDraw ? "" : std::to_string(r.earlierDistance)) << " kind=" << int(r.kind)
       << (b.typedReference ? " typed=" : " automatic");
    for (int p = 0; p < kPositions; ++p)
        os << (b.typedReference ? std::to_string(r.reference[p]) : "")
           << (r.selected[p] ? "*" : ".");
    os << " k=" << r.combinationWidth << " range=" << r.rangeStart.toStdString() << ".."
       << r.rangeEnd.toStdString() << (b.tally.groupSelection ? " group " : " direct ")
       << b.tally.position << " result=" << int(b.tally.resultKind)
       << " base=" << b.tally.segmentBase;
    return os.str();
}

// Case c of the mode grid: the five two-way choices run through all 32 combinations, and the
// search kind with the result kind through all 16 pairs; the rest is random.
BacktestRequest gridCase(int c, std::mt19937 &rng, const std::vector<HistoryRow> &rows)
{
    const int bits = (c * 37) % 32;
    BacktestRequest b;
    b.search = bits & 1 ? BacktestRequest::Search::Combination : BacktestRequest::Search::Follow;
    b.request.freePositions = bits & 2;
    b.request.previousDraw = bits & 4;
    b.tally.groupSelection = bits & 8;
    b.typedReference = bits & 16;
    b.request.kind = static_cast<Kind>(c % 4);
    b.tally.resultKind = static_cast<Kind>(c / 4 % 4);

    b.request.earlierDistance = pick(rng, 0, 12) == 0 ? 0 : pick(rng, 1, 9);
    b.request.combinationWidth = pick(rng, 0, 12) == 0 ? 6 : pick(rng, 1, 5);
    b.tally.position = pick(rng, 1, 5);
    b.tally.segmentBase = pick(rng, 0, 1);
    const PositionValues &typed = rows[static_cast<size_t>(pick(rng, 0, 1999))].own[b.request.kind];
    for (int p = 0; p < kPositions; ++p) {
        b.request.selected[p] = pick(rng, 0, 2) == 0;
        b.request.reference[p] =
            pick(rng, 0, 15) == 0 ? 7 : typed[p]; // 7: outside 大小, 单双, 段数
    }
    const size_t from = pick(rng, 0, 1) ? 0 : static_cast<size_t>(pick(rng, 0, 1500));
    const size_t to =
        pick(rng, 0, 1) ? rows.size() - 1 : from + static_cast<size_t>(pick(rng, 0, 400));
    b.request.rangeStart = kGame.displayForm(rows[from].sqqh);
    b.request.rangeEnd = kGame.displayForm(rows[std::min(to, rows.size() - 1)].sqqh);
    return b;
}

} // namespace

// The counting backtest against the real searches run before every draw, on random histories of
// 2,000 draws as the writers leave them (restarts, gaps, segment bases changing).
TEST(BacktestTest, AgreesWithTheSearchesRunBeforeEveryDraw)
{
    std::mt19937 rng(20160908u);
    int64_t scored = 0;
    for (int c = 0; c < 32; ++c) {
        const std::vector<HistoryRow> rows = rowsOf(randomRecords(rng, 2000));
        const BacktestRequest request = gridCase(c, rng, rows);
        const BacktestResult fast = runBacktest(rows, request);
        const BacktestResult slow = naiveBacktest(rows, request);
        SCOPED_TRACE(describe(request));
        ASSERT_TRUE(fast.rangeValid);
        EXPECT_EQ(fast.rangeDraws, slow.rangeDraws);
        EXPECT_EQ(fast.unmatchedDraws, slow.unmatchedDraws);
        EXPECT_EQ(fast.skippedDraws, slow.skippedDraws);
        ASSERT_EQ(fast.steps.size(), slow.steps.size());
        for (size_t i = 0; i < fast.steps.size(); ++i)
            ASSERT_EQ(fast.steps[i], slow.steps[i]) << "scored draw " << i;
        scored += fast.scoredDraws();
    }
    EXPECT_GT(scored, 10000) << "the cases score draws, not just skip them";
}

TEST(BacktestTest, StopsWhenCancelledAndReportsProgress)
{
    std::mt19937 rng(7);
    const std::vector<HistoryRow> rows = rowsOf(randomRecords(rng, 20000));
    BacktestRequest request;
    request.request = wholeHistory();
    request.request.selected = {true, false, false, false, false};

    std::atomic<bool> cancel{false};
    int64_t lastDone = -1;
    BacktestControl control{&cancel, [&](int64_t done, int64_t total) {
                                EXPECT_EQ(total, 20000);
                                EXPECT_GT(done, lastDone);
                                lastDone = done;
                                if (done >= 8192)
                                    cancel = true;
                            }};
    const BacktestResult stopped = runBacktest(rows, request, control);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(stopped.rangeDraws, 3 * 4096) << "stopped at the first check after the request";
    const BacktestResult whole = runBacktest(rows, request);
    EXPECT_FALSE(whole.cancelled);
    EXPECT_EQ(whole.rangeDraws, 20000);
    EXPECT_EQ(
        std::vector<BacktestStep>(whole.steps.begin(), whole.steps.begin() + stopped.scoredDraws()),
        stopped.steps);
}
