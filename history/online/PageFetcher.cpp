#include "PageFetcher.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace quorlent {

PageFetcher::PageFetcher(QNetworkAccessManager *manager, QObject *parent)
    : QObject(parent), m_manager(manager ? manager : new QNetworkAccessManager(this))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &PageFetcher::onTimeout);
}

PageFetcher::~PageFetcher() { stop(); }

void PageFetcher::fetch(const QUrl &url)
{
    stop();
    const quint64 generation = ++m_generation;
    m_url = url;
    m_busy = true;

    // Only web pages: the address comes from a setting, and file:, data: or qrc: addresses have
    // no business in an update.
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        QMetaObject::invokeMethod(
            this, [this, generation] {
                if (m_busy && m_generation == generation)
                    fail(QStringLiteral("not an http or https address"));
            },
            Qt::QueuedConnection);
        return;
    }

    QNetworkRequest request(url);
    // Same-or-safer redirects only (never https -> http), and never many of them.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    // A day's page changes while the day runs: always ask the server.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &PageFetcher::readSome);
    connect(m_reply, &QNetworkReply::finished, this, &PageFetcher::onFinished);
    m_timer.start(m_timeLimit);
}

void PageFetcher::abort() { stop(); }

void PageFetcher::readSome()
{
    if (!m_reply)
        return;
    m_body += m_reply->readAll();
    if (m_body.size() > m_maxBodyBytes)
        fail(QStringLiteral("page larger than %1 bytes").arg(m_maxBodyBytes));
}

void PageFetcher::onFinished()
{
    readSome();
    if (!m_reply)
        return;
    if (m_reply->error() != QNetworkReply::NoError) {
        fail(m_reply->errorString());
        return;
    }
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status < 200 || status > 299) {
        // A 3xx here is a redirect Qt did not follow (no target, or one it refused).
        fail(QStringLiteral("HTTP status %1").arg(status));
        return;
    }
    const QUrl url = m_url;
    const QByteArray body = std::move(m_body);
    stop();
    emit loaded(url, body);
}

void PageFetcher::onTimeout()
{
    if (m_busy)
        fail(QStringLiteral("no complete answer within %1 ms").arg(m_timeLimit.count()));
}

void PageFetcher::fail(const QString &reason)
{
    const QUrl url = m_url;
    stop();
    emit failed(url, reason);
}

void PageFetcher::stop()
{
    m_timer.stop();
    m_body.clear();
    m_busy = false;
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
}

} // namespace quorlent
