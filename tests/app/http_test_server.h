#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

// A local HTTP server for tests: answers every request with what Respond returns for it and
// closes the connection. Requests (head and all) are kept in order of arrival.
class HttpTestServer
{
public:
    using Responder = std::function<QByteArray(const QByteArray &request)>;

    explicit HttpTestServer(Responder respond)
        : m_respond(std::move(respond))
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                Serve(socket);
        });
        m_server.listen(QHostAddress::LocalHost);
    }

    quint16 Port() const { return m_server.serverPort(); }
    QString Url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(Port()).arg(path);
    }

    static QByteArray Response(int status, const QByteArray &body,
                               const QByteArray &headers = QByteArray())
    {
        return "HTTP/1.1 " + QByteArray::number(status) + " Test\r\nContent-Type: text/html\r\n"
                + headers + "Content-Length: " + QByteArray::number(body.size())
                + "\r\nConnection: close\r\n\r\n" + body;
    }

    QList<QByteArray> Requests;

private:
    void Serve(QTcpSocket *socket)
    {
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            QByteArray &request = m_pending[socket];
            request += socket->readAll();
            if (!request.contains("\r\n\r\n"))
                return;
            Requests << request;
            socket->write(m_respond(request));
            m_pending.remove(socket);
            socket->disconnectFromHost();
        });
    }

    Responder m_respond;
    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_pending;
};

// Lets events run until done() holds; false when it still does not after a generous while
// (a hung exchange fails the test instead of blocking the suite).
inline bool WaitUntil(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(10000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}
