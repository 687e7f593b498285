#pragma once

#include <QObject>
#include <QString>

#include <vector>

class Questions;
class Settings;
namespace quorlent {
class HistoryStore;
class OnlineUpdater;
} // namespace quorlent

// The histories the window works on, one at a time, each of its own game: the one opened at
// start-up, a new one, another one, the recently used ones, the open one's name and game. The
// settings remember the one open and the recent ones. No widgets of its own: it asks through
// `questions` and says what happened with status().
class Histories : public QObject
{
    Q_OBJECT

  public:
    // A recently used history other than the open one.
    struct Recent
    {
        QString file;
        QString caption; // "默认历史库（Varnibo.mdb）", or the file's name without ".mdb"
    };

    Histories(quorlent::HistoryStore &store, Settings &settings, const QString &programFolder,
              Questions &questions, const quorlent::OnlineUpdater &updater,
              QObject *parent = nullptr);

    // Opens the history the program was left on, when it is still there and can be read; else the
    // default one.
    void openAtStart();
    // Opens the history file at `path`; one that is missing or not a history of ours is refused.
    void open(const QString &path);
    // 新建历史库 (mnuNewHistory).
    void newHistory();
    // 打开历史库 (mnuOpenHistory).
    void openOther();
    // 历史库名称与彩种 (mnuGame).
    void nameAndGame();

    // The recently used histories but the open one, newest first.
    std::vector<Recent> recent() const;

  signals:
    void status(const QString &text);
    // recent() is another list now.
    void recentChanged();

  private:
    void opened();

    quorlent::HistoryStore &m_store;
    Settings &m_settings;
    QString m_programFolder;
    Questions &m_questions;
    const quorlent::OnlineUpdater &m_updater;
};
