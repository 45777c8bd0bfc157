#include "support/pluggable_device.h"

#include <QFile>

PluggableDevice::PluggableDevice()
    : m_link(m_dir.filePath(QStringLiteral("ttyPLUG0")))
{
    Plug();
}

bool PluggableDevice::Plug()
{
    Unplug();
    m_pty = std::make_unique<PseudoTerminal>();
    if (!m_pty->IsOpen() || !QFile::link(m_pty->SlavePath(), m_link)) {
        m_pty.reset();
        return false;
    }
    return true;
}

void PluggableDevice::Unplug()
{
    if (!m_pty)
        return;
    m_pty->CloseMaster();
    QFile::remove(m_link);
    m_pty.reset();
}
