#include "app/run/sample_recorder.h"

#include "platform/exception.h"
#include "support/event_wait.h"
#include "support/limited_disk.h"
#include "support/recording_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <bit>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <random>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace std::chrono;
using RecordingFormat::Clock;

namespace {

const Clock::time_point RecordingStart = Clock::time_point(sys_days(2026y / December / 11)) + 3h;

std::uint32_t Bits(const std::string &text)
{
    float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
    return std::bit_cast<std::uint32_t>(value);
}

// A recorder with a fixed start whose stop reports are collected.
struct RecorderRig
{
    SampleRecorder recorder;
    std::vector<RecordingStopped> stops;

    RecorderRig()
    {
        recorder.SetClock([] { return RecordingStart; });
        recorder.OnStopped
                = [this](SampleRecorder *, const RecordingStopped &stop) { stops.push_back(stop); };
    }

    // Appends one-channel blocks of `blockSize` whose values count up from 0 until the
    // recording refuses one or `maxBlocks` are in; returns how many samples it took.
    qint64 AppendUntilRefused(int blockSize, int maxBlocks = 1000000)
    {
        qint64 accepted = 0;
        for (int block = 0; block < maxBlocks; ++block) {
            SampleBlock samples {RecordingStart + milliseconds(block), {}};
            for (int i = 0; i < blockSize; ++i)
                samples.values.push_back(float(accepted + i));
            if (!recorder.Append(std::move(samples)))
                break;
            accepted += blockSize;
        }
        return accepted;
    }

    // The report arrived, and only once.
    void ExpectOneStop()
    {
        ASSERT_TRUE(ProcessEventsUntil([this] { return !stops.empty(); }));
        QCoreApplication::processEvents();
        EXPECT_EQ(stops.size(), 1u);
        EXPECT_FALSE(recorder.Recording());
    }
};

// A file written by AppendUntilRefused holds the header and samples 0, 1, ... count - 1.
void ExpectCountingSamples(const std::string &text, qint64 count)
{
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(qint64(lines.size()), count + 1);
    for (qint64 i = 0; i < count; ++i)
        ASSERT_EQ(Split(lines[size_t(i + 1)]).at(2), std::to_string(i)) << "line " << i + 1;
}

} // namespace

// Thousands of samples in blocks of uneven size read back exactly: the shared time and seconds
// of each device read, and every value to the bit.
TEST(SampleRecorder, RecordsEverySampleExactly)
{
    for (const int channels : {1, 2, 8}) {
        SCOPED_TRACE(channels);
        QTemporaryDir dir;
        const QString path = dir.filePath("run.csv");
        QStringList names;
        for (int c = 0; c < channels; ++c)
            names << QStringLiteral("U%1").arg(c + 1);

        RecorderRig rig;
        rig.recorder.Start(path, names);
        EXPECT_TRUE(rig.recorder.Recording());
        std::mt19937 random(channels);
        std::vector<SampleBlock> sent;
        for (int total = 0; total < 5000;) {
            const int samples = 1 + int(random() % 97);
            SampleBlock block {RecordingStart + microseconds(1234567) * int(sent.size()), {}};
            while (int(block.values.size()) < samples * channels) {
                const float value = std::bit_cast<float>(std::uint32_t(random()));
                if (std::isfinite(value))
                    block.values.push_back(value);
            }
            sent.push_back(block);
            ASSERT_TRUE(rig.recorder.Append(std::move(block)));
            total += samples;
        }
        rig.recorder.Stop();

        const std::string text = ReadFile(path);
        const std::vector<std::string> lines = Lines(text);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0] + '\n', RecordingFormat::HeaderLine(names));
        size_t line = 1;
        for (const SampleBlock &block : sent) {
            const std::string time = RecordingFormat::LocalTime(
                    block.readTime, RecordingFormat::UtcOffsetAt(block.readTime));
            const std::string seconds = RecordingFormat::Seconds(block.readTime - RecordingStart);
            for (size_t s = 0; s < block.values.size() / size_t(channels); ++s, ++line) {
                ASSERT_LT(line, lines.size());
                const std::vector<std::string> fields = Split(lines[line]);
                ASSERT_EQ(fields.size(), size_t(2 + channels)) << lines[line];
                ASSERT_EQ(fields[0], time);
                ASSERT_EQ(fields[1], seconds);
                for (int c = 0; c < channels; ++c)
                    ASSERT_EQ(Bits(fields[size_t(2 + c)]),
                              std::bit_cast<std::uint32_t>(block.values[s * channels + c]));
            }
        }
        EXPECT_EQ(line, lines.size());

        const RecordingStatus status = rig.recorder.Status();
        EXPECT_FALSE(status.recording);
        EXPECT_EQ(status.fileName, path);
        EXPECT_EQ(status.samples, qint64(lines.size() - 1));
        EXPECT_EQ(status.bytes, qint64(text.size()));
        EXPECT_EQ(status.duration,
                  duration_cast<microseconds>(sent.back().readTime - RecordingStart));
        QCoreApplication::processEvents();
        EXPECT_TRUE(rig.stops.empty());
    }
}

