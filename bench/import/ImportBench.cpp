// Times the table import on files of full size and prints each figure beside its target: a CSV
// of 500,000 draws (120 a day, about twenty megabytes), the same table saved as GBK, and a 1.5 GB
// file without a draw. Builds its files in a temporary folder; a measurement, not a test.
#include "BenchSupport.h"
#include "GameGuess.h"
#include "LayoutDetector.h"
#include "HistoryImport.h"
#include "HistoryStore.h"
#include "TableImport.h"
#include "TableReader.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace quorlent;
using namespace quorlent::import;

namespace {

constexpr int kDraws = 500000;
constexpr int kDrawsPerDay = 120;

// 期号,开奖日期,开奖号码 with eleven-digit issues from 2016-01-01, the time of each draw after its
// date; with `weekday`, a fourth column in Chinese.
QString drawTable(int draws, bool weekday)
{
    QString text = weekday ? QStringLiteral("期号,开奖日期,开奖号码,星期\r\n")
                           : QStringLiteral("期号,开奖日期,开奖号码\r\n");
    text.reserve(qsizetype(draws) * 48);
    uint64_t state = 0x9E3779B97F4A7C15ull;
    const QDate start(2016, 1, 1);
    for (int i = 0; i < draws; ++i) {
        const QDate day = start.addDays(i / kDrawsPerDay);
        const int seq = i % kDrawsPerDay + 1;
        const int minutes = seq * 10;
        text += day.toString(QStringLiteral("yyyyMMdd"));
        text += QStringLiteral("%1,").arg(seq, 3, 10, QLatin1Char('0'));
        text += day.toString(QStringLiteral("yyyy-MM-dd"));
        text += QStringLiteral(" %1:%2:00,")
                    .arg(minutes / 60 % 24, 2, 10, QLatin1Char('0'))
                    .arg(minutes % 60, 2, 10, QLatin1Char('0'));
        for (int p = 0; p < kPositions; ++p) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            text += QChar(char16_t(u'0' + state % 10));
        }
        if (weekday)
            text += u',' + QLocale(QLocale::Chinese).dayName(day.dayOfWeek());
        text += QStringLiteral("\r\n");
    }
    return text;
}

using bench::Times;

Times timeMs(const std::function<void()> &work) { return bench::timesOf(work); }

void report(const char *what, Times times, const char *target)
{
    bench::reportTimes(what, times, target, 56);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void expectDraws(const ImportScan &seen, const char *what)
{
    if (!seen.ok() || seen.read.draws.size() != size_t(kDraws) || !seen.read.refused.empty()) {
        std::fprintf(stderr, "%s: read %zu draws, %zu refused: %s\n", what, seen.read.draws.size(),
                     seen.read.refused.size(), seen.message.toUtf8().constData());
        std::exit(1);
    }
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString csvPath = QDir(dir.path()).filePath("draws.csv");
    const QByteArray csv = drawTable(kDraws, false).toUtf8();
    const QByteArray gbk = QStringEncoder("GB18030")(drawTable(kDraws, true));
    if (!writeFile(csvPath, csv))
        return 1;
    std::printf("CSV of %d draws %.1f MB, GBK table %.1f MB\n\n", kDraws, csv.size() / 1048576.0,
                gbk.size() / 1048576.0);
    std::printf("%-56s %10s %10s   %s\n", "", "wall", "cpu", "target (wall)");

    ImportScan seen;
    report("CSV: decode, detect and read it all (bytes)",
           timeMs([&] { seen = TableImport::scan(csv); }), "<= 1000 ms");
    expectDraws(seen, "CSV");
    report("CSV: the same from the file", timeMs([&] { seen = TableImport::scan(csvPath); }),
           "<= 1000 ms");
    expectDraws(seen, "CSV file");
    {
        SourceText source;
        std::optional<TableLayout> layout;
        report("  of which: decode and find the lines",
               timeMs([&] { source = SourceText::decode(csv); }), "-");
        report("  of which: detection on the first lines (layout, game)", timeMs([&] {
                   layout = LayoutDetector::detect(source);
                   GameGuess::of(source, *layout);
               }),
               "-");
        report("  of which: read every row",
               timeMs([&] { TableReader::read(source, *layout, Game::standard()); }), "-");
    }
    // What the preview then stores: the whole file in place of a history of 500,000 draws, 1,000
    // new draws added to it, one draw corrected in its middle.
    {
        HistoryStore store;
        store.open(QDir(dir.path()).filePath("Varnibo.mdb"));
        DrawRun run;
        std::vector<DrawRecord> before;
        for (const HistoryLine &line : seen.read.draws)
            before.push_back(run.append(line.sqqh - 1, line.digits, 1)); // other draws stored
        store.replaceAll(before);
        report("replacing a history of 500,000 draws with the CSV", timeMs([&] {
                   if (!storeLines(store, seen.read.draws, 1, false))
                       std::exit(1);
               }),
               "<= 3000 ms");
        std::vector<DatedDraw> added;
        int32_t sqqh = store.newest()->sqqh;
        for (int i = 0; i < 1000; ++i) {
            sqqh = Game::standard().next(sqqh, QDate());
            added.push_back({sqqh, {1, 2, 3, 4, uint8_t(i % 10)}, 0});
        }
        report("adding 1,000 new draws to 500,000", timeMs([&] {
                   if (!store.mergeDraws(added, {}, 1))
                       std::exit(1);
               }),
               "<= 500 ms");
        report("one correction in the middle of 500,000 draws", timeMs([&] {
                   if (!store.correctDraw(store.size() / 2, {9, 9, 9, 9, 9}, 1))
                       std::exit(1);
               }),
               "<= 200 ms");
        std::printf("  %zu draws stored, %zu corrected\n", store.size(), store.corrections().size());
    }
    report("GBK table with a Chinese column: all of it",
           timeMs([&] { seen = TableImport::scan(gbk); }), "<= 1000 ms");
    expectDraws(seen, "GBK");

    // A large file of prose: written once, then refused from its first bytes.
    const QString prosePath = QDir(dir.path()).filePath("prose.txt");
    {
        QFile file(prosePath);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QByteArray block;
        while (block.size() < 4 * 1024 * 1024)
            block += "这一行说的是别的事，没有开奖号码，只有 12 个字和 2026 年。\r\n";
        for (qint64 written = 0; written < qint64(1536) * 1024 * 1024; written += block.size()) {
            if (file.write(block) != block.size())
                return 1;
        }
    }
    report("1.5 GB file without a draw: refused",
           timeMs([&] { seen = TableImport::scan(prosePath); }), "<= 1000 ms");
    std::printf("  %s; %.1f MB read\n", seen.message.toUtf8().constData(),
                seen.bytesRead / 1048576.0);
    QFile::remove(prosePath);

    bench::printMachine();
    return 0;
}
