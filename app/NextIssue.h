#pragma once

#include <QObject>

#include <cstdint>

namespace quorlent {
class HistoryStore;
}

// The issue the next draw typed in gets, worked out from the newest draw as the history changes:
// the game's next issue after it, or for a history opened empty today's first (this year's). A
// history emptied keeps the issue it had, so that the next draw typed in continues the numbering.
class NextIssue : public QObject
{
    Q_OBJECT

  public:
    explicit NextIssue(const quorlent::HistoryStore &store, QObject *parent = nullptr);

    // The stored form of the next draw's issue.
    int32_t issue() const { return m_nextIssue; }
    // lngQihao: the newest draw's issue plus one, as the deletions' box proposes it; it stays
    // when the history is emptied.
    int32_t afterNewest() const { return lngQihao; }

    // Works the issue out again from the newest draw (or, none, from the clock).
    void update();

  signals:
    void changed();

  private:
    const quorlent::HistoryStore &m_store;
    int32_t lngQihao = 0;
    int32_t m_nextIssue = 0;
};
