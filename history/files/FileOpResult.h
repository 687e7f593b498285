#pragma once

#include <QString>

namespace quorlent {

// What a file operation on the history did, for the window's status bar. `ok` is false whenever
// the user's request was not carried out; the history is then as it was, unless `message` says
// otherwise.
struct FileOpResult
{
    bool ok = false;
    QString message;     // one Chinese sentence for the status bar
    qsizetype count = 0; // draws stored (import, rebuild), kept (deletions) or written (export)
    qsizetype skippedLines = 0; // lines of the file that were not acceptable draws
    qsizetype removed = 0;      // draws removed by a deletion
    QString path;               // the file written (export)
    bool compacted = false;     // the database file was compacted afterwards

    static FileOpResult failure(QString text)
    {
        FileOpResult result;
        result.message = std::move(text);
        return result;
    }
};

} // namespace quorlent
