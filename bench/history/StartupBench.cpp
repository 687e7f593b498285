// A full history in the window: for the original game and a game of 96 draws a day (500,000
// draws each) and a daily game (36,135 draws, all that 2000-2099 holds), the import of the
// history's own text file, the preview of the same draws as a CSV, the database file's size,
// start-up to a usable window, the memory the program holds after start-up and one search of
// each kind and after opening the trend chart on 全部 and the 缩水 window, and live results. Each
// figure beside its target.
//
// Start-up, memory, live results and a first preview are measured in a fresh process each (this
// executable run again with --window, --live or --preview), so that no figure carries what
// building the history cost, nor memory an earlier step touched.
//
//   bench_startup [draws]
//   bench_startup --build FOLDER [draws]    only builds the original game's history in FOLDER (to
//                                           profile a start-up: bench_startup --window FOLDER
//                                           draws)
#include "BenchSupport.h"
#include "HeadlessApp.h"
#include "HistoryImport.h"
#include "HistoryStore.h"
#include "ProcessMemory.h"
#include "ResidentMemory.h"
#include "TableImport.h"
#include "TrendChartWindow.h"
#include "frmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace quorlent;

namespace {

// ---- What a child process measures; it prints "figure <name> <value>" lines -----------------

void figure(const char *name, double value)
{
    std::printf("figure %s %.2f\n", name, value);
    std::fflush(stdout);
}

// Start-up to a usable window, one search of each kind, then the trend chart on 全部 and the
// 缩水 window; the peak memory after each step.
int windowChild(int argc, char **argv, const QString &folder, int draws)
{
    double cpu = bench::processCpuMs();
    QElapsedTimer timer;
    timer.start();
    bench::HeadlessApp app(argc, argv);
    figure("application.wall", double(timer.nsecsElapsed()) / 1e6);

    cpu = bench::processCpuMs();
    timer.restart();
    auto window = std::make_unique<frmMain>(folder);
    window->show();
    QApplication::processEvents();
    figure("startup.wall", double(timer.nsecsElapsed()) / 1e6);
    figure("startup.cpu", bench::processCpuMs() - cpu);
    const auto *grid = window->findChild<QTableView *>(QStringLiteral("MSFlexGrid1"));
    const auto *next = window->findChild<QLineEdit *>(QStringLiteral("Text1"));
    if (grid->model()->rowCount() != draws || next->text().isEmpty()) {
        std::fprintf(stderr, "the window is not usable: %d rows, next issue \"%s\"\n",
                     grid->model()->rowCount(), qPrintable(next->text()));
        return 1;
    }
    figure("memory.startup", bench::residentMemory().peakMb);

    auto click = [&](QWidget *owner, const char *name) {
        owner->findChild<QAbstractButton *>(QLatin1String(name))->click();
        QApplication::processEvents();
    };
    for (const char *name : {"Check1(1)", "Check1(2)", "Check1(3)"})
        window->findChild<QCheckBox *>(QLatin1String(name))->setChecked(true);
    click(window.get(), "Command1");
    click(window.get(), "Command2");
    if (window->findChild<QTableView *>(QStringLiteral("MSFlexGrid3"))->model()->rowCount() == 0) {
        std::fprintf(stderr, "the searches showed no tally\n");
        return 1;
    }
    figure("memory.searches", bench::residentMemory().peakMb);

    click(window.get(), "cmdZoushi");
    auto *trend = window->findChild<TrendChartWindow *>();
    trend->findChild<QComboBox *>(QStringLiteral("cboWindow"))
        ->setCurrentIndex(TrendChartWindow::All);
    QApplication::processEvents();
    click(window.get(), "cmdSuoshui");
    QApplication::processEvents();
    const bench::ResidentMemory memory = bench::residentMemory();
    figure("memory.windows", memory.peakMb);
    figure("memory.windows.now", memory.nowMb);
    return 0;
}

// Opening the history and reading its draws into memory alone: the part of start-up that grows
// with the history.
int loadChild(const QString &folder)
{
    const double cpu = bench::processCpuMs();
    QElapsedTimer timer;
    timer.start();
    HistoryStore store;
    store.open(QDir(folder).filePath(QStringLiteral("Varnibo.mdb")));
    figure("load.wall", double(timer.nsecsElapsed()) / 1e6);
    figure("load.cpu", bench::processCpuMs() - cpu);
    figure("load.memory", bench::residentMemory().peakMb);
    return store.size() > 0 ? 0 : 1;
}

// The preview of a CSV as the first one of a process: memory not touched before.
int previewChild(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    const import::ImportScan seen = import::TableImport::scan(path);
    figure("preview.fresh", double(timer.nsecsElapsed()) / 1e6);
    return seen.read.draws.empty() ? 1 : 0;
}

// An option change to the hit list, the tally and the outcome chart repainted, with live
// results on: 20 changes for the follow-pattern search, 20 for the combination search (k = 2).
int liveChild(int argc, char **argv, const QString &folder)
{
    bench::HeadlessApp app(argc, argv);
    frmMain window(folder);
    window.show();
    QApplication::processEvents();
    auto find = [&](const char *name) { return window.findChild<QWidget *>(QLatin1String(name)); };
    auto *hits = window.findChild<QTableView *>(QStringLiteral("MSFlexGrid2"));
    auto *tally = window.findChild<QTableView *>(QStringLiteral("MSFlexGrid3"));
    auto *chart = window.findChild<QChartView *>(QStringLiteral("chartOutcome"));
    for (const char *name : {"Check1(1)", "Check1(2)", "Check1(3)"})
        static_cast<QCheckBox *>(find(name))->setChecked(true);
    static_cast<QAbstractButton *>(find("Command1"))->click();
    static_cast<QCheckBox *>(find("chkLive"))->setChecked(true);
    QApplication::processEvents();

    // Options that change what the search or the tally does, taken in turn.
    const char *options[] = {"Option1(0)", "Option1(1)", "Option4(1)", "Option4(0)",
                             "Option5(2)", "Option5(1)", "Option2(5)", "Option2(4)"};
    auto changes = [&](const char *name) {
        std::vector<double> wall, cpu;
        for (int i = 0; i < 20; ++i) {
            const double start = bench::threadCpuMs();
            wall.push_back(bench::millisecondsOf([&] {
                static_cast<QAbstractButton *>(find(options[i % std::size(options)]))->click();
                window.flushLiveSearch();
                hits->viewport()->repaint();
                tally->viewport()->repaint();
                chart->viewport()->repaint();
            }));
            cpu.push_back(bench::threadCpuMs() - start);
            QApplication::processEvents(); // the tally kept in Carcu, as after a real change
        }
        const bench::Spread w = bench::spreadOf(wall);
        const bench::Spread c = bench::spreadOf(cpu);
        figure((std::string(name) + ".median").c_str(), w.median);
        figure((std::string(name) + ".worst").c_str(), w.worst);
        figure((std::string(name) + ".cpuworst").c_str(), c.worst);
    };
    changes("live.follow");
    static_cast<QAbstractButton *>(find("Command2"))->click();
    QApplication::processEvents();
    changes("live.combination");
    return 0;
}

// ---- The parent: builds the files, measures the file work, runs the children ----------------

using Figures = std::map<std::string, std::vector<double>>;

bool runChild(const QStringList &arguments, Figures &figures)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0) {
        std::fprintf(stderr, "bench_startup %s failed\n", qPrintable(arguments.join(u' ')));
        return false;
    }
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 3 && parts[0] == "figure")
            figures[parts[1].toStdString()].push_back(parts[2].toDouble());
    }
    return true;
}

