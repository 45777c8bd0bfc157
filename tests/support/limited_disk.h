#pragma once

// Disks that fill up: a file size limit for this process, or a small tmpfs where it may mount.
#include <QFile>
#include <QString>

#include <csignal>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

// Limits the size of files this process writes, with SIGXFSZ ignored so that a write past the
// limit fails with EFBIG instead of ending the process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        m_set = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    bool Set() const { return m_set; }

private:
    rlimit m_previous {};
    void (*m_previousHandler)(int) = nullptr;
    bool m_set = false;
};

// A small tmpfs, when this process may mount one.
class SmallFileSystem
{
public:
    explicit SmallFileSystem(const QString &folder)
        : m_folder(QFile::encodeName(folder).toStdString())
    {
        m_mounted = ::geteuid() == 0
                && ::mount("tmpfs", m_folder.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallFileSystem()
    {
        if (m_mounted)
            ::umount2(m_folder.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return m_mounted; }

private:
    std::string m_folder;
    bool m_mounted = false;
};
