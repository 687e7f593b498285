#include "NextIssue.h"

#include "Clock.h"
#include "HistoryStore.h"

using namespace quorlent;

NextIssue::NextIssue(const HistoryStore &store, QObject *parent) : QObject(parent), m_store(store)
{
    for (auto signal : {&HistoryStore::opened, &HistoryStore::gameChanged, &HistoryStore::appended,
                        &HistoryStore::removed})
        connect(&store, signal, this, &NextIssue::update);
    connect(&store, &HistoryStore::resetDone, this, [this] {
        if (!m_store.empty())
            update();
    });
    update();
}

void NextIssue::update()
{
    const Game &game = m_store.game();
    const QDate today = currentDateTime().date();
    if (const HistoryRow *newest = m_store.newest()) {
        lngQihao = newest->sqqh + 1;
        m_nextIssue = game.next(newest->sqqh, today);
    } else {
        // Nothing to continue from: the first draw typed in is today's first (this year's).
        m_nextIssue = game.first(today);
    }
    emit changed();
}
