#pragma once

#include <QString>

// Where the program keeps Varnibo.mdb and every other file of its own:
//  - `home` when it is not empty (the --home option, else QUORLENT_HOME), created if missing;
//  - else the executable's folder, when the program is not an installed copy and that folder can
//    be written: where it was built, or a Windows zip unpacked anywhere writable (portable);
//  - else the per-user data folder (perUserDataFolder()): for an installed program, even when it
//    could write beside its executable, and for an executable in a folder that cannot be written.
QString programFolder(const QString &home, const QString &executableFolder);

// Whether the executable belongs to an installed copy: on Linux, one whose shared data folder lies
// beside its bin folder; on Windows, one the installer marked with kInstalledMarker beside it.
bool isInstalledCopy(const QString &executableFolder);

// The file the Windows installer puts beside quorlent.exe; a zip's copy has none.
inline constexpr char kInstalledMarker[] = "quorlent-installed.txt";

// The per-user data folder: ~/.local/share/quorlent ($XDG_DATA_HOME/quorlent) on Linux,
// %LOCALAPPDATA%\Quorlent on Windows.
QString perUserDataFolder();

// Where the settings file Tessaryn/Tessaryn.ini lies: on Windows in the program folder, so that a
// portable copy carries its settings with it and an installed one keeps them beside its data in
// %LOCALAPPDATA%\Quorlent; on Linux the per-user configuration folder ($XDG_CONFIG_HOME or
// ~/.config). Makes the settings store use it; call before the first settings object.
void useSettingsFolderOf(const QString &programFolder);

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
