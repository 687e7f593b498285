#pragma once

#include "FilterEngine.h"

#include <QObject>

#include <memory>
#include <vector>

class TogetherWorker;
namespace quorlent {
class HistoryStore;
}

// The 缩水 window's work, without its widgets: an engine over the history's rows, told of every
// change of the store; the condition set worked out on this thread at every edit; a together
// record the engine leaves pending handed to a worker thread once the views are painted (one task
// for a burst of edits, a stale one cancelled); and in idle time the omissions of the thresholds
// next to those in use, so that a step of a 冷号 or 热号 threshold finds them ready.
class FilterSession : public QObject
{
    Q_OBJECT

  public:
    explicit FilterSession(quorlent::HistoryStore &store, QObject *parent = nullptr);
    ~FilterSession() override;

    const quorlent::filter::FilterEngine &engine() const { return *m_engine; }
    const quorlent::filter::FilterCounts &counts() const { return m_counts; }

    // Works `set` out: counts(), the engine's errors and remaining numbers.
    void setConditions(const quorlent::filter::ConditionSet &set);
    // The records over `window`. A pending together record is worked out by the worker, and
    // togetherReady() says when.
    quorlent::filter::RecordTable records(quorlent::filter::RecordWindow window);

    // Waits for the worker's together record, if one is due or being worked out.
    void flushTogether();
    bool isTogetherRunning() const;

  signals:
    // The history changed: what the window shows is to be worked out again.
    void historyChanged();
    // The together record of the last records() came from the worker.
    void togetherReady();

  private:
    void followHistory(quorlent::HistoryStore &store);
    void startTogether();
    void prepareNeighbours(const quorlent::filter::ConditionSet &set);
    void prepareNext();

    std::unique_ptr<quorlent::filter::FilterEngine> m_engine;
    quorlent::filter::FilterCounts m_counts;
    TogetherWorker *m_worker = nullptr;
    quorlent::filter::RecordWindow m_window = quorlent::filter::RecordWindow::Last1000;
    // The together record is pending and its task is yet to be made (startTogether()).
    bool m_togetherScheduled = false;
    std::vector<quorlent::filter::Condition> m_toPrepare;
};