TEST(SampleRecorder, RefusesBlocksItCannotTakeAndGoesOn)
{
    QTemporaryDir dir;
    RecorderRig rig;
    EXPECT_FALSE(rig.recorder.Append({RecordingStart, {1, 2}})) << "nothing started";

    rig.recorder.Start(dir.filePath("a.csv"), {"x", "y"});
    EXPECT_FALSE(rig.recorder.Append({RecordingStart, {1, 2, 3}})) << "half a sample";
    EXPECT_TRUE(rig.recorder.Append({RecordingStart, {1, 2}}));
    rig.recorder.Stop();
    EXPECT_FALSE(rig.recorder.Append({RecordingStart, {3, 4}})) << "stopped";
    EXPECT_EQ(Lines(ReadFile(dir.filePath("a.csv"))).size(), 2u);

    // A new Start ends the running recording, which keeps what it was given.
    rig.recorder.Start(dir.filePath("b.csv"), {"x"});
    EXPECT_TRUE(rig.recorder.Append({RecordingStart, {5}}));
    rig.recorder.Start(dir.filePath("c.csv"), {"x"});
    EXPECT_EQ(Lines(ReadFile(dir.filePath("b.csv"))).size(), 2u);
    EXPECT_EQ(rig.recorder.Status().fileName, dir.filePath("c.csv"));
}

TEST(SampleRecorder, DestructorWritesWhatIsQueued)
{
    QTemporaryDir dir;
    {
        RecorderRig rig;
        rig.recorder.Start(dir.filePath("run.csv"), {"x"});
        ASSERT_EQ(rig.AppendUntilRefused(100, 500), 50000);
    }
    ExpectCountingSamples(ReadFile(dir.filePath("run.csv")), 50000);
}

TEST(SampleRecorder, FolderThatCannotBeWrittenFailsAtStart)
{
    QTemporaryDir dir;
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    // Root ignores permissions, so the folders are ones that cannot exist.
    const QString paths[]
            = {dir.filePath("plain/run.csv"), dir.filePath("missing/run.csv"), dir.path()};
    for (const QString &path : paths) {
        RecorderRig rig;
        EXPECT_THROW(rig.recorder.Start(path, {"x"}), EInOutError) << path.toStdString();
        EXPECT_FALSE(rig.recorder.Recording());
        EXPECT_FALSE(rig.recorder.Append({RecordingStart, {1}}));
        QCoreApplication::processEvents();
        EXPECT_TRUE(rig.stops.empty());
    }
}

namespace {

// A full disk: the report comes once with the count, and the file ends in a complete line after
// exactly that many samples.
void ExpectStopsWhenTheDiskIsFull(const QString &path, int expectedError)
{
    RecorderRig rig;
    rig.recorder.Start(path, {"x"});
    const qint64 accepted = rig.AppendUntilRefused(37);
    rig.ExpectOneStop();
    ASSERT_EQ(rig.stops.size(), 1u);
    const RecordingStopped &stop = rig.stops[0];
    EXPECT_EQ(stop.reason, RecordingStopped::TReason::WriteFailed);
    EXPECT_EQ(stop.osError, expectedError);
    EXPECT_EQ(stop.fileName, path);
    EXPECT_GT(stop.samples, 0);
    EXPECT_LE(stop.samples, accepted);
    EXPECT_TRUE(stop.message.contains(QString::number(stop.samples))) << stop.message.toStdString();
    EXPECT_EQ(rig.recorder.Status().samples, stop.samples);

    rig.recorder.Stop();
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.stops.size(), 1u) << "Stop after the report does not report again";
    ExpectCountingSamples(ReadFile(path), stop.samples);
}

} // namespace

