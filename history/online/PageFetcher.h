#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

namespace quorlent {

// Loads one page at a time with a plain GET, without blocking: the answer comes back as a signal,
// so the window keeps painting and handling input meanwhile.
//
// A page counts as loaded only when the final answer is a 2xx status. Everything else is a failure
// with a short reason: a network error, an HTTP error status, a redirect that cannot be followed
// (too many, a loop, to another scheme such as https -> http, or a 3xx without a usable target),
// no complete answer within the time limit (the limit covers the whole page, so a server that
// trickles bytes cannot hold the update forever), or a body larger than the size limit (no day's
// page is anywhere near it; reading on would only fill memory).
class PageFetcher : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kDefaultTimeLimit{15000};
    static constexpr qint64 kDefaultMaxBodyBytes = 4 * 1024 * 1024;
    static constexpr int kMaxRedirects = 5;

    // Uses `manager` when given (it must outlive the fetcher), otherwise one of its own.
    explicit PageFetcher(QNetworkAccessManager *manager = nullptr, QObject *parent = nullptr);
    ~PageFetcher() override;

    void setTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }
    std::chrono::milliseconds timeLimit() const { return m_timeLimit; }
    void setMaxBodyBytes(qint64 bytes) { m_maxBodyBytes = bytes; }
    qint64 maxBodyBytes() const { return m_maxBodyBytes; }

    // Starts loading `url`; a load still running is abandoned without a signal. Exactly one of
    // loaded() or failed() follows, never from inside this call.
    void fetch(const QUrl &url);
    // Abandons the running load; no signal follows for it.
    void abort();
    bool isBusy() const { return m_busy; }

signals:
    void loaded(const QUrl &url, const QByteArray &body);
    void failed(const QUrl &url, const QString &reason);

private:
    void readSome();
    void onFinished();
    void onTimeout();
    void fail(const QString &reason);
    void stop();

    QNetworkAccessManager *m_manager;
    QPointer<QNetworkReply> m_reply;
    QUrl m_url;
    QByteArray m_body;
    quint64 m_generation = 0;
    bool m_busy = false;
    QTimer m_timer;
    std::chrono::milliseconds m_timeLimit = kDefaultTimeLimit;
    qint64 m_maxBodyBytes = kDefaultMaxBodyBytes;
};

} // namespace quorlent
