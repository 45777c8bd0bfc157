#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

// A program started in a child process with pipes on its standard input and output,
// optionally as the unprivileged user nobody (when this process runs as root).
class ChildProcess
{
public:
    ChildProcess(const std::vector<std::string> &args, bool asNobody);
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    pid_t Pid() const { return m_pid; }
    // The next line of its output without the newline; empty at its end or after timeoutMs.
    std::string ReadLine(int timeoutMs = 20000);
    // Everything it writes until it ends.
    std::string ReadAll(int timeoutMs = 20000);
    void CloseInput();
    // Waits for its end: the exit status, or -1 when it did not exit normally.
    int Wait();

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_buffer;
    bool m_ended = false;
};

// Whether this process may change to another user (it runs as root).
bool CanDropPrivileges();
