// Times 计划 on random draws: the ledger of a 缩水 plan and of a search plan over 全部 and over
// 近 1000 期, a change of play, multiplier or progression on a computed ledger to the model told
// and the rows in view read again, the ruin probability, the 长龙 list and the omission table.
//
//   bench_plan [draws]      default: 500000

#include "BenchSupport.h"
#include "Condition.h"
#include "LongRuns.h"
#include "OmissionTable.h"
#include "PlanLedgerModel.h"
#include "PlanRun.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace quorlent;
using namespace quorlent::plan;

namespace {

// Wall time and this thread's processor time: on a shared machine the second is the fairer.
struct Timing
{
    double wall = 0;
    double cpu = 0;
};

Timing timed(const std::function<void()> &work)
{
    const double cpu = bench::threadCpuMs();
    const double wall = bench::millisecondsOf(work);
    return {wall, bench::threadCpuMs() - cpu};
}

void line(const char *what, Timing t, const char *target)
{
    std::printf("%-62s %9.1f ms %9.1f ms   %s\n", what, t.wall, t.cpu, target);
    std::fflush(stdout);
}

// The medians of a few runs of the work.
Timing medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> walls, cpus;
    for (int i = 0; i < runs; ++i) {
        const Timing t = timed(work);
        walls.push_back(t.wall);
        cpus.push_back(t.cpu);
    }
    return {bench::spreadOf(walls).median, bench::spreadOf(cpus).median};
}

PlanDefinition schemePlan(bool dependent)
{
    PlanDefinition d = PlanDefinition::defaults(Game::standard());
    d.source = SourceKind::Scheme;
    using filter::ConditionKind;
    if (!dependent) {
        d.scheme.set.conditions = {filter::conditionOf(ConditionKind::Sum, "15-30"),
                                   filter::conditionOf(ConditionKind::Span, "5-9"),
                                   filter::conditionOf(ConditionKind::OddEven, "2:3, 3:2")};
        return d;
    }
    d.scheme.set.part = filter::FilterPart::FrontThree;
    filter::Condition cold = filter::conditionOf(ConditionKind::Cold, "0-1");
    cold.threshold = 10;
    d.scheme.set.conditions = {filter::conditionOf(ConditionKind::Sum, "8-19"),
                               filter::conditionOf(ConditionKind::Repeat, "0-1"), cold};
    d.play = QStringLiteral("front-three-direct");
    return d;
}