TEST(SampleRecorder, FileSizeLimitEndsTheRecordingOnACompleteLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("run.csv");
    {
        // An odd limit, so that the last write stops inside a line.
        const FileSizeLimit limit(300001);
        ASSERT_TRUE(limit.Set());
        ExpectStopsWhenTheDiskIsFull(path, EFBIG);
    }
    EXPECT_LT(QFileInfo(path).size(), 300001);
}

TEST(SampleRecorder, FullFileSystemEndsTheRecordingOnACompleteLine)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("small"));
    const SmallFileSystem small(dir.filePath("small"));
    if (!small.Mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here; the file size limit covers the short write";
    ExpectStopsWhenTheDiskIsFull(dir.filePath("small/run.csv"), ENOSPC);
}

// A writer that cannot keep up (a pipe nobody reads yet) ends the recording when the queue is
// full; every sample queued before that still reaches the file.
TEST(SampleRecorder, FullQueueEndsTheRecordingAndKeepsWhatWasQueued)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("pipe");
    const QByteArray pipePath = QFile::encodeName(path);
    ASSERT_EQ(::mkfifo(pipePath.constData(), 0600), 0);
    const int reader = ::open(pipePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);

    RecorderRig rig;
    rig.recorder.SetQueueCapacity(1000);
    rig.recorder.Start(path, {"x"});
    const qint64 accepted = rig.AppendUntilRefused(100);
    EXPECT_FALSE(rig.recorder.Append({RecordingStart, {1}}));

    std::string received;
    char chunk[65536];
    for (bool open = true; open;) {
        const ssize_t n = ::read(reader, chunk, sizeof chunk);
        if (n > 0)
            received.append(chunk, size_t(n));
        else if (n == 0)
            open = false;
        else
            ASSERT_TRUE(errno == EAGAIN) << errno;
        QCoreApplication::processEvents();
    }
    ::close(reader);

    rig.ExpectOneStop();
    ASSERT_EQ(rig.stops.size(), 1u);
    EXPECT_EQ(rig.stops[0].reason, RecordingStopped::TReason::QueueFull);
    EXPECT_EQ(rig.stops[0].samples, accepted);
    ExpectCountingSamples(received, accepted);
}

// The reader in tools/ accepts a recording with quoted names and rejects one cut inside a line.
TEST(SampleRecorder, ReaderToolChecksARecording)
{
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty())
        GTEST_SKIP() << "no python3";
    QTemporaryDir dir;
    const QString path = dir.filePath("run.csv");
    RecorderRig rig;
    rig.recorder.Start(path, {"U,1", "say \"x\""});
    for (int i = 0; i < 300; ++i)
        rig.recorder.Append({RecordingStart + milliseconds(10 * (i / 3)), {float(i), -0.5f}});
    rig.recorder.Stop();

    const auto run = [&] {
        QProcess process;
        process.start(python, {VANTOR_READ_RECORDING, path});
        EXPECT_TRUE(process.waitForFinished(20000));
        return std::pair(process.exitCode(), QString::fromUtf8(process.readAll()));
    };
    const auto [exitCode, output] = run();
    EXPECT_EQ(exitCode, 0) << output.toStdString();
    EXPECT_TRUE(output.contains("rows: 300")) << output.toStdString();
    EXPECT_TRUE(output.contains("channels: U,1 | say \"x\"")) << output.toStdString();
    EXPECT_TRUE(output.contains("span: 0.990000 s")) << output.toStdString();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("2026-12-11T04:00:00.000+01:00,1.000000,7");
    file.close();
    EXPECT_NE(run().first, 0);
}

