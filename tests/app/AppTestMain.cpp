#include <QApplication>
#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Settings go to a folder of this run's own, read once at the first QSettings object.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    // Windows has no XDG folders: there the store's folder is set directly.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
    // The offscreen screen is made 1366×768, the smallest screen the window must fit.
#ifdef Q_OS_WIN
    // Qt splits the platform's arguments at colons, so no drive letter may appear in the file's
    // path: it lies in a folder made in the current one and is named relative to it.
    QTemporaryDir screensFolder(QDir::current().filePath(QStringLiteral("screens-XXXXXX")));
    const QString screensPath =
        QDir::current().relativeFilePath(screensFolder.filePath(QStringLiteral("screens.json")));
#else
    const QString screensPath = config.filePath(QStringLiteral("screens.json"));
#endif
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        QFile screens(screensPath);
        if (screens.open(QIODevice::WriteOnly))
            screens.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366,)"
                          R"( "height": 768, "logicalDpi": 96, "dpr": 1}]})");
        screens.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screensPath.toUtf8());
    }
    QApplication app(argc, argv);
    // The online update's tests talk to a server on 127.0.0.1 only.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
