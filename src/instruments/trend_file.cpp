#include "instruments/trend_file.h"

#include "platform/exception.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

constexpr int kRecordsPerBlock = 4096;

// Closes the descriptor on every path; Close() reports the error of an explicit close.
class FileHandle
{
public:
    explicit FileHandle(int fd)
        : m_fd(fd)
    { }
    ~FileHandle()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;

    int Fd() const { return m_fd; }
    int Close()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

[[noreturn]] void RaiseFromErrno(int err)
{
    throw EInOutError(InOutCodeFromErrno(err));
}

void WriteAll(int fd, const unsigned char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            RaiseFromErrno(errno);
        }
        if (written == 0)
            throw EInOutError(101); // disk full
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

// Reads exactly size bytes; the file ending early is a read error.
void ReadAll(int fd, unsigned char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t got = ::read(fd, data, size);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            RaiseFromErrno(errno);
        }
        if (got == 0)
            throw EInOutError(100); // end of file
        data += got;
        size -= static_cast<std::size_t>(got);
    }
}

} // namespace

int WriteTrendFile(const QString &fileName, const TTrendRecords &records)
{
    const QByteArray path = QFile::encodeName(fileName);
    FileHandle file(::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (file.Fd() < 0)
        return InOutCodeFromErrno(errno);

    std::vector<unsigned char> block;
    block.reserve(kRecordsPerBlock * kTrendRecordSize);
    for (int first = 0; first < records.Count(); first += kRecordsPerBlock) {
        const int last = std::min(records.Count(), first + kRecordsPerBlock);
        block.clear();
        for (int i = first; i < last; ++i) {
            const TTrendRecordBytes bytes = EncodeTrendRecord(records[i]);
            block.insert(block.end(), bytes.begin(), bytes.end());
        }
        WriteAll(file.Fd(), block.data(), block.size());
    }
    if (file.Close() != 0)
        RaiseFromErrno(errno);
    return 0;
}

int ReadTrendFile(const QString &fileName, TTrendRecords &records)
{
    const QByteArray path = QFile::encodeName(fileName);
    FileHandle file(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    if (file.Fd() < 0)
        return InOutCodeFromErrno(errno);
    struct stat info
    { };
    if (::fstat(file.Fd(), &info) != 0)
        return InOutCodeFromErrno(errno);
    if (S_ISDIR(info.st_mode))
        return InOutCodeFromErrno(EISDIR);

    const auto total = static_cast<long long>(info.st_size / kTrendRecordSize);
    std::vector<unsigned char> block(kRecordsPerBlock * kTrendRecordSize);
    for (long long done = 0; done < total;) {
        const auto n = static_cast<int>(std::min<long long>(kRecordsPerBlock, total - done));
        ReadAll(file.Fd(), block.data(), n * kTrendRecordSize);
        for (int i = 0; i < n; ++i)
            records.Append(DecodeTrendRecord(block.data() + i * kTrendRecordSize));
        done += n;
    }
    file.Close();
    return 0;
}
