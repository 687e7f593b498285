// The 走势图 window on a history of random draws (default 500,000, about twelve years; one draw in
// a hundred missing): opening it on 全部, switching the window and the toggles, one screen of
// scrolling rendered offscreen, an entry while it is open, the missing-draw check, and the memory
// the chart adds. Each figure beside its target; for the original game, then a game of 96 draws a
// day and a daily game numbered by year (as many draws as its years hold: about 36,000).
//
//   bench_trend [draws]
#include "HeadlessApp.h"
#include "BenchSupport.h"
#include "HistoryDb.h"
#include "HistoryStore.h"
#include "MissingDrawCheck.h"
#include "ResidentMemory.h"
#include "TrendChartModel.h"
#include "TrendChartWindow.h"
#include "TrendView.h"
#include "frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>

using namespace quorlent;

namespace {

double cpuMs() { return bench::threadCpuMs(); }

double g_cpu = 0; // processor time of the last msOf

double msOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    const double cpu = cpuMs();
    timer.start();
    work();
    g_cpu = cpuMs() - cpu;
    return double(timer.nsecsElapsed()) / 1e6;
}

double residentMb() { return bench::residentMemory().nowMb; }

// A figure beside its target; for times also the processor time, which other work on a shared
// machine does not inflate.
void line(const char *work, double value, double target, const char *unit = "ms")
{
    const QByteArray cpu = std::strcmp(unit, "ms") == 0
                               ? QStringLiteral("(cpu %1)").arg(g_cpu, 0, 'f', 1).toUtf8()
                               : QByteArray();
    std::printf("%-52s %10.1f %6s %10.0f  %-12s%s\n", work, value, unit, target, cpu.constData(),
                value <= target ? "" : "  ABOVE TARGET");
}

void buildHistory(const QString &path, const Game &game, int draws)
{
    auto db = game.isStandard() ? HistoryDb::openOrCreate(path).db
                                : HistoryDb::create(path, game, QStringLiteral("bench")).db;
    db->append(bench::randomRecords(draws, 11, 100, game));
}

