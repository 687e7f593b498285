#include "TestHttpServer.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QUrlQuery>

namespace quorlent::test {

namespace {

constexpr qsizetype kMaxRequestBytes = 64 * 1024;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

} // namespace

TestHttpServer::TestHttpServer(QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &TestHttpServer::accept);
}

TestHttpServer::~TestHttpServer() { stop(); }

bool TestHttpServer::start() { return m_server.listen(QHostAddress::LocalHost, 0); }

void TestHttpServer::stop()
{
    m_server.close();
    for (const QPointer<QTcpSocket> &socket : std::as_const(m_sockets)) {
        if (socket) {
            socket->abort();
            socket->deleteLater();
        }
    }
    m_sockets.clear();
}

QString TestHttpServer::baseAddress() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
}

QString TestHttpServer::pagePath(const QDate &date)
{
    return QStringLiteral("/lottery/draw/list/200?d=") + date.toString(QStringLiteral("yyyy-MM-dd"));
}

void TestHttpServer::serve(const QString &target, QList<Response> responses)
{
    m_responses.insert(target, std::move(responses));
    m_served.remove(target);
}

void TestHttpServer::servePage(const QDate &date, QByteArray html)
{
    serve(pagePath(date), {Response::page(std::move(html))});
}

void TestHttpServer::serveDay(const QDate &date, QList<Response> responses)
{
    serve(pagePath(date), std::move(responses));
}

QList<QDate> TestHttpServer::requestedDates() const
{
    QList<QDate> dates;
    for (const QString &target : m_requests) {
        const QUrlQuery query(target.section(QLatin1Char('?'), 1));
        if (target.startsWith(QLatin1String("/lottery/draw/list/200?")))
            dates << QDate::fromString(query.queryItemValue(QStringLiteral("d")), Qt::ISODate);
    }
    return dates;
}

void TestHttpServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        m_sockets << socket;
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void TestHttpServer::readRequest(QTcpSocket *socket)
{
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    if (socket->property("answered").toBool())
        return;
    if (request.size() > kMaxRequestBytes) {
        socket->abort();
        return;
    }
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n"))
        return;
    socket->setProperty("answered", true);
    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    const QString target = requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();
    m_requests << target;
    answer(socket, target);
}

void TestHttpServer::answer(QTcpSocket *socket, const QString &target)
{
    const auto found = m_responses.constFind(target);
    Response response = Response::error(404);
    if (found != m_responses.cend() && !found->isEmpty()) {
        const int served = m_served[target]++;
        response = found->at(std::min<qsizetype>(served, found->size() - 1));
    }

    QByteArray head;
    switch (response.kind) {
    case Response::Kind::NoAnswer:
        return;
    case Response::Kind::Raw:
        socket->write(response.body);
        socket->disconnectFromHost();
        return;
    case Response::Kind::Redirect:
        head = "HTTP/1.1 302 Found\r\n";
        if (!response.location.isEmpty())
            head += "Location: " + response.location + "\r\n";
        head += "Content-Length: 0\r\nConnection: close\r\n\r\n";
        socket->write(head);
        socket->disconnectFromHost();
        return;
    case Response::Kind::Stall:
    case Response::Kind::Body:
        break;
    }
    head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status) +
           "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
           QByteArray::number(response.body.size()) + "\r\nConnection: close\r\n\r\n";
    if (response.kind == Response::Kind::Stall) {
        socket->write(head + response.body.left(response.body.size() / 2));
        return;
    }
    socket->write(head + response.body);
    socket->disconnectFromHost();
}

} // namespace quorlent::test
