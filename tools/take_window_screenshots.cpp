// Usage: take_window_screenshots <sample history file> <docs folder>
// The main window on a 1366×768 screen, as a person sees it: window-menubar.png (the 帮助 menu
// open over the window after a search), help.png (使用说明) and live.png (实时检索 on, right after
// an option changed). Run it on a real display of that size (xvfb-run): a grab of the whole screen
// shows the open menu, which a grab of the window alone does not.
#include "SampleProgramFolder.h"
#include "frmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: take_window_screenshots <history.txt> <folder>\n");
        return 2;
    }
    SampleProgramFolder folder;
    QApplication app(argc, argv);
    if (!folder.import(QString::fromLocal8Bit(argv[1])))
        return 1;
    const QDir out(QString::fromLocal8Bit(argv[2]));
    auto screen = [&](const char *name) {
        QTest::qWait(300); // let the window system map and paint what was shown
        return QGuiApplication::primaryScreen()->grabWindow(0).save(out.filePath(QLatin1String(name)));
    };

    frmMain window(folder.path());
    window.show();
    QTest::qWaitForWindowExposed(&window);
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
    return ok ? 0 : 1;
}
