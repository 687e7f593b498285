// Usage: take_stats_screenshots <sample history file> <window png> <backtest png>
// Imports the sample into a fresh program folder, runs one follow-pattern search and saves the
// window with its outcome chart; then runs the backtest of that search and saves its window.
#include "HistoryImport.h"
#include "HistoryStore.h"
#include "frmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: take_stats_screenshots <history.txt> <window.png> <backtest.png>\n");
        return 2;
    }
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication app(argc, argv);
    QTemporaryDir folder;
    {
        quorlent::HistoryStore store;
        store.open(QDir(folder.path()).filePath(QStringLiteral("Varnibo.mdb")));
        const auto result = quorlent::importHistoryFile(store, QString::fromLocal8Bit(argv[1]), 1);
        if (!result.ok) {
            std::fprintf(stderr, "%s\n", qPrintable(result.message));
            return 1;
        }
    }
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