void benchGame(const Game &game, int wanted)
{
    QTemporaryDir folder;
    buildHistory(folder.filePath("Varnibo.mdb"), game, bench::drawsFor(game, wanted));
    // The chart opens from the main window, which is up and has its history loaded.
    frmMain main(folder.path());
    main.show();
    QApplication::processEvents();
    HistoryStore &store = main.history();
    std::printf("\n== %s\nhistory: %zu draws, %s to %s\n\n", qPrintable(game.scheduleName()),
                store.size(), qPrintable(game.displayForm(store.rows().front().sqqh)),
                qPrintable(game.displayForm(store.rows().back().sqqh)));
    std::printf("%-52s %10s %6s %10s\n", "work", "measured", "", "target");

    auto storeOne = [&] {
        DrawRun run = store.continueRun();
        const DrawRecord record =
            run.append(game.next(store.newest()->sqqh, QDate()), {1, 2, 3, 4, 5}, 1);
        store.append(std::span(&record, 1));
        QApplication::processEvents();
    };
    const double entryAlone = msOf(storeOne);

    const double before = residentMb();
    TrendChartWindow *window = nullptr;
    const double open = msOf([&] {
        main.findChild<QPushButton *>(QStringLiteral("cmdZoushi"))->click();
        window = main.findChild<TrendChartWindow *>();
        window->findChild<QComboBox *>(QStringLiteral("cboWindow"))
            ->setCurrentIndex(TrendChartWindow::All);
        QApplication::processEvents();
    });
    line("opening the chart on 全部 (first paint included)", open, 200);
    std::printf("  rows in the chart: %d, window %dx%d\n", window->chartModel().rowCount(),
                window->width(), window->height());

    auto *combo = window->findChild<QComboBox *>(QStringLiteral("cboWindow"));
    auto timed = [&](const std::function<void()> &change) {
        return msOf([&] {
            change();
            QApplication::processEvents();
        });
    };
    double worst = 0;
    double worstCpu = 0;
    auto report = [&](const char *what, double ms) {
        std::printf("  %-50s %10.1f ms  (cpu %.1f)\n", what, ms, g_cpu);
        if (ms > worst) {
            worst = ms;
            worstCpu = g_cpu;
        }
    };
    report("window 全部 -> 近 100 期",
           timed([&] { combo->setCurrentIndex(TrendChartWindow::Last100); }));
    report("window 近 100 期 -> 全部",
           timed([&] { combo->setCurrentIndex(TrendChartWindow::All); }));
    report("window 全部 -> 近 1000 期",
           timed([&] { combo->setCurrentIndex(TrendChartWindow::Last1000); }));
    report("window 近 1000 期 -> 昨天",
           timed([&] { combo->setCurrentIndex(TrendChartWindow::Yesterday); }));
    combo->setCurrentIndex(TrendChartWindow::All);
    QApplication::processEvents();
    for (const char *name : {"chkLayers", "chkLines", "chkOmission", "chkOmission"}) {
        auto *box = window->findChild<QCheckBox *>(QLatin1String(name));
        report(qPrintable(QStringLiteral("toggle %1 on 全部").arg(box->text())),
               timed([&] { box->toggle(); }));
    }
    report(
        "统计起点 -> 窗口第一期 on 全部", timed([&] {
            window->findChild<QRadioButton *>(QStringLiteral("optOriginWindow"))->setChecked(true);
        }));
    report(
        "统计起点 -> 承接 on 全部", timed([&] {
            window->findChild<QRadioButton *>(QStringLiteral("optOriginCarried"))->setChecked(true);
        }));
    if (game.hasDrawsOfADay()) {
        report("同期号 on (第 1 期) on 全部", timed([&] {
                   window->findChild<QCheckBox *>(QStringLiteral("chkSameDraw"))->setChecked(true);
               }));
        report("同期号 off on 全部", timed([&] {
                   window->findChild<QCheckBox *>(QStringLiteral("chkSameDraw"))->setChecked(false);
               }));
    }
    g_cpu = worstCpu;
    line("switching the window or a toggle (worst of the above)", worst, 50);

    // One screen of scrolling on a full-height window of a 1080-line screen: move by a page and
    // render the rows in view, lines and layers on.
    window->resize(1900, 1040);
    QApplication::processEvents();
    TrendView *view = window->chartView();
    QScrollBar *bar = view->verticalScrollBar();
    QPixmap screen(view->viewport()->size());
    std::vector<std::pair<double, double>> pages; // wall, processor
    QRandomGenerator random(5);
    view->viewport()->render(&screen); // circles drawn once
    for (int i = 0; i < 60; ++i) {
        const int to = i < 30 ? bar->maximum() - (i + 1) * bar->pageStep()
                              : int(random.bounded(bar->maximum()));
        const double ms = msOf([&] {
            bar->setValue(to);
            view->viewport()->render(&screen);
        });
        pages.push_back({ms, g_cpu});
    }
    std::sort(pages.begin(), pages.end());
    std::printf("  %d rows in view, %zu pages: median %.1f ms\n",
                view->rowsInView().second - view->rowsInView().first + 1, pages.size(),
                pages[pages.size() / 2].first);
    g_cpu = pages.back().second;
    line("one screen of scrolling (slowest page)", pages.back().first, 16);

    // An entry with the chart open on 全部, and without it (the database write and the main
    // window's own refresh).
    const double entry = msOf(storeOne);
    line("an entry stored with the chart open on 全部", entry, 50);
    std::printf("  the same without the chart: %.1f ms; the chart's share: %.1f ms\n", entryAlone,
                entry - entryAlone);

    trend::MissingDrawReport missing;
    std::vector<std::pair<double, double>> checks;
    for (int i = 0; i < 5; ++i) {
        const double ms = msOf([&] { missing = trend::checkMissingDraws(store.rows(), game); });
        checks.push_back({ms, g_cpu});
    }
    std::sort(checks.begin(), checks.end());
    g_cpu = checks[2].second;
    line("the missing-draw check (median of 5)", checks[2].first, 100);
    std::printf("  found %lld missing draws in %zu runs\n", (long long)missing.missingCount,
                missing.missing.size());

    std::printf("  the chart's own arrays: %.1f MB\n",
                double(window->chartModel().chart().memoryBytes()) / 1048576.0);
    line("the memory the chart adds (resident, on 全部)", residentMb() - before, 64, "MB");
    window->close();
}

} // namespace

int main(int argc, char **argv)
{
    bench::HeadlessApp app(argc, argv);
    const int draws = argc > 1 ? std::atoi(argv[1]) : 500000;
    benchGame(Game::standard(), draws);
    benchGame(*Game::make(96, IssueForm::DateSequence2), draws);
    benchGame(*Game::make(1, IssueForm::YearSequence4), draws);
    return 0;
}
