// Usage: take_screenshot <sample history file> <png>
// Imports the sample into a fresh program folder, runs one follow-pattern search and saves the
// window as the user would see it.
#include "SampleProgramFolder.h"
#include "frmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QPixmap>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: take_screenshot <history.txt> <out.png>\n");
        return 2;
    }
    SampleProgramFolder folder;
    QApplication app(argc, argv);
    if (!folder.import(QString::fromLocal8Bit(argv[1])))
        return 1;
    frmMain window(folder.path());
    window.show();
    for (const char *name : {"Check1(1)", "Check1(2)"})
        window.findChild<QCheckBox *>(QLatin1String(name))->setChecked(true);
    window.findChild<QAbstractButton *>(QStringLiteral("Command1"))->click();
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
