// Usage: take_about_screenshot <png>
// Saves the About dialog as an installed program shows it to a user: the program folder and the
// settings file under a typical home folder. Nothing is written there.
#include "AboutDialog.h"
#include "ApplicationIcon.h"
#include "QtChineseTexts.h"
#include "Settings.h"

#include <QApplication>
#include <QStandardPaths>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: take_about_screenshot <out.png>\n");
        return 2;
    }
    qputenv("HOME", "/home/user");
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        qunsetenv(name);
    QCoreApplication::setApplicationName(QStringLiteral("quorlent"));
    QApplication app(argc, argv);
    installQtChineseTexts(app);
    QApplication::setWindowIcon(applicationIcon());
    AboutDialog dialog(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                       Settings::fileName());
    dialog.show();
    QApplication::processEvents();
    return dialog.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
