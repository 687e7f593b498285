#pragma once

#include <QString>

// Where the program keeps Varnibo.mdb and every other file of its own:
//  - `home` when it is not empty (the --home option, else QUORLENT_HOME), created if missing;
//  - else the executable's folder, when the program runs from where it was built and that
//    folder can be written;
//  - else the per-user data folder (QStandardPaths::AppDataLocation): for an installed program,
//    whose executable lies beside its shared data folder, even when root could write there, and
//    for an executable in a folder that cannot be written.
QString programFolder(const QString &home, const QString &executableFolder);

// The shared data folder of an installed program (…/share/quorlent beside …/bin); empty when the
// executable does not lie in an installed tree.
QString installedDataFolder(const QString &executableFolder);

// Whether a file can be created in `folder`, found out by creating one: the permission bits do
// not tell for root, nor for ACLs or read-only mounts.
bool canCreateFilesIn(const QString &folder);

// The sample history that comes with the program: the installed one, else the one the build put
// next to the executable; empty when there is none.
QString sampleHistoryFolder(const QString &executableFolder);

// Gives a new program folder the sample history: copies the files of `samples` into
// <folder>/历史号码 when that folder does not exist yet. A folder the user already has is left as
// it is. False when a copy failed.
bool offerSampleHistory(const QString &folder, const QString &samples);
