#include "AppInfo.h"
#include "ApplicationIcon.h"
#include "CommandLine.h"
#include "ProcessMemory.h"
#include "ProgramFolder.h"
#include "QtChineseTexts.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    quorlent::keepFreedMemory();
    // Named before any application object: the per-user data folder is ~/.local/share/quorlent
    // whatever the executable is called, and --version prints "quorlent <version>".
    QCoreApplication::setApplicationName(QStringLiteral("quorlent"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(appinfo::kVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(appinfo::kAppId));
    if (CommandLine::asksForTextOnly(argc, argv)) {
        // A terminal without a display still answers --help and --version.
        QCoreApplication text(argc, argv);
        CommandLine::parse(text); // ends the process
    }

    QApplication app(argc, argv);
    const CommandLine options = CommandLine::parse(app);
    QApplication::setWindowIcon(applicationIcon());
    installQtChineseTexts(app);

    const QString exeFolder = QCoreApplication::applicationDirPath();
    const QString folder = programFolder(options.home, exeFolder);
    useSettingsFolderOf(folder);
    offerSampleHistory(folder, sampleHistoryFolder(exeFolder));
    frmMain window(folder);
    if (options.checkStart) {
        std::printf("%s\n", QDir::toNativeSeparators(folder).toUtf8().constData());
        return 0;
    }
    window.show();
    return app.exec();
}
