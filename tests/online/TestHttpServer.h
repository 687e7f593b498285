#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

namespace quorlent::test {

// A small HTTP/1.1 server on 127.0.0.1 for the update's tests: answers GET requests by their
// path and query from a table of canned responses, and records every request. It lives on the
// test's thread and answers from the event loop, so tests wait with QSignalSpy::wait or similar.
// stop() (also run by the destructor) closes the listening socket and every open connection.
class TestHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Response
    {
        enum class Kind {
            Body,     // status line, headers, body
            Redirect, // 302 with a Location header (none when `location` is empty)
            NoAnswer, // reads the request and never writes a byte
            Stall,    // sends the headers and half the body, then nothing more
            Raw,      // writes `body` as it is, then closes
        };
        Kind kind = Kind::Body;
        int status = 200;
        QByteArray body;
        QByteArray location;

        static Response page(QByteArray html) { return {Kind::Body, 200, std::move(html), {}}; }
        static Response error(int status) { return {Kind::Body, status, "error page", {}}; }
        static Response redirect(QByteArray to) { return {Kind::Redirect, 302, {}, std::move(to)}; }
        static Response noAnswer() { return {Kind::NoAnswer, 0, {}, {}}; }
        static Response stall(QByteArray html) { return {Kind::Stall, 200, std::move(html), {}}; }
        static Response raw(QByteArray bytes) { return {Kind::Raw, 0, std::move(bytes), {}}; }
    };

    explicit TestHttpServer(QObject *parent = nullptr);
    ~TestHttpServer() override;

    bool start();
    void stop();
    QString baseAddress() const;

    // The path and query of a day's results page.
    static QString pagePath(const QDate &date);

    // Answers requests for `target` (path and query) with `responses` in turn, the last one for
    // every request after that. Targets without responses get a 404.
    void serve(const QString &target, QList<Response> responses);
    void servePage(const QDate &date, QByteArray html);
    void serveDay(const QDate &date, QList<Response> responses);

    const QStringList &requests() const { return m_requests; }
    int requestCount(const QString &target) const { return m_requests.count(target); }
    int requestCount(const QDate &date) const { return requestCount(pagePath(date)); }
    // The dates of the results pages asked for, in order.
    QList<QDate> requestedDates() const;
    void clearRequests() { m_requests.clear(); }

private:
    void accept();
    void readRequest(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const QString &target);

    QTcpServer m_server;
    QList<QPointer<QTcpSocket>> m_sockets;
    QHash<QString, QList<Response>> m_responses;
    QHash<QString, int> m_served;
    QStringList m_requests;
};

} // namespace quorlent::test
