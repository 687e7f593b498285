// Start-up to a usable window and one manual entry, on a history of 500,000 draws: of the
// original game, then of a game of 96 draws a day.
#include "HeadlessApp.h"
#include "BenchSupport.h"
#include "HistoryDb.h"
#include "frmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

using namespace quorlent;

namespace {

void buildHistory(const QString &path, const Game &game, int draws)
{
    auto db = game.isStandard() ? HistoryDb::openOrCreate(path).db
                                : HistoryDb::create(path, game, QStringLiteral("bench")).db;
    db->append(bench::randomRecords(draws, 7, 0, game));
}

int benchGame(const Game &game, int draws)
{
    QTemporaryDir folder;
    QElapsedTimer timer;
    timer.start();
    buildHistory(folder.filePath("Varnibo.mdb"), game, draws);
    std::printf("\n%s: history of %d draws built in %lld ms\n", qPrintable(game.scheduleName()),
                draws, timer.elapsed());

    std::printf("%-44s %10s %10s\n", "work", "ms", "target ms");
    {
        timer.restart();
        auto db = HistoryDb::openOrCreate(folder.filePath("Varnibo.mdb")).db;
        const size_t n = db->loadRows().size();
        std::printf("%-44s %10.1f %10s (%zu rows)\n", "  of which: reading the draws into memory",
                    timer.nsecsElapsed() / 1e6, "", n);
    }
    for (int run = 0; run < 3; ++run) {
        timer.restart();
        auto window = std::make_unique<frmMain>(folder.path());
        window->show();
        QApplication::processEvents();
        const double startup = timer.nsecsElapsed() / 1e6;
        std::printf("%-44s %10.1f %10d\n", "start-up to a usable window", startup, 1000);

        QApplication::setActiveWindow(window.get());
        if (!QTest::qWaitForWindowActive(window.get()))
            std::printf("window did not become active\n");
        auto box = [&](int i) {
            return window->findChild<QLineEdit *>(QStringLiteral("MaskEdBox1(%1)").arg(i));
        };
        for (int i = 1; i <= 4; ++i)
            QTest::keyClick(box(i), char('0' + i));
        timer.restart();
        QTest::keyClick(box(5), '5'); // stores the draw and refreshes the window
        QApplication::processEvents();
        const double entry = timer.nsecsElapsed() / 1e6;
        std::printf("%-44s %10.1f %10d\n", "manual entry of one draw, refresh included", entry, 50);
        const int rows = window->findChild<QTableView *>("MSFlexGrid1")->model()->rowCount();
        if (rows != draws + run + 1) {
            std::printf("unexpected grid rows: %d\n", rows);
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    bench::HeadlessApp app(argc, argv);
    const int draws = argc > 1 ? atoi(argv[1]) : 500000;
    return benchGame(Game::standard(), draws) ||
           benchGame(*Game::make(96, IssueForm::DateSequence2), draws);
}
