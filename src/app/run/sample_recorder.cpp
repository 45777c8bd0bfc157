#include "app/run/sample_recorder.h"

#include "platform/exception.h"

#include <QFile>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whole lines wait here until the batch is written or the buffer is full; large enough that a
// write costs little per line, small enough that a short write is cheap to trim.
constexpr size_t BufferBytes = 256 * 1024;

// A reader that goes away must fail the write (EPIPE), not end the program: the signal is
// ignored for the whole process, which writes to no pipe that relies on it.
void IgnoreBrokenPipes()
{
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGPIPE, SIG_IGN); });
}

QString WriteFailure(int osError)
{
    switch (osError) {
    case ENXIO:
        return SampleRecorder::tr("kein Programm liest aus der Datei");
    case EPIPE:
        return SampleRecorder::tr("das lesende Programm hat die Datei geschlossen");
    case EAGAIN:
        return SampleRecorder::tr("das lesende Programm nimmt nichts mehr an");
    default:
        return InOutErrorMessage(InOutCodeFromErrno(osError));
    }
}

QString StopMessage(const RecordingStopped &stop)
{
    const QString count = QString::number(stop.samples);
    if (stop.reason == RecordingStopped::TReason::FileGone)
        return SampleRecorder::tr("Die Aufzeichnung %1 wurde beendet: die Datei wurde gelöscht "
                                  "oder ersetzt, nachdem %2 Samples geschrieben waren.")
                .arg(stop.fileName, count);
    if (stop.reason == RecordingStopped::TReason::QueueFull)
        return SampleRecorder::tr("Die Aufzeichnung %1 wurde beendet: das Schreiben kam den Daten "
                                  "nicht nach. Sie enthält %2 Samples.")
                .arg(stop.fileName, count);
    return SampleRecorder::tr("Die Aufzeichnung %1 wurde beendet: %2. Sie enthält %3 Samples.")
            .arg(stop.fileName, WriteFailure(stop.osError), count);
}

} // namespace

SampleRecorder::SampleRecorder(QObject *parent)
    : QObject(parent)
{ }

SampleRecorder::~SampleRecorder()
{
    Stop();
}

void SampleRecorder::Start(const QString &fileName, const QStringList &channelNames)
{
    Stop();
    if (channelNames.empty() || channelNames.size() > RecordingFormat::MaxChannels)
        throw std::invalid_argument("a recording has 1 to 8 channels");

    const auto fail = [&fileName](int err) {
        const int code = InOutCodeFromErrno(err);
        return EInOutError(code,
                           tr("Die Aufzeichnung %1 kann nicht angelegt werden: %2")
                                   .arg(fileName, InOutErrorMessage(code)));
    };
    IgnoreBrokenPipes();
    const QByteArray path = QFile::encodeName(fileName);
    // Never waits: a FIFO without a reader fails with ENXIO and is waited for by the writer.
    // Whether the file is new decides what a header that cannot be written leaves behind.
    constexpr int flags = O_WRONLY | O_NONBLOCK | O_CLOEXEC;
    bool created = true;
    int fd = ::open(path.constData(), flags | O_CREAT | O_EXCL, 0666);
    if (fd < 0 && errno == EEXIST) {
        created = false;
        fd = ::open(path.constData(), flags);
        if (fd < 0 && errno == ENOENT) // a link to a file still to be made
            fd = ::open(path.constData(), flags | O_CREAT, 0666);
    }
    struct stat info
    { };
    if (fd < 0) {
        const int err = errno;
        if (err != ENXIO || ::stat(path.constData(), &info) != 0 || !S_ISFIFO(info.st_mode))
            throw fail(err);
    }
    std::string header = RecordingFormat::HeaderLine(channelNames);
    if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        int error = 0;
        m_fd = fd;
        m_stopping = false;
        if (::ftruncate(fd, 0) != 0
            || WriteAll(header.data(), header.size(), error) != header.size()) {
            error = error != 0 ? error : errno;
            if (created)
                (void)::unlink(path.constData());
            else
                (void)::ftruncate(fd, 0);
            ::close(fd);
            m_fd = -1;
            throw fail(error);
        }
        m_writtenBytes = qint64(header.size());
        header.clear();
    } else {
        m_writtenBytes = 0;
    }
    m_device = fd >= 0 ? info.st_dev : 0;
    m_inode = fd >= 0 ? info.st_ino : 0;
    m_header = std::move(header);
    m_path = path;
    m_nameChecked = std::chrono::steady_clock::now();
    m_fileGone = false;
    m_stopping = false;

    m_fileName = fileName;
    m_channels = int(channelNames.size());
    m_fd = fd;
    m_start = m_now ? m_now() : RecordingFormat::Clock::now();
    m_queue.clear();
    m_queuedSamples = 0;
    m_accepting = true;
    m_stopRequested = false;
    m_queueOverflowed = false;

    m_buffer.resize(BufferBytes);
    m_used = 0;
    m_bufferedSamples = 0;
    m_bufferedDurationUs = 0;
    m_writtenSamples = 0;
    m_writeError = 0;
    m_utcOffsetSecond = {};

    m_status.bytes = m_writtenBytes;
    m_status.samples = 0;
    m_status.durationUs = 0;
    m_status.recording = true;
    m_writer = std::thread(&SampleRecorder::WriterLoop, this);
}

