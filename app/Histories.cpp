#include "Histories.h"

#include "HistoryFiles.h"
#include "HistoryStore.h"
#include "OnlineUpdater.h"
#include "Questions.h"
#include "Settings.h"

#include <QFileInfo>

using namespace quorlent;

Histories::Histories(HistoryStore &store, Settings &settings, const QString &programFolder,
                     Questions &questions, const OnlineUpdater &updater, QObject *parent)
    : QObject(parent), m_store(store), m_settings(settings), m_programFolder(programFolder),
      m_questions(questions), m_updater(updater)
{
    connect(&store, &HistoryStore::opened, this, &Histories::opened);
}

void Histories::openAtStart()
{
    historyfiles::removeUnfinishedCreations(m_programFolder);
    const QString fallback = historyfiles::defaultPath(m_programFolder);
    QString path = historyfiles::resolve(m_programFolder, m_settings.historyFile());
    if (path != fallback && !QFileInfo::exists(path)) {
        emit status(QStringLiteral("上次使用的历史库 %1 已不在，打开默认历史库 Varnibo.mdb。")
                        .arg(QFileInfo(path).fileName()));
        path = fallback;
    }
    auto opened = m_store.open(path);
    if (!opened.message.isEmpty() && path != fallback) {
        // The history left open last cannot be read now: the default one instead.
        const QString why = opened.message;
        opened = m_store.open(fallback);
        emit status(why + QStringLiteral("已打开默认历史库 Varnibo.mdb。"));
    } else if (!opened.message.isEmpty()) {
        emit status(opened.message);
    }
}

void Histories::open(const QString &path)
{
    if (m_updater.isRunning()) {
        emit status(QStringLiteral("在线更新正在进行，结束后才能打开另一个历史库。"));
        return;
    }
    const QString name = QFileInfo(path).fileName();
    // Opening never creates a file, nor touches one that is not a history of ours.
    if (!QFileInfo::exists(path)) {
        emit status(QStringLiteral("找不到历史库 %1。").arg(path));
        m_settings.setRecentHistories(
            historyfiles::withRecent(m_settings.recentHistories(), QString()));
        emit recentChanged();
        return;
    }
    if (!HistoryDb::isOurs(path)) {
        emit status(QStringLiteral("%1 不是本程序的历史库，未作任何改动。").arg(name));
        return;
    }
    const HistoryDb::OpenResult opened = m_store.open(path);
    if (opened.status != HistoryDb::OpenStatus::Opened &&
        opened.status != HistoryDb::OpenStatus::Created) {
        emit status(opened.message + QStringLiteral("仍使用原来的历史库。"));
        return;
    }
    emit status(QStringLiteral("已打开历史库 %1：%2，%3 期开奖号码。")
                    .arg(name, m_store.game().scheduleName())
                    .arg(m_store.size()));
}

// Another history is open: it is the one to start on next time, and the newest of the recent.
void Histories::opened()
{
    const QString path = m_store.path();
    if (!path.isEmpty()) {
        m_settings.setHistoryFile(historyfiles::remembered(m_programFolder, path));
        m_settings.setRecentHistories(historyfiles::withRecent(m_settings.recentHistories(), path));
    }
    emit recentChanged();
}

std::vector<Histories::Recent> Histories::recent() const
{
    std::vector<Recent> out;
    const QFileInfo current(m_store.path());
    const QFileInfo fallback(historyfiles::defaultPath(m_programFolder));
    for (const QString &file : m_settings.recentHistories()) {
        if (QFileInfo(file) == current)
            continue;
        out.push_back({file, QFileInfo(file) == fallback
                                 ? QStringLiteral("默认历史库（Varnibo.mdb）")
                                 : QFileInfo(file).completeBaseName()});
    }
    return out;
}

void Histories::newHistory()
{
    if (m_updater.isRunning()) {
        emit status(QStringLiteral("在线更新正在进行，结束后才能新建历史库。"));
        return;
    }
    const auto named =
        m_questions.nameHistory(QStringLiteral("新建历史库"), QString(), Game::standard(), false,
                                [this](const QString &name) {
                                    QString error;
                                    historyfiles::newHistoryPath(m_programFolder, name, &error);
                                    return error;
                                });
    if (!named)
        return;
    QString error;
    const QString path = historyfiles::newHistoryPath(m_programFolder, named->name, &error);
    if (path.isEmpty()) {
        emit status(error + QStringLiteral("，没有新建历史库。"));
        return;
    }
    const HistoryDb::OpenResult created = m_store.create(path, named->game, named->name);
    if (created.status != HistoryDb::OpenStatus::Created) {
        emit status(created.message);
        return;
    }
    emit status(QStringLiteral("已新建历史库 %1（%2），可以读入历史号码文本或逐期输入。")
                    .arg(QFileInfo(path).fileName(), m_store.game().scheduleName()));
}

void Histories::openOther()
{
    const QString path = m_questions.openFileName(QStringLiteral("打开历史库"), m_programFolder,
                                                  QStringLiteral("历史库 (*.mdb);;所有文件 (*)"));
    if (!path.isEmpty())
        open(path);
}

void Histories::nameAndGame()
{
    if (!m_store.isOpen()) {
        emit status(QStringLiteral("没有打开的历史库。"));
        return;
    }
    const bool locked = !m_store.empty();
    const auto named = m_questions.nameHistory(QStringLiteral("历史库名称与彩种"), m_store.name(),
                                               m_store.game(), locked, {});
    if (!named)
        return;
    if (locked && named->game != m_store.game()) {
        emit status(QStringLiteral("历史库已有开奖号码，彩种不能更改。"));
        return;
    }
    if (!m_store.setGame(named->game, named->name)) {
        emit status(QStringLiteral("历史库的名称与彩种未能保存。"));
        return;
    }
    emit status(QStringLiteral("历史库：%1，%2。")
                    .arg(named->name.isEmpty() ? QFileInfo(m_store.path()).fileName() : named->name,
                         m_store.game().scheduleName()));
}
