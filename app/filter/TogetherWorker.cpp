#include "TogetherWorker.h"

#include <QThread>

using namespace quorlent::filter;

TogetherWorker::~TogetherWorker()
{
    for (const auto &job : m_jobs)
        job->cancel = true;
    for (const auto &job : m_jobs) {
        job->thread->wait();
        delete job->thread;
    }
}

void TogetherWorker::start(ConjunctionShareTask task)
{
    for (const auto &job : m_jobs) {
        if (!job->cancel && job->task.key() == task.key())
            return;
    }
    cancel();
    auto job = std::make_unique<Job>();
    job->id = m_nextId++;
    job->task = std::move(task);
    Job *running = job.get();
    const uint64_t id = job->id;
    job->thread = QThread::create([this, running, id] {
        running->record = running->task.run(&running->cancel);
        // Told through the event loop of the window's thread; `this` outlives the thread.
        QMetaObject::invokeMethod(
            this, [this, id] { ended(id); }, Qt::QueuedConnection);
    });
    job->thread->setObjectName(QStringLiteral("缩水 together"));
    m_jobs.push_back(std::move(job));
    running->thread->start(QThread::LowPriority);
}

void TogetherWorker::cancel()
{
    for (const auto &job : m_jobs)
        job->cancel = true;
}

bool TogetherWorker::isRunning() const
{
    for (const auto &job : m_jobs) {
        if (!job->cancel)
            return true;
    }
    return false;
}

void TogetherWorker::flush()
{
    for (const auto &job : m_jobs) {
        if (!job->cancel) {
            ended(job->id); // waits for its thread
            return;
        }
    }
}

void TogetherWorker::ended(uint64_t id)
{
    const auto at =
        std::find_if(m_jobs.begin(), m_jobs.end(), [id](const auto &job) { return job->id == id; });
    if (at == m_jobs.end())
        return; // flushed before the event loop came to it
    std::unique_ptr<Job> job = std::move(*at);
    m_jobs.erase(at);
    job->thread->wait();
    delete job->thread;
    if (!job->cancel && job->record)
        emit finished(job->task, *job->record);
}
