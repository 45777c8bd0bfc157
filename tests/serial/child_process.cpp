#include "child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <utility>

namespace {

constexpr uid_t kNobody = 65534;

} // namespace

bool CanDropPrivileges()
{
    return ::geteuid() == 0;
}

ChildProcess::ChildProcess(const std::vector<std::string> &args, bool asNobody)
{
    std::vector<char *> argv;
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0)
        return;
    m_pid = ::fork();
    if (m_pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        ::dup2(in[0], STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        ::close_range(3, ~0U, 0); // the test's own descriptors (the pseudo-terminal) stay here
        if (asNobody
            && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(126);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    m_in = in[1];
    m_out = out[0];
}

ChildProcess::~ChildProcess()
{
    CloseInput();
    if (m_pid > 0 && !m_ended) {
        ::kill(m_pid, SIGKILL);
        Wait();
    }
    if (m_out >= 0)
        ::close(m_out);
}

std::string ChildProcess::ReadLine(int timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto newline = m_buffer.find('\n');
        if (newline != std::string::npos) {
            std::string line = m_buffer.substr(0, newline);
            m_buffer.erase(0, newline + 1);
            return line;
        }
        const auto left
                = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p {m_out, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, int(left.count())) <= 0)
            return std::string();
        char chunk[512];
        const ssize_t n = ::read(m_out, chunk, sizeof chunk);
        if (n <= 0)
            return std::exchange(m_buffer, std::string());
        m_buffer.append(chunk, std::size_t(n));
    }
}

std::string ChildProcess::ReadAll(int timeoutMs)
{
    std::string all;
    for (std::string line = ReadLine(timeoutMs); !line.empty(); line = ReadLine(timeoutMs))
        all += line + '\n';
    return all;
}

void ChildProcess::CloseInput()
{
    if (m_in >= 0)
        ::close(m_in);
    m_in = -1;
}

int ChildProcess::Wait()
{
    if (m_pid <= 0)
        return -1;
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) { }
    m_ended = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
