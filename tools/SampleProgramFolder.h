#pragma once

// What every screenshot starts from: settings of its own and a fresh program folder holding the
// sample history, ready for a window to open on it.

#include "HistoryImport.h"
#include "HistoryStore.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

class SampleProgramFolder
{
public:
    // Before the application object: settings are read from XDG_CONFIG_HOME once.
    SampleProgramFolder() { qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8()); }

    // Imports the history file; says why on standard error when it cannot.
    bool import(const QString &historyFile)
    {
        quorlent::HistoryStore store;
        store.open(QDir(m_folder.path()).filePath(QStringLiteral("Varnibo.mdb")));
        const auto result = quorlent::importHistoryFile(store, historyFile, 1);
        if (!result.ok)
            std::fprintf(stderr, "%s\n", qPrintable(result.message));
        return result.ok;
    }

    QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_config;
    QTemporaryDir m_folder;
};
