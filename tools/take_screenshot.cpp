// Usage: take_screenshot <sample history file> <png>
// Imports the sample into a fresh program folder, runs one follow-pattern search and saves the
// window as the user would see it.
#include "ScreenshotRun.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPixmap>

int main(int argc, char **argv)
{
    ScreenshotRun run(argc, argv, 2, "<history.txt> <out.png>");
    if (!run.ok())
        return 2;
    if (!run.folder().import(run.argument(1)))
        return 1;
    frmMain &window = run.openWindow();
    for (const char *name : {"Check1(1)", "Check1(2)"})
        window.findChild<QCheckBox *>(QLatin1String(name))->setChecked(true);
    window.findChild<QAbstractButton *>(QStringLiteral("Command1"))->click();
    QApplication::processEvents();
    return window.grab().save(run.argument(2)) ? 0 : 1;
}
