#include "platform/system_file.h"

#include "platform/exception.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kEndOfFile = 100;
constexpr int kDiskFull = 101;
constexpr int kAccessDenied = 5;
constexpr int kNotEnoughMemory = 8;

} // namespace

std::int64_t LoadableMemory()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return std::int64_t(1) << 30;
    return std::int64_t(pages) * pageSize / 2;
}

QString CutEndNotice(const QString &fileName, std::size_t recordSize)
{
    struct stat info
    { };
    if (::stat(QFile::encodeName(fileName).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return QString();
    const std::int64_t cut = info.st_size % std::int64_t(recordSize);
    if (cut == 0)
        return QString();
    return QCoreApplication::translate(
                   "InOutError",
                   "Das Ende von %1 ist abgeschnitten: %2 ganze Datensätze wurden geladen, "
                   "die letzten %3 Bytes nicht.")
            .arg(fileName)
            .arg(info.st_size / std::int64_t(recordSize))
            .arg(cut);
}

QString OpenFailureMessage(const QString &fileName, int code)
{
    struct stat info
    { };
    if (::stat(QFile::encodeName(fileName).constData(), &info) == 0 && S_ISDIR(info.st_mode))
        return QCoreApplication::translate("InOutError", "%1 ist ein Ordner, keine Datei")
                .arg(fileName);
    return InOutErrorMessage(code);
}

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

int TSystemFile::OpenRecords(const QString &fileName, std::size_t recordSize,
                             std::size_t memoryPerRecord, TRecordCount &count)
{
    const QByteArray path = QFile::encodeName(fileName);
    // Non-blocking: opening a FIFO for reading would otherwise wait for a writer.
    m_fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        return InOutCodeFromErrno(errno);
    struct stat info
    { };
    if (::fstat(m_fd, &info) != 0)
        RaiseInOutError(errno);
    if (S_ISDIR(info.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        return InOutCodeFromErrno(EISDIR);
    }
    if (!S_ISREG(info.st_mode))
        throw EInOutError(
                kAccessDenied,
                QCoreApplication::translate("InOutError", "%1 ist keine gewöhnliche Datei")
                        .arg(fileName));
    (void)::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);

    count.Records = info.st_size / std::int64_t(recordSize);
    count.CutBytes = info.st_size % std::int64_t(recordSize);
    const std::int64_t limit = LoadableMemory();
    if (count.Records > limit / std::int64_t(memoryPerRecord)) {
        const QLocale locale;
        throw EInOutError(
                kNotEnoughMemory,
                QCoreApplication::translate(
                        "InOutError",
                        "%1 ist zu groß zum Laden: %2, höchstens %3 passen in den "
                        "Arbeitsspeicher")
                        .arg(fileName, locale.formattedDataSize(info.st_size),
                             locale.formattedDataSize(limit / std::int64_t(memoryPerRecord)
                                                      * std::int64_t(recordSize))));
    }
    return 0;
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
