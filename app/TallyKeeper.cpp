#include "TallyKeeper.h"

#include "HistoryStore.h"
#include "Tally.h"

using namespace quorlent;

TallyKeeper::TallyKeeper(HistoryStore &store, QObject *parent) : QObject(parent), m_store(store) {}

bool TallyKeeper::keepNow(const Tally &tally)
{
    m_pending.clear();
    return m_store.writeTally(tally.carcuRows());
}

void TallyKeeper::keepLater(const Tally &tally)
{
    const bool scheduled = !m_pending.empty();
    m_pending = tally.carcuRows();
    if (!scheduled)
        QMetaObject::invokeMethod(this, &TallyKeeper::writePending, Qt::QueuedConnection);
}

void TallyKeeper::writePending()
{
    if (m_pending.empty())
        return;
    const std::vector<std::pair<int, int64_t>> rows = std::move(m_pending);
    m_pending.clear();
    if (!m_store.writeTally(rows))
        emit failed(m_store.lastError());
}
