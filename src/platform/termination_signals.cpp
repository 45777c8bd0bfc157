#include "platform/termination_signals.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

std::atomic<int> g_writeEnd {-1};

extern "C" void WriteSignal(int signal)
{
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    if (const int fd = g_writeEnd.load(); fd >= 0) [[maybe_unused]]
        const auto written = ::write(fd, &number, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int signal)> onSignal)
    : m_onSignal(std::move(onSignal))
{
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_writeEnd.store(m_pipe[1]);
    m_notifier = std::make_unique<QSocketNotifier>(m_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { Drain(); });
    struct sigaction action
    { };
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    for (int signal : kSignals)
        ::signal(signal, SIG_DFL);
    g_writeEnd.store(-1);
    m_notifier.reset();
    for (int fd : m_pipe) {
        if (fd >= 0)
            ::close(fd);
    }
}

void TerminationSignals::Drain()
{
    unsigned char numbers[16];
    for (;;) {
        const auto n = ::read(m_pipe[0], numbers, sizeof numbers);
        if (n <= 0)
            return;
        for (ssize_t i = 0; i < n; ++i) {
            if (m_onSignal)
                m_onSignal(numbers[i]);
        }
    }
}
