#pragma once

#include "ConjunctionShareTask.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <vector>

class QThread;

// Works out the together record that the 缩水 engine left pending, on a thread of its own, so
// the window goes on while it runs. One task counts at a time: starting another cancels the one
// before, and so does cancel() when the conditions or the history change. A cancelled task is
// left to stop at its next check and never reports.
class TogetherWorker : public QObject
{
    Q_OBJECT

  public:
    using QObject::QObject;
    // Cancels every task and waits for their threads.
    ~TogetherWorker() override;

    // Runs `task`, unless the task running already has its key.
    void start(quorlent::filter::ConjunctionShareTask task);
    void cancel();
    // A task is running that has not been cancelled.
    bool isRunning() const;
    // Waits for the running task and reports its record now, rather than from the event loop.
    void flush();

  signals:
    void finished(const quorlent::filter::ConjunctionShareTask &task,
                  const quorlent::filter::Record &record);

  private:
    struct Job
    {
        uint64_t id = 0;
        QThread *thread = nullptr;
        quorlent::filter::ConjunctionShareTask task;
        std::atomic<bool> cancel{false};
        std::optional<quorlent::filter::Record> record; // written by the thread until it ends
    };

    // Job `id`'s thread has done its work: reports it, unless cancelled or reported already.
    void ended(uint64_t id);

    std::vector<std::unique_ptr<Job>> m_jobs;
    uint64_t m_nextId = 1;
};
