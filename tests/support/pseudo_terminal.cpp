#include "support/pseudo_terminal.h"

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

PseudoTerminal::PseudoTerminal()
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    termios t {};
    ::tcgetattr(m_slave, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(m_slave, TCSANOW, &t);
    m_slavePath = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal()
{
    CloseMaster();
    CloseSlave();
}

bool PseudoTerminal::Write(const std::string &bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

std::string PseudoTerminal::Read(std::size_t count, int timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string result;
    while (result.size() < count) {
        const auto left
                = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p {m_master, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, int(left.count())) <= 0)
            break;
        char buffer[4096];
        const ssize_t n = ::read(m_master, buffer, std::min(sizeof buffer, count - result.size()));
        if (n <= 0)
            break;
        result.append(buffer, std::size_t(n));
    }
    return result;
}

void PseudoTerminal::CloseMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

void PseudoTerminal::CloseSlave()
{
    if (m_slave >= 0)
        ::close(m_slave);
    m_slave = -1;
}
