#pragma once

// The application object of a benchmark that opens windows: no display needed, and settings of
// its own, so a developer's stored choices neither change nor slow what is measured.

#include "ProcessMemory.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace quorlent::bench {

class HeadlessApp
{
public:
    HeadlessApp(int &argc, char **argv) : m_app(argc, argv) {}

private:
    // Set before the application object exists: both are read once, when it starts.
    struct Environment
    {
        Environment()
        {
            keepFreedMemory(); // as the program does
            qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
            QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path()); // Windows
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        QTemporaryDir config;
    };
    Environment m_environment;
    QApplication m_app;
};

} // namespace quorlent::bench
