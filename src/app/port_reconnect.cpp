#include "app/port_reconnect.h"

#include "platform/exception.h"

PortReconnect::PortReconnect(Ties ties, PresentPorts present)
    : m_ties(std::move(ties))
    , m_present(std::move(present))
{
    m_timer.setInterval(kCheckIntervalMs);
    m_timer.callOnTimeout([this] { Check(); });
}

void PortReconnect::Remember(const QString &portName)
{
    m_identity = IdentifyPort(portName, QString::fromLatin1(SerialByIdFolder), m_present);
}

void PortReconnect::Watch()
{
    m_timer.start();
}

void PortReconnect::Cancel()
{
    m_timer.stop();
}

void PortReconnect::Check()
{
    const QString name = LocateReturnedPort(m_identity, m_present);
    if (name.isEmpty())
        return;
    m_timer.stop();
    auto retry = [&](const QString &reason) {
        m_timer.start();
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
