#pragma once

#include <QObject>

#include <cstdint>
#include <utility>
#include <vector>

namespace quorlent {
class HistoryStore;
class Tally;
} // namespace quorlent

// Keeps the tally of the search shown in the table Carcu: at once for a search from its button,
// and for a live run once the views are painted (one write for a burst of runs).
class TallyKeeper : public QObject
{
    Q_OBJECT

  public:
    explicit TallyKeeper(quorlent::HistoryStore &store, QObject *parent = nullptr);

    // Writes the tally now, in place of one still waiting; false when the database refused it.
    bool keepNow(const quorlent::Tally &tally);
    // Writes the tally once the event loop runs again; a later one takes its place.
    void keepLater(const quorlent::Tally &tally);

  signals:
    // A tally kept later could not be written: the database's word.
    void failed(const QString &error);

  private:
    void writePending();

    quorlent::HistoryStore &m_store;
    std::vector<std::pair<int, int64_t>> m_pending;
};
