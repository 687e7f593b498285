#pragma once

#include <QString>

class QCoreApplication;

// The command line: --help, --version, --home DIR, and --check-start for tests and scripts.
struct CommandLine
{
    QString home;            // --home, else QUORLENT_HOME; empty when neither names a folder
    bool checkStart = false; // run the start-up, print the program folder and quit

    // Reads the arguments of `app`. --help, --version and mistakes are answered here, on the
    // terminal, and end the process.
    static CommandLine parse(const QCoreApplication &app);
    // Whether the arguments ask for --help or --version: those are answered without a display.
    static bool asksForTextOnly(int argc, char **argv);
};
