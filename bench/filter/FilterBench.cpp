// The 缩水 filter on a history of random draws (default 500,000): eight conditions on 五星, two of
// them 重号 and 冷号; after each kind of change, the time to the remaining count and every record
// over 全部 and over 近 1000 期; the together record's exact share worked out off the interface
// thread; one draw appended; the text of 100,000 numbers. Each figure beside its target, with the
// processor time, which other work on a shared machine does not inflate.
//
//   bench_filter [draws]
#include "BenchSupport.h"
#include "DemoConditions.h"
#include "FilterEngine.h"
#include "RemainingText.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

using namespace quorlent;
using namespace quorlent::filter;

namespace {

double cpuMs() { return bench::threadCpuMs(); }

struct Timing
{
    double wall = 0;
    double cpu = 0;
};

Timing timed(const std::function<void()> &work)
{
    const double cpu = cpuMs();
    const double wall = bench::millisecondsOf(work);
    return {wall, cpuMs() - cpu};
}

void line(const char *work, const Timing &t, double target)
{
    std::printf("%-58s %9.2f ms %8.0f   (cpu %.2f)%s\n", work, t.wall, target, t.cpu,
                t.wall <= target ? "" : "  ABOVE TARGET");
}

struct Change
{
    const char *name;
    std::function<void(ConditionSet &)> apply;
};

} // namespace

int main(int argc, char **argv)
{
    const int draws = argc > 1 ? std::atoi(argv[1]) : 500000;
    std::vector<HistoryRow> rows;
    rows.reserve(size_t(draws) + kRowHeadroom);
    for (const DrawRecord &r : bench::randomRecords(draws, 7))
        rows.push_back(HistoryRow::fromRecord(r));
    std::printf("history: %zu random draws\n\n%-58s %12s %8s\n", rows.size(), "work", "measured",
                "target");

    FilterEngine engine(rows);
    ConditionSet set = demoConditions(Selection::Direct);
    line("first conditions, tables of 五星 included (once)", timed([&] {
             engine.setConditions(set);
             engine.counts();
             engine.records(RecordWindow::All);
         }),
         1000);
    const auto counts = engine.counts();
    std::printf("  remaining %u of %u numbers\n", counts.remaining, counts.partSize);

    // Each window gets changes to values not met before, so no cached table hides the work.
    auto changesFor = [](int round) {
        const QString sum = round ? "13-31" : "14-30";
        const QString span = round ? "3-9" : "4-9";
        const int threshold = round ? 14 : 12;
        return std::vector<Change>{
            {"和值 15-32 -> another range", [=](ConditionSet &s) { s.conditions[0].values = sum; }},
            {"跨度 5-9 -> another range", [=](ConditionSet &s) { s.conditions[1].values = span; }},
            {"杀号 4 -> 4 and another",
             [=](ConditionSet &s) {
                 s.conditions[5].digits = {4, round ? 8 : 9};
             }},
            {"重号 0-1 -> 0-2", [](ConditionSet &s) { s.conditions[6].values = "0-2"; }},
            {"冷号 counts 0-1 -> 0-2", [](ConditionSet &s) { s.conditions[7].values = "0-2"; }},
            {"冷号 threshold 10 -> another",
             [=](ConditionSet &s) { s.conditions[7].threshold = threshold; }},
            {"胆码 switched off", [](ConditionSet &s) { s.conditions[4].enabled = false; }},
            {"胆码 switched on", [](ConditionSet &s) { s.conditions[4].enabled = true; }},
        };
    };
    int round = 0;
    for (RecordWindow window : {RecordWindow::All, RecordWindow::Last1000}) {
        std::printf("\none condition changed -> count and every record, %s:\n",
                    qPrintable(windowName(window)));
        set = demoConditions(Selection::Direct);
        engine.setConditions(set);
        engine.records(window);
        Timing worst;
        bool pending = false;
        for (const Change &change : changesFor(round++)) {
            change.apply(set);
            RecordTable records;
            const Timing t = timed([&] {
                engine.setConditions(set);
                engine.counts();
                records = engine.records(window);
            });
            pending = pending || records.together.pending;
            std::printf("  %-56s %9.2f ms  (cpu %.2f)%s\n", change.name, t.wall, t.cpu,
                        records.together.pending ? "  together pending" : "");
            worst.wall = std::max(worst.wall, t.wall);
            worst.cpu = std::max(worst.cpu, t.cpu);
        }
        line("  the slowest change", worst, 16);
        if (pending) {
            std::optional<ConjunctionShareTask> task;
            std::optional<Record> together;
            line("  together: making the task (interface thread)",
                 timed([&] { task = engine.conjunctionTask(windowDraws(window)); }), 16);
            line("  together: the task's exact share (worker thread)",
                 timed([&] { together = task->run(); }), 5000);
            std::printf("  together: %lld of %lld draws pass, kept share %.6f, %s\n",
                        (long long)together->passes, (long long)together->draws,
                        together->keptShare, qPrintable(recordVerdict(*together)));
        }
    }

    std::printf("\n");
    line("one draw appended -> count and records 全部", timed([&] {
             rows.push_back(rows[rows.size() / 2]);
             engine.rowsAppended();
             engine.counts();
             engine.records(RecordWindow::All);
         }),
         16);

    // A change of 和值 in other sets: 组选 (its 冷号 over the whole part), and 重号 the only
    // condition on earlier draws, whose together share is exact at once on any window.
    ConditionSet group = demoConditions(Selection::Group);
    ConditionSet repeatOnly = demoConditions(Selection::Direct);
    repeatOnly.conditions[7].enabled = false;
    for (auto [name, other] : {std::pair{"组选", &group}, std::pair{"without 冷号", &repeatOnly}}) {
        engine.setConditions(*other);
        engine.records(RecordWindow::All);
        for (RecordWindow window : {RecordWindow::All, RecordWindow::Last1000}) {
            other->conditions[0].values = window == RecordWindow::All ? "14-30" : "16-33";
            RecordTable records;
            const QByteArray what = QStringLiteral("%1: 和值 changed -> count and records %2")
                                        .arg(QString::fromUtf8(name), windowName(window))
                                        .toUtf8();
            line(what.constData(), timed([&] {
                     engine.setConditions(*other);
                     engine.counts();
                     records = engine.records(window);
                 }),
                 16);
            if (records.together.pending) {
                std::optional<Record> together;
                line("  together: the task's exact share (worker thread)",
                     timed([&] { together = engine.conjunctionTask(window)->run(); }), 5000);
            }
        }
    }

    engine.setConditions({FilterPart::Five, Selection::Direct, {}});
    QString text;
    line("100,000 numbers as text (blanks)",
         timed([&] { text = remainingText(engine.remainingValues(), 5, TextLayout::Blanks); }),
         100);
    std::printf("  %lld characters\n", (long long)text.size());
    line("100,000 numbers as text (lines)",
         timed([&] { text = remainingText(engine.remainingValues(), 5, TextLayout::Lines); }), 100);
    return 0;
}
