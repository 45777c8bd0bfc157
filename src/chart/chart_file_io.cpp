#include "chart/chart_file_io.h"

#include "platform/exception.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TChartFile::TChartFile(const QString &fileName, Mode mode)
{
    const QByteArray path = QFile::encodeName(fileName);
    const int flags = mode == Mode::Read ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC;
    m_fd = ::open(path.constData(), flags | O_CLOEXEC, 0666);
    if (m_fd < 0) {
        Fail(errno);
    }
}

TChartFile::~TChartFile()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

void TChartFile::Fail(int err)
{
    throw EInOutError(InOutCodeFromErrno(err));
}

std::int64_t TChartFile::Size() const
{
    struct stat info
    { };
    if (::fstat(m_fd, &info) != 0) {
        Fail(errno);
    }
    return info.st_size;
}

std::size_t TChartFile::Read(char *buffer, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(m_fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            Fail(errno);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void TChartFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            Fail(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void TChartFile::Close()
{
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        Fail(errno);
    }
}
