// Usage: take_window_screenshots <sample history file> <docs folder>
// The main window on a 1366×768 screen, as a person sees it: window-menubar.png (the 帮助 menu
// open over the window after a search), help.png (使用说明) and live.png (实时检索 on, right after
// an option changed), import-preview.png (导入预览 of a CSV with refused rows). Run it on a real
// display of that size (xvfb-run): a grab of the whole screen shows the open menu, which a grab of
// the window alone does not.
#include "ImportPreviewDialog.h"
#include "ScreenshotRun.h"
#include "TableImport.h"

#include <QFileInfo>

#include <QAbstractButton>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

int main(int argc, char **argv)
{
    ScreenshotRun run(argc, argv, 2, "<history.txt> <folder>");
    if (!run.ok())
        return 2;
    if (!run.folder().import(run.argument(1)))
        return 1;
    const QDir out(run.argument(2));
    auto screen = [&](const char *name) {
        return ScreenshotRun::grabScreen(out.filePath(QLatin1String(name)));
    };

    frmMain &window = run.openWindow();
    for (const char *name : {"Check1(1)", "Check1(2)"})
        window.findChild<QCheckBox *>(QLatin1String(name))->setChecked(true);
    window.findChild<QAbstractButton *>(QStringLiteral("Command1"))->click();

    // The 帮助 menu, opened from the menu bar.
    auto *help = window.findChild<QMenu *>(QStringLiteral("mnuHelp"));
    window.menuBar()->setActiveAction(help->menuAction());
    bool ok = screen("window-menubar.png");
    help->hide();
    window.menuBar()->setActiveAction(nullptr);

    window.findChild<QAction *>(QStringLiteral("mnuShuoming"))->trigger();
    ok = screen("help.png") && ok;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String("frmHelp"))
            top->close();
    }

    // Live results: 大小 as the result kind, searched again at once.
    window.findChild<QCheckBox *>(QStringLiteral("chkLive"))->setChecked(true);
    window.findChild<QRadioButton *>(QStringLiteral("Option4(1)"))->click();
    window.flushLiveSearch();
    ok = screen("live.png") && ok;

    // A published CSV, newest first, with rows the preview refuses.
    const QString csv = QDir(run.folder().path()).filePath(QStringLiteral("下载的开奖.csv"));
    {
        QFile file(csv);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QByteArray text = "期号,开奖日期,开奖号码,和值\r\n";
        const char *rows[] = {"20170112006,2017-01-12,81234,18", "20170112005,2017-01-12,3301,7",
                              "20170112004,2017-01-12,55102,13", "20170112004,2017-01-12,55102,13",
                              "20170112121,2017-01-12,12345,15", "20170112003,2017-01-12,90817,25",
                              "20170112002,2017-01-12,44556,24", "20170112001,2017-01-12,19283,23",
                              "20170111120,2017-01-11,96007,22"};
        for (const char *row : rows)
            text += QByteArray(row) + "\r\n";
        file.write(text);
    }
    auto *preview =
        new ImportPreviewDialog(window.history(), quorlent::import::TableImport::scan(csv),
                                QFileInfo(csv).fileName(), 1, &window);
    preview->show();
    ok = screen("import-preview.png") && ok;
    return ok ? 0 : 1;
}
