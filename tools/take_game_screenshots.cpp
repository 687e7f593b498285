// Usage: take_game_screenshots <docs folder>
// A made-up history of a daily game numbered by year (one draw a day from January 2025 to
// 21 April 2026, with the Spring Festival pause), opened in the window and in the 走势图 at
// 1366×768: game-window.png and game-trend.png.
#include "ScreenshotRun.h"
#include "TrendChartWindow.h"
#include "TrendView.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QRandomGenerator>

using namespace quorlent;

namespace {

bool makeDailyHistory(const QString &path)
{
    const Game daily = *Game::make(1, IssueForm::YearSequence4);
    HistoryStore store;
    if (store.create(path, daily, QStringLiteral("排列五")).status !=
        HistoryDb::OpenStatus::Created)
        return false;
    QRandomGenerator random(2026);
    DrawRun run;
    std::vector<DrawRecord> records;
    int sequence = 0;
    int year = 2025;
    for (QDate day(2025, 1, 1); day <= QDate(2026, 4, 21); day = day.addDays(1)) {
        if (day.year() != year) {
            year = day.year();
            sequence = 0;
        }
        // No draws over the Spring Festival.
        if ((day >= QDate(2025, 1, 28) && day < QDate(2025, 2, 5)) ||
            (day >= QDate(2026, 2, 16) && day < QDate(2026, 2, 24)))
            continue;
        Digits digits{};
        for (auto &d : digits)
            d = uint8_t(random.bounded(10));
        records.push_back(run.append(daily.issueOfYear(year, ++sequence), digits, 1));
        records.back().date = Game::dateNumber(day);
    }
    return store.append(records);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QUORLENT_NOW", "2026-04-21T21:30:00");
    ScreenshotRun run(argc, argv, 1, "<folder>");
    if (!run.ok())
        return 2;
    if (!makeDailyHistory(QDir(run.folder().path()).filePath(QStringLiteral("排列五.mdb"))))
        return 1;
    {
        // Left on the daily game, as a user who works on it.
        SettingsSection(QStringLiteral("IniSetting"))
            .setText(QStringLiteral("txtHistoryFile"), QStringLiteral("排列五.mdb"));
    }
    const QDir out(run.argument(1));
    frmMain &window = run.openWindow();
    window.resize(1366, 740);
    window.findChild<QAbstractButton *>(QStringLiteral("Command1"))->click();
    QApplication::processEvents();
    if (!window.grab().save(out.filePath(QStringLiteral("game-window.png"))))
        return 1;
    window.findChild<QAbstractButton *>(QStringLiteral("cmdZoushi"))->click();
    auto *chart = window.findChild<TrendChartWindow *>();
    chart->findChild<QComboBox *>(QStringLiteral("cboWindow"))
        ->setCurrentIndex(TrendChartWindow::Last100);
    chart->resize(1366, 740);
    QApplication::processEvents();
    chart->chartView()->scrollToBottom(); // the newest draw in view at this size
    QApplication::processEvents();
    return chart->grab().save(out.filePath(QStringLiteral("game-trend.png"))) ? 0 : 1;
}
