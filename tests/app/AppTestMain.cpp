#include <QApplication>
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        QFile screens(config.filePath(QStringLiteral("screens.json")));
        if (screens.open(QIODevice::WriteOnly))
            screens.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366,)"
                          R"( "height": 768, "logicalDpi": 96, "dpr": 1}]})");
        screens.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toUtf8());
    }
    QApplication app(argc, argv);
    // The online update's tests talk to a server on 127.0.0.1 only.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
