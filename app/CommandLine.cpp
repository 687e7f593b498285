#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstring>

CommandLine CommandLine::parse(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Quorlent: draw history analysis for a five-digit lottery (历史号码分析)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption home(
        QStringLiteral("home"),
        QStringLiteral("Keep Varnibo.mdb and the program's other files in <dir> (the same as "
                       "the environment variable QUORLENT_HOME, which this option overrides)."),
        QStringLiteral("dir"));
    parser.addOption(home);
    // Creates the program folder's files the way a start does, without showing the window.
    QCommandLineOption checkStart(
        QStringLiteral("check-start"),
        QStringLiteral("Run the start-up, print the program folder and quit."));
    checkStart.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(checkStart);
    parser.process(app);

    CommandLine line;
    line.home = parser.isSet(home) ? parser.value(home) : qEnvironmentVariable("QUORLENT_HOME");
    line.checkStart = parser.isSet(checkStart);
    return line;
}

bool CommandLine::asksForTextOnly(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"-h", "-?", "--help", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}
