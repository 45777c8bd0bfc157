#pragma once

#include "platform/port_identity.h"

#include <QFileSystemWatcher>
#include <QString>
#include <QTimer>

#include <functional>

// Waits for a serial device that went away during use to come back. The owner tells it the
// name of every port it opens (Remember) so that the device's identity is taken while it is
// present; after a loss, Watch() checks whether the device can be found again (a few file
// look-ups) as soon as the folder of its name or the by-id folder changes, and twice a second
// in case a change goes unnoticed, on the user-interface thread (no thread, no busy loop), and
// hands the name to Reopen. A Reopen that raises is tried again at the next check, and its
// message goes to Retrying. Cancel() ends the wait; the owner cancels when the use of the port
// ends.
class PortReconnect
{
public:
    struct Ties
    {
        // Opens the port under this name and takes up the interrupted work; raises on failure.
        std::function<void(const QString &name)> Reopen;
        std::function<void(const QString &reason)> Retrying;
    };

    static constexpr int kCheckIntervalMs = 500;

    explicit PortReconnect(Ties ties, PresentPorts present = ListPresentPorts);

    void Remember(const QString &portName);
    const PortIdentity &Identity() const { return m_identity; }

    void Watch();
    void Cancel();
    bool Waiting() const { return m_timer.isActive(); }

private:
    void Check();
    void StopWatching();

    Ties m_ties;
    PresentPorts m_present;
    PortIdentity m_identity;
    QTimer m_timer;
    QFileSystemWatcher m_folders;
};
