// The 缩水 window on a history of random draws (default 500,000) with eight conditions of 五星,
// 重号 and 冷号 among them: the time from one change made in the window (a key typed, a digit
// clicked, a threshold stepped, a row switched off) to the count, every row's share and every
// record shown, the models updated and the views repainted; over 近 1000 期 and over 全部 (where
// the together record is left to the worker, which is timed apart); and copying 100,000 remaining
// numbers to the clipboard. Each figure beside its target.
//
//   bench_filter_window [draws]
#include "BenchSupport.h"
#include "DemoConditions.h"
#include "FilterConditionModel.h"
#include "FilterWindow.h"
#include "HeadlessApp.h"
#include "HistoryDb.h"
#include "HistoryStore.h"
#include "Settings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace quorlent;
using namespace quorlent::filter;

namespace {

double cpuMs() { return bench::threadCpuMs(); }

using Figures = bench::Spread;

Figures of(std::vector<double> times) { return bench::spreadOf(std::move(times)); }

void line(const char *work, const Figures &f, double target, const Figures *cpu = nullptr)
{
    std::printf("%-60s %8.2f %8.2f %8.0f", work, f.median, f.worst, target);
    if (cpu)
        std::printf("   (cpu %.2f %.2f)", cpu->median, cpu->worst);
    std::printf("%s\n", f.worst <= target ? "" : "  ABOVE TARGET");
}

} // namespace

