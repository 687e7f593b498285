#pragma once

#include "Game.h"

#include <QString>
#include <cstdint>

// The files the history keeps in the program folder besides the database.
namespace quorlent::programfiles {

// The backup text file that the deletions write and the rebuild reads.
inline constexpr char16_t kBackupFile[] = u"lsbf.txt";
// The compacted copy of the database; it stays after a compaction.
inline constexpr char16_t kCompactCopy[] = u"VarniboTmp.mdb";
// Where import files are expected (the open dialog starts there).
inline constexpr char16_t kImportFolder[] = u"历史号码";

QString backupPath(const QString &programFolder);
// "更新至" + the newest issue's nine stored digits + "期历史号码.txt"; another game's issue as it
// writes it ("更新至2026101期历史号码.txt").
QString exportFileName(int32_t newestIssue, const Game &game = Game::standard());
QString exportPath(const QString &programFolder, int32_t newestIssue,
                   const Game &game = Game::standard());

} // namespace quorlent::programfiles
