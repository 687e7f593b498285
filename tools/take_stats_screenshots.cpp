// Usage: take_stats_screenshots <sample history file> <window png> <backtest png>
// Imports the sample into a fresh program folder, runs one follow-pattern search and saves the
// window with its outcome chart; then runs the backtest of that search and saves its window.
#include "ScreenshotRun.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QPixmap>
#include <QSignalSpy>

int main(int argc, char **argv)
{
    ScreenshotRun run(argc, argv, 3, "<history.txt> <window.png> <backtest.png>");
    if (!run.ok())
        return 2;
    if (!run.folder().import(run.argument(1)))
        return 1;
    frmMain &window = run.openWindow();
    window.resize(1360, 740); // as on a 1366x768 screen
    window.findChild<QCheckBox *>(QStringLiteral("Check1(1)"))->setChecked(true);
    window.findChild<QAbstractButton *>(QStringLiteral("Command1"))->click();
    QApplication::processEvents();
    if (!window.grab().save(run.argument(2)))
        return 1;

    window.findChild<QAbstractButton *>(QStringLiteral("cmdHuice"))->click();
    auto *dialog = window.findChild<QDialog *>(QStringLiteral("BacktestDialog"));
    QSignalSpy ended(dialog, SIGNAL(runEnded()));
    window.findChild<QAbstractButton *>(QStringLiteral("cmdBacktestStart"))->click();
    if (!ended.wait(60000))
        return 1;
    QApplication::processEvents();
    return dialog->grab().save(run.argument(3)) ? 0 : 1;
}
