#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a call on the user-interface thread, so that the
// program ends the way closing its window ends it (ports closed, device threads joined)
// instead of being cut off. The signal handler only writes the signal number into a pipe
// that the event loop watches. One instance at a time; destroying it restores the default
// handling of the three signals.
class TerminationSignals : public QObject
{
public:
    explicit TerminationSignals(std::function<void(int signal)> onSignal);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals &) = delete;
    TerminationSignals &operator=(const TerminationSignals &) = delete;

private:
    void Drain();

    std::function<void(int)> m_onSignal;
    int m_pipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
};
