#include "FilterSession.h"

#include "HistoryStore.h"
#include "TogetherWorker.h"

#include <QTimer>

using namespace quorlent;
using namespace quorlent::filter;

FilterSession::FilterSession(HistoryStore &store, QObject *parent)
    : QObject(parent), m_engine(std::make_unique<FilterEngine>(store.rows())),
      m_worker(new TogetherWorker(this))
{
    // The together record is worked out at once only while that leaves the frame room for the
    // rest (a 冷号 threshold also rebuilds the omissions); longer work goes to the worker.
    m_engine->setSynchronousWork(FilterEngine::kDefaultSynchronousWork / 4);
    connect(m_worker, &TogetherWorker::finished, this,
            [this](const ConjunctionShareTask &task, const Record &record) {
                m_engine->acceptConjunction(task, record);
                emit togetherReady();
            });
    followHistory(store);
}

FilterSession::~FilterSession() = default;

// The engine reads the store's rows where they lie: it is told of every change, and the worker's
// task, which works on copies, is cancelled as soon as the rows are about to change.
void FilterSession::followHistory(HistoryStore &store)
{
    for (auto signal : {&HistoryStore::aboutToAppend, &HistoryStore::aboutToRemove})
        connect(&store, signal, m_worker, &TogetherWorker::cancel);
    connect(&store, &HistoryStore::aboutToReset, m_worker, &TogetherWorker::cancel);
    // A corrected draw changes the digits in place: every table of draws is worked out again.
    connect(&store, &HistoryStore::rowsCorrected, m_worker, &TogetherWorker::cancel);
    connect(&store, &HistoryStore::appended, this, [this] {
        m_engine->rowsAppended();
        emit historyChanged();
    });
    for (auto signal : {&HistoryStore::removed, &HistoryStore::resetDone}) {
        connect(&store, signal, this, [this] {
            m_engine->rowsReset();
            emit historyChanged();
        });
    }
    connect(&store, &HistoryStore::rowsCorrected, this, [this] {
        m_engine->rowsReset();
        emit historyChanged();
    });
}

void FilterSession::setConditions(const ConditionSet &set)
{
    m_engine->setConditions(set);
    m_counts = m_engine->counts();
    prepareNeighbours(set);
}

RecordTable FilterSession::records(RecordWindow window)
{
    m_window = window;
    RecordTable table = m_engine->records(window);
    // A task for the set or history as they were is of no use: it stops at once and leaves the
    // processor to this change.
    m_worker->cancel();
    if (table.together.pending) {
        // Making the task copies much of the engine: done once the views are painted, and once
        // for a burst of edits.
        if (!m_togetherScheduled)
            QMetaObject::invokeMethod(this, &FilterSession::startTogether, Qt::QueuedConnection);
        m_togetherScheduled = true;
    } else {
        m_togetherScheduled = false;
    }
    return table;
}

void FilterSession::startTogether()
{
    if (!m_togetherScheduled)
        return;
    m_togetherScheduled = false;
    if (std::optional<ConjunctionShareTask> task = m_engine->conjunctionTask(m_window))
        m_worker->start(std::move(*task));
}

void FilterSession::flushTogether()
{
    startTogether();
    m_worker->flush();
}

bool FilterSession::isTogetherRunning() const
{
    return m_togetherScheduled || m_worker->isRunning();
}

void FilterSession::prepareNeighbours(const ConditionSet &set)
{
    const bool waiting = !m_toPrepare.empty();
    m_toPrepare.clear();
    for (const Condition &c : set.conditions) {
        if (!c.enabled || formOf(c.kind) != KindForm::Omission)
            continue;
        for (int step : {1, -1}) {
            Condition next = c;
            next.threshold += step;
            if (next.threshold >= 0)
                m_toPrepare.push_back(next);
        }
    }
    if (!waiting && !m_toPrepare.empty())
        QTimer::singleShot(0, this, &FilterSession::prepareNext);
}

// One threshold at a time, so that the window answers the user in between.
void FilterSession::prepareNext()
{
    if (m_toPrepare.empty())
        return;
    m_engine->prepareOmissions(m_toPrepare.back());
    m_toPrepare.pop_back();
    if (!m_toPrepare.empty())
        QTimer::singleShot(0, this, &FilterSession::prepareNext);
}
