// Usage: take_stats_screenshots <sample history file> <window png> <backtest png>
// Imports the sample into a fresh program folder, runs one follow-pattern search and saves the
// window with its outcome chart; then runs the backtest of that search and saves its window.
#include "SampleProgramFolder.h"
#include "frmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QPixmap>
#include <QSignalSpy>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: take_stats_screenshots <history.txt> <window.png> <backtest.png>\n");
        return 2;
    }
    SampleProgramFolder folder;
    QApplication app(argc, argv);
    if (!folder.import(QString::fromLocal8Bit(argv[1])))
        return 1;
    frmMain window(folder.path());
    window.resize(1360, 740); // as on a 1366x768 screen
    window.show();
    window.findChild<QCheckBox *>(QStringLiteral("Check1(1)"))->setChecked(true);
    window.findChild<QAbstractButton *>(QStringLiteral("Command1"))->click();
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[2])))
        return 1;

    window.findChild<QAbstractButton *>(QStringLiteral("cmdHuice"))->click();
    auto *dialog = window.findChild<QDialog *>(QStringLiteral("BacktestDialog"));
    QSignalSpy ended(dialog, SIGNAL(runEnded()));
    window.findChild<QAbstractButton *>(QStringLiteral("cmdBacktestStart"))->click();
    if (!ended.wait(60000))
        return 1;
    QApplication::processEvents();
    return dialog->grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
}
