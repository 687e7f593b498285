#include "Mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QWidget>

namespace {

// Captions by the letter they answer to.
using Letters = QMap<QString, QStringList>;

void add(Letters &letters, const QString &caption)
{
    const QKeySequence key = QKeySequence::mnemonic(caption);
    if (!key.isEmpty())
        letters[key.toString(QKeySequence::PortableText)] << caption;
}

void report(QStringList &clashes, const QString &where, const Letters &letters)
{
    for (auto it = letters.begin(); it != letters.end(); ++it)
        if (it->size() > 1)
            clashes << QStringLiteral("%1: %2: %3")
                           .arg(where, it.key(), it->join(QStringLiteral(", ")));
}

// A menu's entries among themselves (its submenus are menus of the window too).
void checkMenu(QStringList &clashes, const QString &where, const QMenu *menu)
{
    Letters letters;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator() && action->isVisible())
            add(letters, action->text());
    report(clashes, where + QStringLiteral(" › ") + menu->title(), letters);
}

} // namespace

QStringList mnemonicClashes(QWidget *window)
{
    QStringList clashes;
    const QString where = window->windowTitle().isEmpty()
                              ? QString::fromLatin1(window->metaObject()->className())
                              : window->windowTitle();
    Letters letters;
    const auto shown = [window](const QWidget *w) {
        return w->window() == window && w->isVisibleTo(window);
    };
    for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
        if (shown(button))
            add(letters, button->text());
    for (const QLabel *label : window->findChildren<QLabel *>())
        if (shown(label) && label->buddy())
            add(letters, label->text());
    for (const QGroupBox *group : window->findChildren<QGroupBox *>())
        if (shown(group))
            add(letters, group->title());
    for (const QTabBar *tabs : window->findChildren<QTabBar *>())
        if (shown(tabs))
            for (int i = 0; i < tabs->count(); ++i)
                add(letters, tabs->tabText(i));
    for (const QMenuBar *bar : window->findChildren<QMenuBar *>()) {
        if (!shown(bar))
            continue;
        for (const QAction *action : bar->actions())
            add(letters, action->text());
    }
    report(clashes, where, letters);
    // Every menu of the window: those of its menu bar and those its buttons pop up.
    for (const QMenu *menu : window->findChildren<QMenu *>())
        checkMenu(clashes, where, menu);
    return clashes;
}
