#include "testhttpserver.h"

#include <QTcpSocket>
#include <QTimer>

testHttpServer::testHttpServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &testHttpServer::onConnection);
}

testHttpServer::~testHttpServer()
{
    for (QTcpSocket *socket : std::as_const(m_held))
        socket->abort();
}

bool testHttpServer::start()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QUrl testHttpServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
}

void testHttpServer::setRoute(const QString &path, const testHttpRoute &route)
{
    m_routes.insert(path, route);
}

void testHttpServer::setBody(const QString &path, const QByteArray &body)
{
    testHttpRoute route;
    route.body = body;
    setRoute(path, route);
}

void testHttpServer::onConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        m_held.append(socket);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadable(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            m_held.removeAll(socket);
            socket->deleteLater();
        });
    }
}

void testHttpServer::onReadable(QTcpSocket *socket)
{
    QByteArray &buffer = m_pending[socket];
    buffer += socket->readAll();
    const int end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
    buffer.clear();
    const QString path = QString::fromLatin1(requestLine.value(1));
    m_requests.append(path);

    testHttpRoute route;
    if (m_routes.contains(path)) {
        route = m_routes.value(path);
    } else {
        route.status = 404;
        route.body = "not found";
    }
    if (route.silent)
        return;
    QByteArray reason = route.status == 200 ? "OK" : route.status == 302 ? "Found" : "Error";
    QByteArray head = "HTTP/1.1 " + QByteArray::number(route.status) + ' ' + reason + "\r\n"
        + "Content-Length: " + QByteArray::number(route.body.size()) + "\r\n"
        + "Content-Type: application/octet-stream\r\n";
    if (!route.location.isEmpty())
        head += "Location: " + route.location + "\r\n";
    if (route.stallAfter >= 0) {
        // Half now and half a little later, so that the client sees the
        // download move before it stops.
        const int half = route.stallAfter / 2;
        socket->write(head + "\r\n" + route.body.left(half));
        const QByteArray rest = route.body.mid(half, route.stallAfter - half);
        QTimer::singleShot(250, socket, [socket, rest] { socket->write(rest); });
        return;
    }
    socket->write(head + "Connection: close\r\n\r\n" + route.body);
    socket->disconnectFromHost();
}