bool SampleRecorder::Append(SampleBlock block)
{
    if (m_channels == 0 || block.values.size() % size_t(m_channels) != 0)
        return false;
    const size_t samples = block.values.size() / size_t(m_channels);
    std::unique_lock lock(m_mutex);
    if (!m_accepting)
        return false;
    if (m_queuedSamples + samples > m_capacity) {
        // The writer has fallen behind: end the recording rather than drop samples unnoticed.
        // What is queued is still written.
        m_accepting = false;
        m_queueOverflowed = true;
        m_stopRequested = true;
        lock.unlock();
        m_wake.notify_one();
        return false;
    }
    // Waking the writer costs the caller a system call: it is woken once a batch is worth it
    // and otherwise looks by itself every WriterPeriod.
    const bool wake = m_queuedSamples < WakeSamples && m_queuedSamples + samples >= WakeSamples;
    m_queue.push_back(std::move(block));
    m_queuedSamples += samples;
    lock.unlock();
    if (wake)
        m_wake.notify_one();
    return true;
}

void SampleRecorder::Stop()
{
    if (!m_writer.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_accepting = false;
        m_stopRequested = true;
    }
    m_stopping = true;
    m_wake.notify_one();
    m_writer.join();
}

RecordingStatus SampleRecorder::Status() const
{
    RecordingStatus status;
    status.recording = m_status.recording.load();
    status.fileName = m_fileName;
    status.bytes = m_status.bytes.load();
    status.samples = m_status.samples.load();
    status.duration = std::chrono::microseconds(m_status.durationUs.load());
    return status;
}

void SampleRecorder::WriterLoop()
{
    if ((m_fd < 0 && !OpenForReader()) || !WriteHeader()) {
        {
            std::lock_guard lock(m_mutex);
            m_accepting = false;
            m_queue.clear();
            m_queuedSamples = 0;
        }
        Finish();
        return;
    }
    std::deque<SampleBlock> batch;
    for (;;) {
        bool last = false;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait_for(lock, WriterPeriod,
                            [this] { return m_queuedSamples >= WakeSamples || m_stopRequested; });
            batch.swap(m_queue);
            m_queuedSamples = 0;
            // Nothing is accepted once a stop is requested, so this batch is the last.
            last = m_stopRequested;
        }
        const bool written = FileStillNamed() && WriteBlocks(batch) && Flush();
        batch.clear();
        if (!written) {
            std::lock_guard lock(m_mutex);
            m_accepting = false;
            m_queue.clear();
            m_queuedSamples = 0;
            break;
        }
        if (last)
            break;
    }
    Finish();
}

// A FIFO that had no reader at Start: opened as soon as one comes, for ReaderWait at most.
// Stopping meanwhile ends the wait; the recording then fails as without a reader.
bool SampleRecorder::OpenForReader()
{
    const auto deadline = std::chrono::steady_clock::now() + ReaderWait;
    for (;;) {
        m_fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd >= 0)
            break;
        if (errno != ENXIO || std::chrono::steady_clock::now() >= deadline) {
            m_writeError = errno;
            return false;
        }
        std::unique_lock lock(m_mutex);
        if (m_wake.wait_for(lock, WriterPeriod, [this] { return m_stopRequested; })) {
            m_writeError = ENXIO;
            return false;
        }
    }
    struct stat info
    { };
    if (::fstat(m_fd, &info) == 0) {
        m_device = info.st_dev;
        m_inode = info.st_ino;
    }
    return true;
}

bool SampleRecorder::WriteHeader()
{
    if (m_header.empty())
        return true;
    const size_t written = WriteAll(m_header.data(), m_header.size(), m_writeError);
    m_writtenBytes += qint64(written);
    m_status.bytes = m_writtenBytes;
    return written == m_header.size();
}

// The person must not believe a run recorded whose file was deleted or replaced meanwhile.
bool SampleRecorder::FileStillNamed()
{
    const auto now = std::chrono::steady_clock::now();
    if (now - m_nameChecked < NameCheckPeriod)
        return true;
    m_nameChecked = now;
    struct stat info
    { };
    if (::stat(m_path.constData(), &info) != 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            return true; // cannot be looked at now: not a sign that it is gone
    } else if (info.st_dev == m_device && info.st_ino == m_inode) {
        return true;
    }
    m_fileGone = true;
    return false;
}

