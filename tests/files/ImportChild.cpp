// Imports a history file into a database and exits: 0 when the import succeeded. The kill test
// runs this in a process of its own so that it can kill it at any moment.
#include "HistoryImport.h"
#include "HistoryStore.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATABASE HISTORY-FILE\n", argv[0]);
        return 2;
    }
    quorlent::HistoryStore store;
    store.open(QString::fromLocal8Bit(argv[1]));
    if (!store.isOpen())
        return 3;
    const quorlent::FileOpResult result =
        quorlent::importHistoryFile(store, QString::fromLocal8Bit(argv[2]), 1);
    if (!result.ok) {
        std::fprintf(stderr, "%s\n", result.message.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
