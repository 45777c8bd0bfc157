#include "app/run/sample_recorder.h"

#include "platform/exception.h"

#include <QFile>

#include <algorithm>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace {

// Whole lines wait here until the batch is written or the buffer is full; large enough that a
// write costs little per line, small enough that a short write is cheap to trim.
constexpr size_t BufferBytes = 256 * 1024;

// Writes all of data; returns how much was written and sets `error` when it stopped short.
// POSIX rather than QFile: a short write must leave the file offset known, so that a partial
// line can be cut off with ftruncate.
size_t WriteAll(int fd, const char *data, size_t size, int &error)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
            break;
        }
        done += size_t(n);
    }
    return done;
}

QString StopMessage(const RecordingStopped &stop)
{
    const QString count = QString::number(stop.samples);
    if (stop.reason == RecordingStopped::TReason::QueueFull)
        return SampleRecorder::tr("Die Aufzeichnung %1 wurde beendet: das Schreiben kam den Daten "
                                  "nicht nach. Sie enthält %2 Samples.")
                .arg(stop.fileName, count);
    return SampleRecorder::tr("Die Aufzeichnung %1 wurde beendet: %2. Sie enthält %3 Samples.")
            .arg(stop.fileName, InOutErrorMessage(InOutCodeFromErrno(stop.osError)), count);
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
    const int fd = ::open(QFile::encodeName(fileName).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw fail(errno);
    const std::string header = RecordingFormat::HeaderLine(channelNames);
    int error = 0;
    if (WriteAll(fd, header.data(), header.size(), error) != header.size()) {
        (void)::ftruncate(fd, 0);
        ::close(fd);
        throw fail(error);
    }

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
    m_writtenBytes = qint64(header.size());
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
        const bool written = WriteBlocks(batch) && Flush();
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
    const size_t written = WriteAll(m_fd, m_buffer.data(), m_used, m_writeError);
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
    if (::close(m_fd) != 0 && m_writeError == 0)
        m_writeError = errno;
    m_fd = -1;
    bool overflowed = false;
    {
        std::lock_guard lock(m_mutex);
        overflowed = m_queueOverflowed;
    }
    m_status.recording = false;
    if (m_writeError == 0 && !overflowed)
        return;

    RecordingStopped stop;
    stop.fileName = m_fileName;
    stop.samples = m_writtenSamples;
    stop.reason = m_writeError != 0 ? RecordingStopped::TReason::WriteFailed
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
