#pragma once

#include <QString>
#include <QUrl>

namespace quorlent {

// The one way the program hands a file or a web address to the outside world: an exported
// workbook to the spreadsheet application, a help page to the browser.
//
// When the environment variable QUORLENT_OPENER names a program, that program is started with
// the path or address, unchanged, as its only argument; tests point it at a recorder. Otherwise
// the desktop opens it with the application it associates with the file type or scheme.
class Opener
{
  public:
    static constexpr const char *kEnvironmentVariable = "QUORLENT_OPENER";

    // `target` is an address with a scheme ("https://...", "file:///...", "mailto:...") or a
    // local path, absolute or relative to the current folder. Returns whether the program or
    // the desktop accepted it; false lets the window tell the user that nothing was opened.
    static bool open(const QString &target);

    // How `target` is handed to the desktop.
    static QUrl urlFor(const QString &target);
};

} // namespace quorlent