// A header that cannot be written leaves no file behind that the recording created; a file that
// was there is left empty, as choosing it to be overwritten asked.
TEST(SampleRecorder, UnwritableHeaderLeavesNoNewFile)
{
    QTemporaryDir dir;
    const QString fresh = dir.filePath("fresh.csv");
    const QString old = dir.filePath("old.csv");
    {
        QFile file(old);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    const FileSizeLimit limit(4); // shorter than any header
    ASSERT_TRUE(limit.Set());
    for (const QString &path : {fresh, old}) {
        RecorderRig rig;
        EXPECT_THROW(rig.recorder.Start(path, {"x"}), EInOutError) << path.toStdString();
        EXPECT_FALSE(rig.recorder.Recording());
    }
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_EQ(QFileInfo(old).size(), 0);
}

// A FIFO is a file a person may choose. Without a reader, Start returns at once and the recording
// ends after a short wait with a message; a reader that comes in time gets everything; one that
// goes away ends the recording (EPIPE), never the program (SIGPIPE).
TEST(SampleRecorder, FifoWithAndWithoutAReader)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("pipe");
    const QByteArray pipePath = QFile::encodeName(path);
    ASSERT_EQ(::mkfifo(pipePath.constData(), 0600), 0);

    {
        RecorderRig rig;
        const auto before = steady_clock::now();
        rig.recorder.Start(path, {"x"});
        EXPECT_LT(steady_clock::now() - before, 500ms) << "the open does not wait for a reader";
        EXPECT_TRUE(rig.recorder.Append({RecordingStart, {1}}));
        ASSERT_TRUE(ProcessEventsUntil([&] { return !rig.stops.empty(); },
                                       int(SampleRecorder::ReaderWait.count()) + 3000));
        EXPECT_GE(steady_clock::now() - before, SampleRecorder::ReaderWait);
        EXPECT_EQ(rig.stops[0].osError, ENXIO);
        EXPECT_EQ(rig.stops[0].samples, 0);
        EXPECT_TRUE(rig.stops[0].message.contains(path)) << rig.stops[0].message.toStdString();
        EXPECT_FALSE(rig.recorder.Recording());
    }
    {
        // The reader comes after Start; it reads the header and the sample, then goes away.
        RecorderRig rig;
        rig.recorder.Start(path, {"x"});
        EXPECT_TRUE(rig.recorder.Append({RecordingStart, {7}}));
        const int reader = ::open(pipePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(reader, 0);
        std::string received;
        char chunk[4096];
        ProcessEventsUntil([&] {
            const ssize_t n = ::read(reader, chunk, sizeof chunk);
            if (n > 0)
                received.append(chunk, size_t(n));
            return Lines(received).size() == 2;
        });
        ASSERT_EQ(Lines(received).size(), 2u) << received;
        EXPECT_EQ(Split(Lines(received)[1]).at(2), "7");
        ::close(reader);
        for (int i = 0; i < 500 && rig.recorder.Append({RecordingStart, {8}}); ++i)
            ProcessEventsUntil([] { return false; }, 10);
        rig.ExpectOneStop();
        ASSERT_EQ(rig.stops.size(), 1u);
        EXPECT_EQ(rig.stops[0].reason, RecordingStopped::TReason::WriteFailed);
        EXPECT_EQ(rig.stops[0].osError, EPIPE);
        EXPECT_GE(rig.stops[0].samples, 1);
    }
}

// A file that loses its name while it is written (replaced by another) ends the recording with
// the samples written so far.
TEST(SampleRecorder, ReplacedFileEndsTheRecording)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("run.csv");
    RecorderRig rig;
    rig.recorder.Start(path, {"x"});
    rig.recorder.Append({RecordingStart, {1, 2, 3}});
    ASSERT_TRUE(ProcessEventsUntil([&] { return rig.recorder.Status().samples == 3; }));
    {
        QFile other(dir.filePath("other"));
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    }
    ASSERT_EQ(::rename(QFile::encodeName(dir.filePath("other")).constData(),
                       QFile::encodeName(path).constData()),
              0);
    const auto replaced = steady_clock::now();
    for (int i = 0; i < 200 && rig.recorder.Append({RecordingStart, {4}}); ++i)
        ProcessEventsUntil([] { return false; }, 10);
    rig.ExpectOneStop();
    EXPECT_LT(steady_clock::now() - replaced, 1s);
    ASSERT_EQ(rig.stops.size(), 1u);
    EXPECT_EQ(rig.stops[0].reason, RecordingStopped::TReason::FileGone);
    EXPECT_GE(rig.stops[0].samples, 3);
    EXPECT_TRUE(rig.stops[0].message.contains(path));
    EXPECT_TRUE(rig.stops[0].message.contains(QString::number(rig.stops[0].samples)));
}
