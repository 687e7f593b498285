// The histories the window works on: one at a time, each of its own game.
#include "FileChooser.h"
#include "HistoryFiles.h"
#include "HistoryGameDialog.h"
#include "HistoryStore.h"
#include "OnlineUpdater.h"
#include "ResultsPanel.h"
#include "frmMain.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

using namespace quorlent;

void frmMain::connectHistories()
{
    connect(m_menus.mnuNewHistory, &QAction::triggered, this, &frmMain::mnuNewHistory_Click);
    connect(m_menus.mnuOpenHistory, &QAction::triggered, this, &frmMain::mnuOpenHistory_Click);
    connect(m_menus.mnuGame, &QAction::triggered, this, &frmMain::mnuGame_Click);
    connect(m_history.get(), &HistoryStore::opened, this, &frmMain::historyOpened);
    connect(m_history.get(), &HistoryStore::gameChanged, this, &frmMain::gameChanged);
}

// The history the program was left on, when it is still there; else the default one.
QString frmMain::startupHistory()
{
    const QString fallback = historyfiles::defaultPath(m_programFolder);
    const QString remembered = historyfiles::resolve(m_programFolder, m_settings.historyFile());
    if (remembered == fallback || QFileInfo::exists(remembered))
        return remembered;
    showStatus(QStringLiteral("上次使用的历史库 %1 已不在，打开默认历史库 Varnibo.mdb。")
                   .arg(QFileInfo(remembered).fileName()));
    return fallback;
}

void frmMain::openHistory(const QString &path)
{
    if (m_updater->isRunning()) {
        showStatus(QStringLiteral("在线更新正在进行，结束后才能打开另一个历史库。"));
        return;
    }
    const QString name = QFileInfo(path).fileName();
    // Opening never creates a file, nor touches one that is not a history of ours.
    if (!QFileInfo::exists(path)) {
        showStatus(QStringLiteral("找不到历史库 %1。").arg(path));
        m_settings.setRecentHistories(
            historyfiles::withRecent(m_settings.recentHistories(), QString()));
        refreshRecentMenu();
        return;
    }
    if (!HistoryDb::isOurs(path)) {
        showStatus(QStringLiteral("%1 不是本程序的历史库，未作任何改动。").arg(name));
        return;
    }
    const HistoryDb::OpenResult opened = m_history->open(path);
    if (opened.status != HistoryDb::OpenStatus::Opened &&
        opened.status != HistoryDb::OpenStatus::Created) {
        showStatus(opened.message + QStringLiteral("仍使用原来的历史库。"));
        return;
    }
    showStatus(QStringLiteral("已打开历史库 %1：%2，%3 期开奖号码。")
                   .arg(name, m_history->game().scheduleName())
                   .arg(m_history->size()));
}

// Another history is open: every view starts as at start-up.
void frmMain::historyOpened()
{
    const QString path = m_history->path();
    if (!path.isEmpty()) {
        m_settings.setHistoryFile(historyfiles::remembered(m_programFolder, path));
        m_settings.setRecentHistories(historyfiles::withRecent(m_settings.recentHistories(), path));
    }
    refreshRecentMenu();
    gameChanged();
    // The results were another history's.
    m_results->clear();
    m_live->searched(LiveSearch::Search::None);
    RefreshRefPattern();
    AddHaoma();
}

// What shows the game: the title, the next issue and whether it may be typed.
void frmMain::gameChanged()
{
    updateTitle();
    QihaoXianshi();
}

void frmMain::updateTitle()
{
    const QString name = m_history->name();
    setWindowTitle(name.isEmpty() ? QStringLiteral("Quorlent")
                                  : QStringLiteral("Quorlent — %1").arg(name));
}

void frmMain::refreshRecentMenu()
{
    for (QAction *a : m_recentActions)
        delete a;
    m_recentActions.clear();
    const QString current = m_history->path();
    int n = 0;
    for (const QString &file : m_settings.recentHistories()) {
        if (QFileInfo(file) == QFileInfo(current))
            continue;
        ++n;
        const bool isDefault =
            QFileInfo(file) == QFileInfo(historyfiles::defaultPath(m_programFolder));
        const QString caption = isDefault ? QStringLiteral("默认历史库（Varnibo.mdb）")
                                          : QFileInfo(file).completeBaseName();
        auto *a = new QAction(QStringLiteral("&%1 %2").arg(n).arg(caption), m_menus.mnuLsgl);
        a->setObjectName(QStringLiteral("mnuRecent(%1)").arg(n));
        a->setToolTip(file);
        a->setStatusTip(file);
        connect(a, &QAction::triggered, this, [this, file] { openHistory(file); });
        m_menus.mnuLsgl->insertAction(m_menus.recentEnd, a);
        m_recentActions.push_back(a);
    }
}

void frmMain::mnuNewHistory_Click()
{
    if (m_updater->isRunning()) {
        showStatus(QStringLiteral("在线更新正在进行，结束后才能新建历史库。"));
        return;
    }
    HistoryGameDialog dialog(QStringLiteral("新建历史库"), QString(), Game::standard(), false,
                             this);
    dialog.setNameCheck([this](const QString &name) {
        QString error;
        historyfiles::newHistoryPath(m_programFolder, name, &error);
        return error;
    });
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    const QString path = historyfiles::newHistoryPath(m_programFolder, dialog.name(), &error);
    if (path.isEmpty()) {
        showStatus(error + QStringLiteral("，没有新建历史库。"));
        return;
    }
    const HistoryDb::OpenResult created = m_history->create(path, dialog.game(), dialog.name());
    if (created.status != HistoryDb::OpenStatus::Created) {
        showStatus(created.message);
        return;
    }
    showStatus(QStringLiteral("已新建历史库 %1（%2），可以读入历史号码文本或逐期输入。")
                   .arg(QFileInfo(path).fileName(), m_history->game().scheduleName()));
}

void frmMain::mnuOpenHistory_Click()
{
    const QString path =
        FileChooser::openFileName(this, QStringLiteral("打开历史库"), m_programFolder,
                                  QStringLiteral("历史库 (*.mdb);;所有文件 (*)"));
    if (!path.isEmpty())
        openHistory(path);
}

void frmMain::mnuGame_Click()
{
    if (!m_history->isOpen()) {
        showStatus(QStringLiteral("没有打开的历史库。"));
        return;
    }
    const bool locked = !m_history->empty();
    HistoryGameDialog dialog(QStringLiteral("历史库名称与彩种"), m_history->name(),
                             m_history->game(), locked, this);
    dialog.setNameRequired(false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (locked && dialog.game() != m_history->game()) {
        showStatus(QStringLiteral("历史库已有开奖号码，彩种不能更改。"));
        return;
    }
    if (!m_history->setGame(dialog.game(), dialog.name())) {
        showStatus(QStringLiteral("历史库的名称与彩种未能保存。"));
        return;
    }
    showStatus(
        QStringLiteral("历史库：%1，%2。")
            .arg(dialog.name().isEmpty() ? QFileInfo(m_history->path()).fileName() : dialog.name(),
                 m_history->game().scheduleName()));
}
