#pragma once

#include "support/pseudo_terminal.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <string>

// A device that can be pulled and plugged in again under the same name: a symbolic link in a
// temporary folder leads to the slave of a pseudo-terminal. Unplug closes the master (the
// slave hangs up, as a pulled USB adapter does) and removes the link; Plug puts a new
// pseudo-terminal behind the same link.
class PluggableDevice
{
public:
    PluggableDevice();

    QString Path() const { return m_link; }
    bool Plugged() const { return m_pty != nullptr; }
    // The pseudo-terminal behind the link; only while plugged.
    PseudoTerminal &Pty() { return *m_pty; }

    bool Plug();
    void Unplug();
    bool Write(const std::string &bytes) { return m_pty && m_pty->Write(bytes); }

private:
    QTemporaryDir m_dir;
    QString m_link;
    std::unique_ptr<PseudoTerminal> m_pty;
};
