#include "app/run/port_reconnect.h"

#include "platform/exception.h"

#include <QFileInfo>
#include <QStringList>

PortReconnect::PortReconnect(Ties ties, PresentPorts present)
    : m_ties(std::move(ties))
    , m_present(std::move(present))
{
    m_timer.setInterval(kCheckIntervalMs);
    m_timer.callOnTimeout([this] { Check(); });
    QObject::connect(&m_folders, &QFileSystemWatcher::directoryChanged, [this] {
        if (Waiting())
            Check();
    });
}

void PortReconnect::Remember(const QString &portName)
{
    m_identity = IdentifyPort(portName, QString::fromLatin1(SerialByIdFolder), m_present);
}

void PortReconnect::Watch()
{
    m_timer.start();
    // The device's node and its by-id link appear in these folders when it comes back.
    const QString name = m_identity.Name.contains(QLatin1Char('/'))
            ? m_identity.Name
            : QStringLiteral("/dev/") + m_identity.Name;
    QStringList folders {QFileInfo(name).absolutePath(), QString::fromLatin1(SerialByIdFolder)};
    folders.removeDuplicates();
    for (const QString &folder : folders) {
        if (QFileInfo(folder).isDir() && !m_folders.directories().contains(folder))
            m_folders.addPath(folder);
    }
}

void PortReconnect::Cancel()
{
    m_timer.stop();
    StopWatching();
}

void PortReconnect::StopWatching()
{
    if (!m_folders.directories().isEmpty())
        m_folders.removePaths(m_folders.directories());
}

void PortReconnect::Check()
{
    const QString name = LocateReturnedPort(m_identity, m_present);
    if (name.isEmpty())
        return;
    m_timer.stop();
    StopWatching();
    auto retry = [&](const QString &reason) {
        Watch();
        m_ties.Retrying(reason);
    };
    try {
        m_ties.Reopen(name);
    } catch (const Exception &e) {
        retry(e.Message());
    } catch (const std::exception &e) {
        retry(QString::fromLocal8Bit(e.what()));
    }
}