// The game's own line form: the stored issue, a blank, the five digits.
QByteArray historyText(const Game &game, const std::vector<DrawRecord> &records)
{
    QByteArray text;
    text.reserve(qsizetype(records.size()) * 17);
    for (const DrawRecord &record : records) {
        text += game.storedText(record.sqqh).toLatin1();
        text += ' ';
        for (uint8_t d : record.own.digits())
            text += char('0' + d);
        text += "\r\n";
    }
    return text;
}

// The same draws as a results site's CSV: 期号,开奖日期,开奖号码.
QByteArray csvText(const Game &game, const std::vector<DrawRecord> &records)
{
    QByteArray text = QStringLiteral("期号,开奖日期,开奖号码\r\n").toUtf8();
    text.reserve(qsizetype(records.size()) * 32);
    for (const DrawRecord &record : records) {
        text += game.displayForm(record.sqqh).toLatin1();
        text += ',';
        text += game.dayOf(record.sqqh, record.date).toString(Qt::ISODate).toLatin1();
        text += ',';
        for (uint8_t d : record.own.digits())
            text += char('0' + d);
        text += "\r\n";
    }
    return text;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void row(const char *work, double value, const char *unit, double target, const char *note = "")
{
    std::printf("%-58s %9.1f %-3s %8.0f  %s%s\n", work, value, unit, target, note,
                value <= target ? "" : "  ABOVE TARGET");
}

void timesRow(const char *work, bench::Times times, double target)
{
    const QByteArray cpu = QStringLiteral("(cpu %1)").arg(times.cpuMs, 0, 'f', 0).toUtf8();
    row(work, times.wallMs, "ms", target, cpu.constData());
}

int benchGame(const Game &game, int wanted)
{
    const int draws = bench::drawsFor(game, wanted);
    QTemporaryDir folder;
    const QString dbPath = QDir(folder.path()).filePath(QStringLiteral("Varnibo.mdb"));
    const QString textPath = QDir(folder.path()).filePath(QStringLiteral("draws.txt"));
    const QString csvPath = QDir(folder.path()).filePath(QStringLiteral("draws.csv"));
    const std::vector<DrawRecord> records = bench::randomRecords(draws, 7, 0, game);
    // Other draws under the same issues: a file that differs from its first line on.
    const QString otherPath = QDir(folder.path()).filePath(QStringLiteral("other.txt"));
    if (!writeFile(otherPath, historyText(game, bench::randomRecords(draws, 8, 0, game))) ||
        !writeFile(textPath, historyText(game, records)) ||
        !writeFile(csvPath, csvText(game, records)))
        return 1;

    std::printf("\n== %s: %d draws (load %.1f on %s)\n", qUtf8Printable(game.scheduleName()), draws,
                bench::machineLoad(), "a shared machine");
    std::printf("%-58s %13s %8s\n", "work", "measured", "target");
    {
        HistoryStore store;
        const auto opened = game.isStandard() ? store.open(dbPath)
                                              : store.create(dbPath, game, QStringLiteral("bench"));
        if (!opened.db && !store.isOpen())
            return 1;
        auto importOf = [&](const QString &path) {
            return [&store, path] {
                if (!importHistoryFile(store, path, 1).ok)
                    std::exit(1);
            };
        };
        timesRow("import of the own-form text file, into an empty history",
                 bench::timesOf(importOf(otherPath)), 1000);
        timesRow("import of the own-form text file, over other draws",
                 bench::timesOf(importOf(textPath)), 1000);
        timesRow("import of the own-form text file, over the same history",
                 bench::timesOf(importOf(textPath)), 1000);
        if (store.size() != size_t(draws))
            return 1;
    }
    const double megabytes = double(QFileInfo(dbPath).size()) / 1048576.0;
    std::printf("%-58s %9.1f MB  (%.2f MB per 100,000 draws)\n", "database file", megabytes,
                megabytes * 100000.0 / draws);

    std::vector<double> scans;
    for (int i = 0; i < 3; ++i) {
        import::ImportScan seen;
        scans.push_back(bench::millisecondsOf([&] { seen = import::TableImport::scan(csvPath); }));
        if (seen.read.draws.size() != size_t(draws)) {
            std::fprintf(stderr, "the preview read %zu draws\n", seen.read.draws.size());
            return 1;
        }
    }
    Figures figures;
    auto spread = [&](const char *name) { return bench::spreadOf(figures[name]); };
    for (int run = 0; run < 3; ++run) {
        if (!runChild({QStringLiteral("--preview"), csvPath}, figures))
            return 1;
    }
    row("preview of the same draws as a CSV, in a fresh process (median of 3)",
        spread("preview.fresh").median, "ms", 200);
    row("  the same again in one process (median of 3)", bench::spreadOf(scans).median, "ms", 200);

    const QString count = QString::number(draws);
    for (int run = 0; run < 3; ++run) {
        if (!runChild({QStringLiteral("--load"), folder.path()}, figures) ||
            !runChild({QStringLiteral("--window"), folder.path(), count}, figures))
            return 1;
    }
    if (!runChild({QStringLiteral("--live"), folder.path(), count}, figures))
        return 1;
    std::printf("  start-up, 3 fresh processes: application object %.0f ms; the window %.0f, "
                "%.0f, %.0f ms\n",
                spread("application.wall").median, figures["startup.wall"][0],
                figures["startup.wall"][1], figures["startup.wall"][2]);
    const QByteArray startupCpu =
        QStringLiteral("(cpu %1)").arg(spread("startup.cpu").median, 0, 'f', 0).toUtf8();
    row("start-up to a usable window (median of 3)", spread("startup.wall").median, "ms", 250,
        startupCpu.constData());
    std::printf("  of which opening the history and reading its draws: %.0f ms (cpu %.0f), "
                "peak memory then %.0f MB\n",
                spread("load.wall").median, spread("load.cpu").median, spread("load.memory").worst);
    row("peak memory after start-up", spread("memory.startup").worst, "MB", 100);
    row("peak memory after start-up and a search of each kind", spread("memory.searches").worst,
        "MB", 100);
    row("peak memory after the trend chart on 全部 and 缩水", spread("memory.windows").worst, "MB",
        150);
    std::printf("  resident then: %.0f MB\n", spread("memory.windows.now").worst);
    for (const auto &[name, target] : {std::pair{"follow", 16.0}, {"combination", 33.0}}) {
        const std::string key = std::string("live.") + name;
        const QByteArray text =
            QStringLiteral("live results, %1: an option change repainted (slowest of 20)")
                .arg(QLatin1String(name == std::string("follow") ? "follow-pattern"
                                                                 : "combination k = 2"))
                .toUtf8();
        const QByteArray note = QStringLiteral("(median %1, cpu %2)")
                                    .arg(figures[key + ".median"][0], 0, 'f', 1)
                                    .arg(figures[key + ".cpuworst"][0], 0, 'f', 1)
                                    .toUtf8();
        row(text.constData(), figures[key + ".worst"][0], "ms", target, note.constData());
    }
    std::printf("  load %.1f at the end\n", bench::machineLoad());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    keepFreedMemory(); // as the program does
    if (argc >= 4 && std::string(argv[1]) == "--window")
        return windowChild(argc, argv, QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    if (argc >= 3 && std::string(argv[1]) == "--load")
        return loadChild(QString::fromLocal8Bit(argv[2]));
    if (argc >= 3 && std::string(argv[1]) == "--live")
        return liveChild(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (argc >= 3 && std::string(argv[1]) == "--preview")
        return previewChild(QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
    if (argc >= 3 && std::string(argv[1]) == "--build") {
        HistoryStore store;
        store.open(QDir(QString::fromLocal8Bit(argv[2])).filePath(QStringLiteral("Varnibo.mdb")));
        return store.replaceAll(bench::randomRecords(argc > 3 ? std::atoi(argv[3]) : 500000, 7))
                   ? 0
                   : 1;
    }
    const int draws = argc > 1 ? std::atoi(argv[1]) : 500000;
    for (const Game &game : {Game::standard(), *Game::make(96, IssueForm::DateSequence2),
                             *Game::make(1, IssueForm::YearSequence4)}) {
        if (benchGame(game, draws) != 0)
            return 1;
    }
    return 0;
}
