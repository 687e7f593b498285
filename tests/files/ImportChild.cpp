// Runs one writer over a database and exits: 0 when it succeeded. The kill tests run this in a
// process of their own so that they can kill it at any moment.
//   files_import_child DATABASE HISTORY-FILE   imports the history file
//   files_import_child --compact DATABASE      compacts the database
#include "DatabaseCompactor.h"
#include "HistoryImport.h"
#include "HistoryStore.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    // Arguments through Qt, so that a path with Chinese characters arrives whole on Windows too.
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const bool compact = args.size() == 3 && args[1] == QLatin1String("--compact");
    if (args.size() != 3) {
        std::fprintf(stderr,
                     "usage: files_import_child DATABASE HISTORY-FILE | --compact DATABASE\n");
        return 2;
    }
    quorlent::HistoryStore store;
    store.open(compact ? args[2] : args[1]);
    if (!store.isOpen())
        return 3;
    const quorlent::FileOpResult result =
        compact ? quorlent::compactDatabase(store) : quorlent::importHistoryFile(store, args[2], 1);
    if (!result.ok) {
        std::fprintf(stderr, "%s\n", result.message.toUtf8().constData());
        return 1;
    }
    return 0;
}
