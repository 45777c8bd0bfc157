#pragma once

#include "app/run/recording_format.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

// The samples of one device read: they share its read time. `values` holds the samples one after
// the other, each with one value per channel of the recording.
struct SampleBlock
{
    RecordingFormat::Clock::time_point readTime;
    std::vector<float> values;
};

// Why a recording ended by itself, with what its file holds.
struct RecordingStopped
{
    enum class TReason { WriteFailed, QueueFull, FileGone };

    QString fileName;
    qint64 samples = 0; // complete sample lines in the file
    TReason reason = TReason::WriteFailed;
    int osError = 0; // errno of the failed open or write
    QString message;
};

// What the status bar shows; readable at any time.
struct RecordingStatus
{
    bool recording = false;
    QString fileName;
    qint64 bytes = 0;
    qint64 samples = 0;
    std::chrono::microseconds duration {}; // the `seconds` of the last line written
};

// Owns one recording at a time: its file, its queue and the writer thread that formats and writes
// the queued samples. Every method is for the user-interface thread. Append only copies values into
// a bounded queue, so it costs the caller little; the writer writes whole lines only. When a write
// fails or the queue is full, the recording ends with complete lines in the file, holding every
// sample up to the last one written, and OnStopped reports it once, queued on the user-interface
// thread. So does a file that loses its name (deleted or replaced) while it is written.
//
// Any file a person may choose must be safe to record to: the open never waits (a FIFO without
// a reader is waited for on the writer thread, ReaderWait at most), a pipe or device is written
// without blocking so that Stop can give up on a reader that takes nothing, and a reader that
// goes away fails the write with EPIPE instead of ending the program by SIGPIPE.
class SampleRecorder : public QObject
{
    Q_OBJECT
public:
    static constexpr size_t DefaultQueueSamples = size_t(1) << 21;
    // The writer is woken when this many samples wait, and looks by itself every period.
    static constexpr size_t WakeSamples = 8192;
    static constexpr std::chrono::milliseconds WriterPeriod {50};
    // How often the writer checks that the file still has its name.
    static constexpr std::chrono::milliseconds NameCheckPeriod {250};
    // How long a FIFO without a reader is waited for, and a stopping recording waits for a
    // reader that takes nothing.
    static constexpr std::chrono::milliseconds ReaderWait {2000};

    explicit SampleRecorder(QObject *parent = nullptr);
    ~SampleRecorder() override;
    SampleRecorder(const SampleRecorder &) = delete;
    SampleRecorder &operator=(const SampleRecorder &) = delete;

    // Samples the queue holds at most before the recording gives up; for the next Start.
    void SetQueueCapacity(size_t samples) { m_capacity = samples; }
    // The recording's start for the `seconds` column; system_clock::now by default.
    void SetClock(std::function<RecordingFormat::Clock::time_point()> now)
    {
        m_now = std::move(now);
    }

    // Ends a recording still running, then creates (or empties) fileName and writes the header.
    // Raises EInOutError when the file cannot be created or written, and leaves no file it
    // created behind; channels must be 1 to 8. The header of a pipe or device is written by the
    // writer, whose failure OnStopped reports.
    void Start(const QString &fileName, const QStringList &channelNames);
    // Queues the block; false when no recording takes it (none running, or it has just ended: the
    // block is then not in the file). A block whose size is not a multiple of the channel count
    // is refused, and the rest of the recording is unaffected.
    bool Append(SampleBlock block);
    // Writes what is queued, closes the file and joins the writer. A stop already reported by
    // OnStopped is not reported again; one that happened but is still on its way is.
    void Stop();

    bool Recording() const { return m_status.recording.load(std::memory_order_relaxed); }
    RecordingStatus Status() const;

    std::function<void(SampleRecorder *sender, const RecordingStopped &stop)> OnStopped;

private:
    void WriterLoop();
    bool OpenForReader();
    bool WriteHeader();
    bool FileStillNamed();
    size_t WriteAll(const char *data, size_t size, int &error);
    bool WriteBlocks(const std::deque<SampleBlock> &blocks);
    bool Flush();
    void Finish();
    void Deliver(RecordingStopped stop);

    // Set by Start on the user-interface thread, read-only for the writer while it runs.
    QString m_fileName;
    QByteArray m_path;
    int m_channels = 0;
    int m_fd = -1; // -1 while a FIFO waits for its reader
    std::string m_header; // still to be written by the writer
    dev_t m_device = 0; // what the file's name must still lead to
    ino_t m_inode = 0;
    size_t m_capacity = DefaultQueueSamples;
    RecordingFormat::Clock::time_point m_start;
    std::function<RecordingFormat::Clock::time_point()> m_now;

    // Queue, guarded by m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<SampleBlock> m_queue;
    size_t m_queuedSamples = 0;
    bool m_accepting = false;
    bool m_stopRequested = false;
    bool m_queueOverflowed = false;
    std::atomic<bool> m_stopping {false}; // a stalled reader is given up on

    // The writer's own state: whole lines not yet written, and what the file holds.
    std::vector<char> m_buffer;
    size_t m_used = 0;
    qint64 m_bufferedSamples = 0;
    qint64 m_bufferedDurationUs = 0;
    qint64 m_writtenBytes = 0;
    qint64 m_writtenSamples = 0;
    int m_writeError = 0;
    bool m_fileGone = false;
    std::chrono::steady_clock::time_point m_nameChecked;
    std::chrono::seconds m_utcOffset {};
    RecordingFormat::Clock::time_point m_utcOffsetSecond;

    struct AtomicStatus
    {
        std::atomic<bool> recording {false};
        std::atomic<qint64> bytes {0};
        std::atomic<qint64> samples {0};
        std::atomic<qint64> durationUs {0};
    } m_status;

    std::thread m_writer;
};