// Writes all of data; returns how much was written and sets `error` when it stopped short.
// POSIX rather than QFile: a short write must leave the file offset known, so that a partial
// line can be cut off with ftruncate. A pipe or device is written without blocking and waited
// for with poll, so that a stopping recording gives up on a reader that takes nothing.
size_t SampleRecorder::WriteAll(const char *data, size_t size, int &error)
{
    using Steady = std::chrono::steady_clock;
    size_t done = 0;
    Steady::time_point stalledSince {};
    while (done < size) {
        const ssize_t n = ::write(m_fd, data + done, size - done);
        if (n > 0) {
            done += size_t(n);
            stalledSince = {};
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            const auto now = Steady::now();
            if (stalledSince == Steady::time_point {})
                stalledSince = now;
            if (m_stopping && now - stalledSince >= ReaderWait) {
                error = EAGAIN;
                break;
            }
            pollfd writable {m_fd, POLLOUT, 0};
            (void)::poll(&writable, 1, int(WriterPeriod.count()));
            continue;
        }
        error = n < 0 ? errno : EIO;
        break;
    }
    return done;
}

bool SampleRecorder::WriteBlocks(const std::deque<SampleBlock> &blocks)
{
    using namespace std::chrono;
    const size_t channels = size_t(m_channels);
    for (const SampleBlock &block : blocks) {
        const size_t samples = block.values.size() / channels;
        if (samples == 0)
            continue;
        // localtime_r costs more than a line; the offset only changes on a whole second.
        const auto second = floor<seconds>(block.readTime);
        if (second != m_utcOffsetSecond) {
            m_utcOffset = RecordingFormat::UtcOffsetAt(block.readTime);
            m_utcOffsetSecond = second;
        }
        const auto sinceStart = block.readTime - m_start;
        const std::string prefix = RecordingFormat::LocalTime(block.readTime, m_utcOffset) + ','
                + RecordingFormat::Seconds(sinceStart);
        const size_t lineMax = RecordingFormat::LineLength(prefix.size(), m_channels);
        for (size_t i = 0; i < samples; ++i) {
            if (m_buffer.size() - m_used < lineMax && !Flush())
                return false;
            char *end = RecordingFormat::SampleLine(m_buffer.data() + m_used, prefix,
                                                    block.values.data() + i * channels, m_channels);
            m_used = size_t(end - m_buffer.data());
            ++m_bufferedSamples;
        }
        m_bufferedDurationUs = duration_cast<microseconds>(sinceStart).count();
    }
    return true;
}

bool SampleRecorder::Flush()
{
    const size_t written = WriteAll(m_buffer.data(), m_used, m_writeError);
    if (written == m_used) {
        m_writtenBytes += qint64(m_used);
        m_writtenSamples += m_bufferedSamples;
        m_used = 0;
        m_bufferedSamples = 0;
        m_status.bytes = m_writtenBytes;
        m_status.samples = m_writtenSamples;
        m_status.durationUs = m_bufferedDurationUs;
        return true;
    }
    // Keep the complete lines that made it and cut off the rest of a line.
    const char *begin = m_buffer.data();
    const auto lastEnd = std::find(std::make_reverse_iterator(begin + written),
                                   std::make_reverse_iterator(begin), '\n');
    const size_t kept = size_t(lastEnd.base() - begin);
    if (kept != written)
        (void)::ftruncate(m_fd, m_writtenBytes + qint64(kept));
    m_writtenBytes += qint64(kept);
    m_writtenSamples += std::count(begin, begin + kept, '\n');
    m_status.bytes = m_writtenBytes;
    m_status.samples = m_writtenSamples;
    return false;
}

void SampleRecorder::Finish()
{
    if (m_fd >= 0 && ::close(m_fd) != 0 && m_writeError == 0 && !m_fileGone)
        m_writeError = errno;
    m_fd = -1;
    bool overflowed = false;
    {
        std::lock_guard lock(m_mutex);
        overflowed = m_queueOverflowed;
    }
    m_status.recording = false;
    if (m_writeError == 0 && !overflowed && !m_fileGone)
        return;

    RecordingStopped stop;
    stop.fileName = m_fileName;
    stop.samples = m_writtenSamples;
    stop.reason = m_fileGone    ? RecordingStopped::TReason::FileGone
            : m_writeError != 0 ? RecordingStopped::TReason::WriteFailed
                                : RecordingStopped::TReason::QueueFull;
    stop.osError = m_writeError;
    QMetaObject::invokeMethod(
            this, [this, stop] { Deliver(stop); }, Qt::QueuedConnection);
}

void SampleRecorder::Deliver(RecordingStopped stop)
{
    stop.message = StopMessage(stop);
    if (OnStopped)
        OnStopped(this, stop);
}
