// Times the history's file operations on a full-size history (500,000 draws, about twelve years
// of 120 draws a day) and prints each figure beside its target. Builds its own files in a
// temporary folder; run it on a quiet machine, it is a measurement, not a test.
#include "BenchSupport.h"
#include "DatabaseCompactor.h"
#include "HistoryDeletion.h"
#include "HistoryExport.h"
#include "HistoryImport.h"
#include "HistoryStore.h"
#include "HistoryTextReader.h"
#include "HistoryTextWriter.h"
#include "ProgramFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <functional>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace quorlent;

namespace {

constexpr int kDraws = 500000;

// The draws in the game's own line form, from the first draw of 1 January 2005 (the years before
// 2010 need their leading zero).
QByteArray historyText(int draws, const Game &game = Game::standard())
{
    QByteArray text;
    text.reserve(qsizetype(draws) * 17);
    uint64_t state = 0x9E3779B97F4A7C15ull;
    int32_t sqqh = game.first(QDate(2005, 1, 1));
    for (int i = 0; i < draws; ++i, sqqh = game.next(sqqh, QDate())) {
        text += game.storedText(sqqh).toLatin1();
        text += ' ';
        for (int p = 0; p < kPositions; ++p) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            text += char('0' + state % 10);
        }
        text += "\r\n";
    }
    return text;
}

using bench::Times;

Times timeMs(const std::function<void()> &work) { return bench::timesOf(work); }

void report(const char *what, Times times, const char *target)
{
    bench::reportTimes(what, times, target, 50);
}

void check(const FileOpResult &result)
{
    if (!result.ok) {
        std::fprintf(stderr, "failed: %s\n", result.message.toUtf8().constData());
        std::exit(1);
    }
}

long peakMegabytes()
{
#ifdef Q_OS_UNIX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
#else
    return -1;
#endif
}

// The import and the rebuild on a game of 96 draws a day with two-digit sequences.
void otherGame(const QString &folder)
{
    const Game game = *Game::make(96, IssueForm::DateSequence2);
    const QString textPath = QDir(folder).filePath("draws96.txt");
    QFile file(textPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(historyText(kDraws, game)) < 0)
        std::exit(1);
    file.close();
    HistoryStore store;
    if (store.create(QDir(folder).filePath("96.mdb"), game, QStringLiteral("96")).status !=
        HistoryDb::OpenStatus::Created)
        std::exit(1);
    std::printf("\n%s, %d draws\n", qPrintable(game.scheduleName()), kDraws);
    report("import into an empty history",
           timeMs([&] { check(importHistoryFile(store, textPath, 1)); }), "<= 2000 ms");
    report("import over a history of 500,000 draws",
           timeMs([&] { check(importHistoryFile(store, textPath, 1)); }), "<= 2000 ms");
    report("delete the last 10 draws (rebuild), with compaction",
           timeMs([&] { check(deleteLastDraws(store, folder, 10, 1)); }), "-");
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    const QString textPath = QDir(folder).filePath("draws.txt");
    {
        QFile file(textPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(historyText(kDraws)) < 0)
            return 1;
    }
    std::printf("history of %d draws, file %.1f MB\n\n", kDraws,
                QFileInfo(textPath).size() / 1048576.0);
    std::printf("%-50s %10s %10s   %s\n", "", "wall", "cpu", "target (wall)");

    HistoryStore store;
    store.open(QDir(folder).filePath("Varnibo.mdb"));
    if (!store.isOpen())
        return 1;

    report("import into an empty history",
           timeMs([&] { check(importHistoryFile(store, textPath, 1)); }), "<= 2000 ms");
    store.clear();
    report("import into an emptied history",
           timeMs([&] { check(importHistoryFile(store, textPath, 1)); }), "<= 2000 ms");
    report("import over a history of 500,000 draws",
           timeMs([&] { check(importHistoryFile(store, textPath, 1)); }), "<= 2000 ms");
    // Where an import's time goes: the same three steps importHistoryFile takes.
    {
        HistoryTextReader::Result read;
        std::vector<DrawRecord> records;
        report("  of which: read and check the lines",
               timeMs([&] { read = HistoryTextReader::read(textPath, LineMode::Import); }), "-");
        report("  of which: derive the records (DrawRun)", timeMs([&] {
                   DrawRun run;
                   records.reserve(read.lines.size());
                   for (const HistoryLine &line : read.lines)
                       records.push_back(run.append(line.sqqh, line.digits, 1));
               }),
               "-");
        report("  of which: store them (HistoryStore::replaceAll)",
               timeMs([&] { store.replaceAll(records); }), "-");
    }
    std::printf("%-50s %7.1f MB\n", "database file",
                QFileInfo(store.db()->path()).size() / 1048576.0);

    QString error;
    report("write lsbf.txt (500,000 lines)", timeMs([&] {
               HistoryTextWriter::write(programfiles::backupPath(folder), store.rows(),
                                        HistoryTextWriter::Form::Backup, &error);
           }),
           "-");
    report("rebuild from lsbf.txt (Dqzd)",
           timeMs([&] { check(rebuildFromBackup(store, folder, 1)); }), "<= 2000 ms");
    report("compaction alone", timeMs([&] { check(compactDatabase(store)); }), "-");

    // The last day goes: write the backup, rebuild 499,880 draws, compact.
    const int32_t lastKept = store.rows()[kDraws - Game::standard().drawsPerDay() - 1].sqqh;
    report("delete to an issue (one day less), with compaction",
           timeMs([&] { check(deleteToIssue(store, folder, lastKept, 1)); }), "-");
    report("delete the last 10 draws, with compaction",
           timeMs([&] { check(deleteLastDraws(store, folder, 10, 1)); }), "-");
    report("delete the newest draw, with compaction",
           timeMs([&] { check(deleteNewestDraw(store)); }), "<= 2000 ms");
    report("export to text", timeMs([&] { check(exportHistoryText(store, folder)); }), "-");
    otherGame(folder);

    std::printf("\n%zu draws left; peak memory %ld MB\n", store.size(), peakMegabytes());
#ifdef Q_OS_UNIX
    double load[3] = {};
    if (getloadavg(load, 3) == 3)
        std::printf("load average %.2f (the machine has %d cores)\n", load[0],
                    int(sysconf(_SC_NPROCESSORS_ONLN)));
#endif
    return 0;
}
