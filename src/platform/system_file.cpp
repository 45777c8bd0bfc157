#include "platform/system_file.h"

#include "platform/exception.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kEndOfFile = 100;
constexpr int kDiskFull = 101;

} // namespace

void RaiseInOutError(int err)
{
    throw EInOutError(InOutCodeFromErrno(err));
}

TSystemFile::TSystemFile(const QString &fileName, Mode mode)
{
    if (const int code = Open(fileName, mode); code != 0)
        throw EInOutError(code);
}

TSystemFile::~TSystemFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int TSystemFile::Open(const QString &fileName, Mode mode)
{
    const QByteArray path = QFile::encodeName(fileName);
    const int flags = mode == Mode::Read ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC;
    m_fd = ::open(path.constData(), flags | O_CLOEXEC, 0666);
    return m_fd < 0 ? InOutCodeFromErrno(errno) : 0;
}

std::int64_t TSystemFile::Size() const
{
    struct stat info
    { };
    if (::fstat(m_fd, &info) != 0)
        RaiseInOutError(errno);
    return info.st_size;
}

bool TSystemFile::IsDirectory() const
{
    struct stat info
    { };
    if (::fstat(m_fd, &info) != 0)
        RaiseInOutError(errno);
    return S_ISDIR(info.st_mode);
}

std::size_t TSystemFile::Read(char *buffer, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(m_fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            RaiseInOutError(errno);
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void TSystemFile::ReadExactly(char *buffer, std::size_t size)
{
    if (Read(buffer, size) != size)
        throw EInOutError(kEndOfFile);
}

void TSystemFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            RaiseInOutError(errno);
        if (n == 0)
            throw EInOutError(kDiskFull);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void TSystemFile::Close()
{
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        RaiseInOutError(errno);
}
