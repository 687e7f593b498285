// Live results on a history of 500,000 draws: the time from an option change to the hit list, the
// tally and the outcome chart repainted, for the follow-pattern search and for the combination
// search; and one key typed into a reference box while live results are on. Each figure beside
// its target.
//
//   bench_live [draws]
#include "BenchSupport.h"
#include "HeadlessApp.h"
#include "HistoryDb.h"
#include "frmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace quorlent;

namespace {

using Figures = bench::Spread;

Figures of(std::vector<double> times) { return bench::spreadOf(std::move(times)); }

void line(const char *work, const Figures &f, double target)
{
    std::printf("%-58s %8.1f %8.1f %8.0f%s\n", work, f.median, f.worst, target,
                f.worst <= target ? "" : "  ABOVE TARGET");
}

} // namespace

int main(int argc, char **argv)
{
    bench::HeadlessApp app(argc, argv);
    const int draws = argc > 1 ? std::atoi(argv[1]) : 500000;
    QTemporaryDir folder;
    HistoryDb::openOrCreate(folder.filePath("Varnibo.mdb"))
        .db->append(bench::randomRecords(draws, 3));

    frmMain window(folder.path());
    window.show();
    QApplication::processEvents();
    auto find = [&](const char *name) { return window.findChild<QWidget *>(QLatin1String(name)); };
    auto *hits = window.findChild<QTableView *>(QStringLiteral("MSFlexGrid2"));
    auto *tally = window.findChild<QTableView *>(QStringLiteral("MSFlexGrid3"));
    auto *chart = window.findChild<QChartView *>(QStringLiteral("chartOutcome"));
    // What the user sees change: the three views drawn anew.
    auto repaint = [&] {
        hits->viewport()->repaint();
        tally->viewport()->repaint();
        chart->viewport()->repaint();
    };
    // One change as the user makes it, then the live run and the repaint.
    auto timed = [&](const std::function<void()> &change) {
        return bench::millisecondsOf([&] {
            change();
            window.flushLiveSearch();
            repaint();
        });
    };

    std::printf("history: %d draws; median and slowest of 20 changes each, ms\n\n", draws);
    std::printf("%-58s %8s %8s %8s\n", "work", "median", "slowest", "target");
    for (const char *name : {"Check1(1)", "Check1(2)", "Check1(3)"})
        static_cast<QCheckBox *>(find(name))->setChecked(true);
    static_cast<QAbstractButton *>(find("Command1"))->click();
    static_cast<QCheckBox *>(find("chkLive"))->setChecked(true);
    QApplication::processEvents();

    // Options that change what the search or the tally does, taken in turn.
    const char *options[] = {"Option1(0)", "Option1(1)", "Option4(1)", "Option4(0)",
                             "Option5(2)", "Option5(1)", "Option2(5)", "Option2(4)"};
    auto changes = [&] {
        std::vector<double> times;
        for (int i = 0; i < 20; ++i) {
            times.push_back(timed([&] {
                static_cast<QRadioButton *>(find(options[i % std::size(options)]))->click();
            }));
            if (qEnvironmentVariableIsSet("BENCH_VERBOSE"))
                std::printf("  %s %.1f\n", options[i % std::size(options)], times.back());
        }
        return times;
    };
    line("follow-pattern search: an option change to the views repainted", of(changes()), 16);

    static_cast<QAbstractButton *>(find("Command2"))->click();
    QApplication::processEvents();
    line("combination search (k = 2): an option change to the views repainted", of(changes()), 33);

    // A typed reference: every key counts at once while live results are on.
    static_cast<QAbstractButton *>(find("Command1"))->click();
    static_cast<QTabBar *>(find("TabStrip1"))->setCurrentIndex(1);
    for (const char *name : {"Check11(1)", "Check11(2)"})
        static_cast<QCheckBox *>(find(name))->setChecked(true);
    auto *box = static_cast<QLineEdit *>(find("Text22(1)"));
    box->setFocus();
    std::vector<double> keys;
    for (int i = 0; i < 20; ++i) {
        keys.push_back(timed([&] {
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClick(box, char('0' + i % 10));
        }));
    }
    line("typing a reference value (two keys) to the views repainted", of(keys), 33);
    return 0;
}
