#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {
constexpr int kConnectTimeoutMs = 1000;
} // namespace

SingleInstanceGuard::SingleInstanceGuard(QString name)
    : m_name(std::move(name))
{ }

SingleInstanceGuard::~SingleInstanceGuard() = default;

QString SingleInstanceGuard::DefaultName()
{
    const QString file = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUpper();
    return QStringLiteral("%1-%2").arg(file).arg(::getuid());
}

bool SingleInstanceGuard::Acquire()
{
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(kConnectTimeoutMs)) {
        probe.disconnectFromServer();
        return false;
    }

    // Nobody answers: whatever socket file is left belongs to a crashed instance.
    QLocalServer::removeServer(m_name);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name))
        return true; // keep running alone rather than refuse to start
    // A connection is the request itself: a later start only ever asks to activate.
    QObject::connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *client = m_server->nextPendingConnection()) {
            QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            if (OnActivateRequest)
                OnActivateRequest();
        }
    });
    return true;
}
