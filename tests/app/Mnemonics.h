#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The mnemonics (the letter after "&" in a caption, pressed with Alt) that clash: in a window,
// among its shown buttons, tabs, buddied labels, group boxes and menu bar titles; in each of its
// menus, among the menu's entries. Each clash is told as "window: letter: caption, caption".
QStringList mnemonicClashes(QWidget *window);