PlanDefinition searchPlan(bool combination)
{
    PlanDefinition d = PlanDefinition::defaults(Game::standard());
    d.source = SourceKind::Search;
    if (combination) {
        d.search.search = BacktestRequest::Search::Combination;
        d.search.request.combinationWidth = 2;
        d.search.request.freePositions = true;
    } else {
        d.search.request.selected = {false, false, false, true, true};
    }
    d.search.tally.position = 5;
    d.search.top = 3;
    d.play = QStringLiteral("position-5");
    return d;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int draws = argc > 1 ? std::atoi(argv[1]) : 500000;
    std::vector<HistoryRow> rows;
    rows.reserve(size_t(draws) + kRowHeadroom);
    for (const DrawRecord &r : bench::randomRecords(draws, 24))
        rows.push_back(HistoryRow::fromRecord(r));
    std::printf("history: %zu random draws\n\n%-62s %12s %12s   %s\n", rows.size(), "work", "wall",
                "thread cpu", "target");

    struct Case
    {
        const char *name;
        PlanDefinition plan;
        const char *targetAll;
    };
    const Case cases[] = {
        {"缩水 五星 (和值 跨度 单双比)", schemePlan(false), "<= 2000 ms"},
        {"缩水 前三 (和值 重号 冷号: numbers before each draw)", schemePlan(true), "<= 2000 ms"},
        {"跟随检索 (固定位 十位 个位, top 3 at 个位)", searchPlan(false), "<= 2000 ms"},
        {"组合检索 (自由位 k = 2, top 3 at 个位)", searchPlan(true), "<= 2000 ms"},
    };
    std::vector<std::pair<const Case *, PlanRun>> whole;
    for (const Case &c : cases) {
        std::printf("\n%s\n", c.name);
        for (const bool all : {true, false}) {
            PlanDefinition plan = c.plan;
            plan.range = all ? PlanRange::all() : PlanRange::latest(1000);
            PlanRun run;
            const Timing ms = timed([&] { run = runPlan(rows, Game::standard(), plan); });
            if (!run.ok()) {
                std::printf("  failed: %s\n",
                            qPrintable(run.errors.empty() ? run.failure : run.errors[0].text()));
                continue;
            }
            line(all ? "  ledger over 全部" : "  ledger over 近 1000 期", ms,
                 all ? c.targetAll : "<= 100 ms");
            const LedgerSummary &s = run.ledger->summary();
            std::printf("    %lld draws with bets, %lld won (%.2f%%, chance %.2f%%), %s\n",
                        (long long)s.betDraws, (long long)s.wins, s.hitRate * 100,
                        s.chanceHitRate * 100, qPrintable(s.verdict));
            if (all)
                whole.emplace_back(&c, std::move(run));
        }
    }

    std::printf(
        "\na change on a computed ledger over 全部 -> the model told, 40 rows read again\n");
    for (auto &[c, run] : whole) {
        Ledger &ledger = *run.ledger;
        PlanLedgerModel model;
        model.setLedger(&ledger, Game::standard());
        auto repaint = [&] {
            model.ledgerChanged();
            for (int r = model.rowCount() - 40; r < model.rowCount(); ++r) {
                for (int col = 0; col < PlanLedgerModel::ColumnCount; ++col)
                    model.data(model.index(r, col));
            }
        };
        const Play &other = *playById(c->plan.play == QStringLiteral("position-5")
                                          ? QStringLiteral("attribute-5")
                                          : QStringLiteral("front-two-direct"));
        const Play &own = *playById(c->plan.play);
        int flip = 0;
        std::printf("  %s\n", c->name);
        line("    play changed (back and forth)",
             medianMs(9,
                      [&] {
                          ledger.setPlay(flip++ % 2 ? own : other, c->plan.prizes);
                          repaint();
                      }),
             "<= 16 ms");
        // The two plays above are kept priced; every other play is priced when first chosen.
        std::vector<double> firstWalls, firstCpus;
        const char *slowest = "";
        for (const Play &play : plays()) {
            if (&play == &own || &play == &other)
                continue;
            bool fits = true;
            const Timing t = timed([&] {
                fits = !ledger.setPlay(play, c->plan.prizes);
                if (fits)
                    repaint();
            });
            if (!fits)
                continue;
            if (firstWalls.empty() ||
                t.wall > *std::max_element(firstWalls.begin(), firstWalls.end()))
                slowest = play.name;
            firstWalls.push_back(t.wall);
            firstCpus.push_back(t.cpu);
        }
        ledger.setPlay(own, c->plan.prizes);
        if (!firstWalls.empty()) {
            const QByteArray what = QStringLiteral("    play first chosen, median of %1 plays")
                                        .arg(firstWalls.size())
                                        .toUtf8();
            line(what.constData(),
                 {bench::spreadOf(firstWalls).median, bench::spreadOf(firstCpus).median},
                 "<= 16 ms");
            const QByteArray worst = QStringLiteral("    play first chosen, the slowest (%1)")
                                         .arg(QString::fromUtf8(slowest))
                                         .toUtf8();
            line(worst.constData(),
                 {*std::max_element(firstWalls.begin(), firstWalls.end()),
                  *std::max_element(firstCpus.begin(), firstCpus.end())},
                 "<= 16 ms");
        }
        line("    multiplier changed (1 倍 <-> 3 倍)",
             medianMs(9,
                      [&] {
                          ledger.setStaking(Progression::flat(flip++ % 2 ? 1 : 3),
                                            c->plan.startBalance);
                          repaint();
                      }),
             "<= 16 ms");
        line("    progression changed (翻倍 to 64 <-> list 1 2 4 8 16)",
             medianMs(9,
                      [&] {
                          ledger.setStaking(flip++ % 2 ? Progression::doubling(1, 64)
                                                       : Progression::list({1, 2, 4, 8, 16}),
                                            c->plan.startBalance);
                          repaint();
                      }),
             "<= 16 ms");
    }

    std::printf("\nthe ruin probability, exactly (近 1000 期 and 全部 of the search plan)\n");
    {
        PlanDefinition plan = searchPlan(false);
        for (const bool all : {false, true}) {
            plan.range = all ? PlanRange::all() : PlanRange::latest(1000);
            const PlanRun run = runPlan(rows, Game::standard(), plan);
            for (const Progression &p : {Progression::flat(1), Progression::doubling(1, 64)}) {
                RuinChance chance;
                const Timing ms = timed(
                    [&] { chance = ruinChance(run.ledger->chanceBets(), p, plan.startBalance); });
                const QByteArray what = QStringLiteral("  %1, %2")
                                            .arg(plan.range.description(), p.description())
                                            .toUtf8();
                line(what.constData(), ms, "a worker's time");
                std::printf("    %s (%llu states followed)\n", qPrintable(chance.text()),
                            (unsigned long long)chance.work);
            }
        }
    }

    std::printf("\n");
    std::vector<LongRun> runs;
    line("长龙, every position and 和值, from 5 draws",
         medianMs(5, [&] { runs = longRuns(rows, 5); }), "<= 50 ms");
    std::printf("    %zu runs listed\n", runs.size());
    line("长龙, every run listed (from 1 draw)", medianMs(5, [&] { runs = longRuns(rows, 1); }),
         "<= 50 ms");
    line("遗漏统计 over 全部",
         medianMs(5, [&] { omissionTable(rows, 0, rows.size(), trend::StatsOrigin::Carried); }),
         "<= 50 ms");
    line("遗漏统计 over 近 1000 期, carried from the first draw",
         medianMs(5,
                  [&] {
                      omissionTable(rows, rows.size() - 1000, rows.size(),
                                    trend::StatsOrigin::Carried);
                  }),
         "<= 50 ms");
    bench::printMachine();
    return 0;
}
