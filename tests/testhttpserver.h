#ifndef TESTHTTPSERVER_H
#define TESTHTTPSERVER_H

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// How the test server answers one path.
struct testHttpRoute
{
    int status = 200;
    QByteArray body;
    QByteArray location; // Location header (redirects)
    bool silent = false; // read the request and never answer
    int stallAfter = -1; // announce the whole body, send this many bytes (in two parts), then nothing
};

// A small HTTP/1.1 server on 127.0.0.1 for the update tests: GET only, one
// request per connection; unknown paths get 404.
class testHttpServer : public QObject
{
    Q_OBJECT
public:
    explicit testHttpServer(QObject *parent = nullptr);
    ~testHttpServer() override;

    bool start();
    QUrl url(const QString &path) const;
    void setRoute(const QString &path, const testHttpRoute &route);
    void setBody(const QString &path, const QByteArray &body);
    // Paths asked for, in order.
    QStringList requests() const { return m_requests; }

private:
    void onConnection();
    void onReadable(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QString, testHttpRoute> m_routes;
    QHash<QTcpSocket *, QByteArray> m_pending;
    QList<QTcpSocket *> m_held;
    QStringList m_requests;
};

#endif
