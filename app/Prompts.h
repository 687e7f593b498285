#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// The window's few kinds of question and message box, each made as an object and run modally, so
// that every command asks the same way.
namespace prompts {

// A question with OK and Cancel (or the buttons given): whether OK (or Yes) was pressed.
bool confirm(QWidget *parent, const QString &title, const QString &text,
             QMessageBox::StandardButtons buttons = QMessageBox::Ok | QMessageBox::Cancel);
// A question answered by one of `choices` (button captions; the first is the default): the index
// of the one pressed, -1 when the box was closed.
int choose(QWidget *parent, const QString &title, const QString &text, const QStringList &choices);
// An input box: the text as typed, nothing when cancelled.
std::optional<QString> askText(QWidget *parent, const QString &title, const QString &prompt,
                               const QString &proposal);
// An input box for a whole number from `min` to `max`: nothing when cancelled.
std::optional<int> askNumber(QWidget *parent, const QString &title, const QString &prompt,
                             int proposal, int min, int max);
// A message with OK alone; `selectable` lets the text be copied (an address to type elsewhere).
void tell(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
          bool selectable = false);

} // namespace prompts
