#pragma once

#include <QString>

#include <cstddef>
#include <string>

// A pseudo-terminal pair in raw mode. A port opens SlavePath(); the test plays the device on
// the master side. The fixture keeps its own slave descriptor open until CloseSlave(), so the
// pair lives on while the port closes and reopens.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool IsOpen() const { return m_master >= 0; }
    QString SlavePath() const { return m_slavePath; }
    int MasterFd() const { return m_master; }
    int SlaveFd() const { return m_slave; }

    // Writes every byte to the master; false when the master refused.
    bool Write(const std::string &bytes);
    // Reads from the master until count bytes arrived or timeoutMs passed.
    std::string Read(std::size_t count, int timeoutMs = 2000);

    // Closing the master hangs up the slave, as pulling a USB adapter does.
    void CloseMaster();
    void CloseSlave();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};
