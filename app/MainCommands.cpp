#include "MainCommands.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

QMenu *makeMenu(QWidget *parent, const QString &title, const char *name)
{
    auto *m = new QMenu(title, parent);
    m->setObjectName(QLatin1String(name));
    return m;
}

} // namespace

QMenu *MainCommands::menu(CommandMenu which) const
{
    switch (which) {
    case Lsgl:
        return mnuLsgl;
    case Fenxi:
        return mnuFenxi;
    case Set:
        return mnuSet;
    case Segments:
        return mnuDscsSet;
    case Zhpm:
        return mnuZhpmSet;
    case Help:
        return mnuHelp;
    case NoMenu:
        break;
    }
    return nullptr;
}

void MainCommands::build(QMainWindow *window, std::span<const CommandRow> rows)
{
    m_rows = rows;
    mnuLsgl = makeMenu(window, QStringLiteral("历史管理"), "mnuLsgl");
    mnuFenxi = makeMenu(window, QStringLiteral("分析"), "mnuFenxi");
    mnuSet = makeMenu(window, QStringLiteral("设置"), "mnuSet");
    mnuHelp = makeMenu(window, QStringLiteral("帮助"), "mnuHelp");
    for (const CommandRow &row : rows) {
        const size_t at = size_t(row.command);
        auto *action = new QAction(QString::fromUtf8(row.caption), window);
        action->setObjectName(QLatin1String(row.action));
        action->setCheckable(row.checkable);
        if (row.key != QKeySequence::UnknownKey) {
            action->setShortcut(row.key);
            action->setShortcutContext(Qt::ApplicationShortcut);
        }
        m_actions[at] = action;
        if ((row.menus & Segments) && !mnuDscsSet) {
            mnuDscsSet = mnuSet->addMenu(QStringLiteral("段数参数设置(&A)"));
            mnuDscsSet->setObjectName(QStringLiteral("mnuDscsSet"));
        }
        if ((row.menus & Zhpm) && !mnuZhpmSet) {
            // A choice that is only kept: its menu says so, and so does each entry's tip.
            mnuZhpmSet = mnuSet->addMenu(QStringLiteral("红球/红蓝（不改变检索结果）(&L)"));
            mnuZhpmSet->setObjectName(QStringLiteral("mnuZhpmSet"));
            mnuZhpmSet->setToolTipsVisible(true);
        }
        if (row.tip && !row.button) {
            action->setToolTip(QString::fromUtf8(row.tip));
            action->setStatusTip(QString::fromUtf8(row.tip));
        }
        for (CommandMenu which : {Lsgl, Fenxi, Set, Segments, Zhpm, Help}) {
            if (!(row.menus & which))
                continue;
            if (row.separatorBefore & which) {
                QAction *separator = menu(which)->addSeparator();
                if (!m_separators[at])
                    m_separators[at] = separator;
            }
            menu(which)->addAction(action);
        }
        if (!row.button)
            continue;
        auto *button = new QPushButton(QString::fromUtf8(row.buttonCaption));
        button->setObjectName(QLatin1String(row.button));
        if (row.tip)
            button->setToolTip(QString::fromUtf8(row.tip));
        QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
        QObject::connect(action, &QAction::changed, button,
                         [button, action] { button->setEnabled(action->isEnabled()); });
        m_buttons[at] = button;
    }
    for (QMenu *m : {mnuLsgl, mnuFenxi, mnuSet, mnuHelp})
        window->menuBar()->addMenu(m);
}
