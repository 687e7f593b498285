#pragma once

// What every screenshot tool does first: its arguments checked, settings and a program folder of
// its own (SampleProgramFolder), the application, and the main window on that folder.

#include "QtChineseTexts.h"
#include "SampleProgramFolder.h"
#include "frmMain.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <cstdio>
#include <memory>

class ScreenshotRun
{
  public:
    // `usage` names the `arguments` the tool takes; with another number of them it is printed
    // and ok() is false.
    ScreenshotRun(int &argc, char **argv, int arguments, const char *usage)
    {
        if (argc != arguments + 1) {
            std::fprintf(stderr, "usage: %s %s\n", argv[0], usage);
            return;
        }
        m_app = std::make_unique<QApplication>(argc, argv);
        installQtChineseTexts(*m_app); // as the program shows its dialogs
        for (int i = 1; i < argc; ++i)
            m_arguments << QString::fromLocal8Bit(argv[i]);
    }

    bool ok() const { return m_app != nullptr; }
    // The arguments, from 1.
    QString argument(int i) const { return m_arguments.value(i - 1); }
    SampleProgramFolder &folder() { return m_folder; }

    // The main window on the program folder, shown (and exposed on a real display).
    frmMain &openWindow()
    {
        m_window = std::make_unique<frmMain>(m_folder.path());
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            std::fprintf(stderr, "the window was not shown in time\n");
        return *m_window;
    }

    // A grab of the whole screen, once the window system has mapped and painted what was shown:
    // a grab of a window alone shows no open menu.
    static bool grabScreen(const QString &path)
    {
        QTest::qWait(300);
        return QGuiApplication::primaryScreen()->grabWindow(0).save(path);
    }

  private:
    SampleProgramFolder m_folder; // first: settings are read from its XDG_CONFIG_HOME once
    std::unique_ptr<QApplication> m_app;
    QStringList m_arguments;
    std::unique_ptr<frmMain> m_window;
};