int main(int argc, char **argv)
{
    bench::HeadlessApp app(argc, argv);
    const int draws = argc > 1 ? std::atoi(argv[1]) : 500000;
    QTemporaryDir folder;
    const QString path = folder.filePath("Varnibo.mdb");
    HistoryDb::openOrCreate(path).db->append(bench::randomRecords(draws, 5));
    HistoryStore store;
    store.open(path);
    Settings settings;
    FilterWindow window(store, settings, folder.path());
    window.show();
    QApplication::processEvents();
    auto find = [&](const char *name) { return window.findChild<QWidget *>(QLatin1String(name)); };

    // What the user sees change: the count, the rows, the records and the numbers drawn anew.
    auto repaint = [&] {
        window.conditionView()->viewport()->repaint();
        window.recordView()->viewport()->repaint();
        window.remainingView()->viewport()->repaint();
        find("lblResult")->repaint();
        find("fraConditionEditor")->repaint();
    };
    std::vector<double> cpu; // of every change timed, in order
    auto timed = [&](const std::function<void()> &change) {
        const double start = cpuMs();
        const double wall = bench::millisecondsOf([&] {
            change();
            repaint();
        });
        cpu.push_back(cpuMs() - start);
        // What the event loop does once the change is shown, before the next one: the worker
        // starts on a pending together record.
        QApplication::processEvents();
        return wall;
    };
    auto select = [&](int row) {
        window.conditionView()->setCurrentIndex(window.conditionModel().index(row, 1));
    };

    std::printf("history: %zu draws; median and slowest of each kind of change, ms\n\n",
                store.size());
    std::printf("%-60s %8s %8s %8s   %s\n", "work", "median", "slowest", "target",
                "(processor time of the window's thread)");
    const double first = timed([&] { window.setConditionSet(demoConditions()); });
    std::printf("%-60s %8.2f %17.0f\n", "the eight conditions put in (tables of 五星 built, once)",
                first, 1000.0);
    std::printf("  remaining %u of %u numbers\n", window.counts().remaining,
                window.counts().partSize);

    auto *records = static_cast<QComboBox *>(find("cboRecordWindow"));
    for (int choice : {2, 3}) { // 近 1000 期, 全部
        records->setCurrentIndex(choice);
        window.flushTogether();
        std::vector<double> keys, digits, thresholds, arrows, switches, all;
        // 和值 typed: each key is one change ("15-32" -> "15-3" -> "15-31" …).
        select(0);
        auto *values = static_cast<QLineEdit *>(find("txtValues"));
        values->setFocus();
        values->end(false);
        for (int i = 0; i < 10; ++i) {
            keys.push_back(timed([&] { QTest::keyClick(values, Qt::Key_Backspace); }));
            keys.push_back(timed([&] { QTest::keyClick(values, char('0' + i % 4)); }));
        }
        // 杀号 digits clicked on and off.
        select(5);
        auto *killed = find("digDigits");
        for (int i = 0; i < 10; ++i) {
            auto *digit = killed->findChild<QAbstractButton *>(QString::number(7 + i % 3));
            digits.push_back(timed([&] { digit->click(); }));
        }
        // 冷号's threshold stepped up and down, to thresholds not met before in this window.
        select(7);
        auto *threshold = static_cast<QSpinBox *>(find("spnThreshold"));
        for (int i = 0; i < 10; ++i)
            thresholds.push_back(timed(
                [&] { threshold->setValue(threshold->value() + (i % 2 ? -1 : 3) + choice); }));
        // The same by the spin box's arrows, one up at a time, the window idle in between (as a
        // person clicks): the window has the next threshold's omissions ready by then.
        for (int i = 0; i < 10; ++i) {
            for (int idle = 0; idle < 4; ++idle)
                QApplication::processEvents();
            arrows.push_back(timed([&] { threshold->stepUp(); }));
        }
        // 胆码 and 重号 switched off and on with their checks.
        for (int i = 0; i < 8; ++i) {
            const int row = i % 4 < 2 ? 4 : 6;
            const QModelIndex check = window.conditionModel().index(row, 0);
            switches.push_back(timed([&] {
                window.conditionModel().setData(check, i % 2 ? Qt::Checked : Qt::Unchecked,
                                                Qt::CheckStateRole);
            }));
        }
        const QString name = records->currentText();
        size_t taken =
            cpu.size() - keys.size() - digits.size() - thresholds.size() - arrows.size() -
            switches.size();
        std::vector<double> allCpu;
        auto say = [&](const char *what, const std::vector<double> &times) {
            const std::vector<double> own(cpu.begin() + long(taken),
                                          cpu.begin() + long(taken + times.size()));
            taken += times.size();
            const Figures ownFigures = of(own);
            line(QStringLiteral("%1, %2").arg(QString::fromUtf8(what), name).toUtf8().constData(),
                 of(times), 16, &ownFigures);
            all.insert(all.end(), times.begin(), times.end());
            allCpu.insert(allCpu.end(), own.begin(), own.end());
        };
        std::printf("\nchange -> count, shares and records shown, views repainted (%s)%s:\n",
                    qPrintable(name),
                    window.isTogetherRunning() ? "; together left to the worker" : "");
        say("  a key typed into 和值", keys);
        say("  a digit of 杀号 clicked", digits);
        say("  冷号's threshold stepped", thresholds);
        say("  冷号's threshold one up by its arrow", arrows);
        say("  胆码 or 重号 switched off or on", switches);
        const Figures allFigures = of(allCpu);
        line("  every change", of(all), 16, &allFigures);
        if (window.isTogetherRunning()) {
            const double worker = bench::millisecondsOf([&] { window.flushTogether(); });
            std::printf("%-60s %8.2f %17.0f\n", "  the worker's together record, to shown", worker,
                        5000.0);
        }
    }

    // Nothing removed: all 100,000 numbers of 五星 remain.
    window.setConditionSet({FilterPart::Five, Selection::Direct, {}});
    auto *copy = static_cast<QPushButton *>(find("cmdCopy"));
    auto *layout = static_cast<QComboBox *>(find("cboCopyLayout"));
    std::printf("\n");
    for (int choice : {0, 1}) {
        layout->setCurrentIndex(choice);
        std::vector<double> times;
        for (int i = 0; i < 5; ++i)
            times.push_back(bench::millisecondsOf([&] { copy->click(); }));
        if (QApplication::clipboard()->text().size() != 100000 * 6 - 1) {
            std::printf("the clipboard does not hold the numbers\n");
            return 1;
        }
        line(choice ? "copy 100,000 numbers to the clipboard, one a line"
                    : "copy 100,000 numbers to the clipboard, with blanks",
             of(times), 100);
    }
    return 0;
}
