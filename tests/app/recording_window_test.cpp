// Recording every sample to a file, driven through the window: the Record toggle, a run through
// a pseudo-terminal, faults of the disk and the end of the program by a signal.
#include "app/run/channel_samples.h"
#include "app/run/run_recording.h"
#include "main_window_fixture.h"
#include "platform/demo_device.h"
#include "platform/termination_signals.h"
#include "serial/com_port.h"
#include "support/limited_disk.h"
#include "support/recording_file.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>

#include <charconv>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A recording read back: its header fields, and per sample line the seconds and the values.
struct Recording
{
    std::vector<std::string> header;
    std::vector<std::string> times;
    std::vector<double> seconds;
    std::vector<std::vector<float>> values; // per channel

    static Recording Read(const QString &path)
    {
        Recording r;
        const std::vector<std::string> lines = ::Lines(ReadFile(path));
        if (lines.empty())
            return r;
        r.header = Split(lines[0]);
        const size_t channels = r.header.size() - 2;
        r.values.resize(channels);
        for (size_t i = 1; i < lines.size(); ++i) {
            const std::vector<std::string> fields = Split(lines[i]);
            EXPECT_EQ(fields.size(), channels + 2) << "line " << i;
            if (fields.size() != channels + 2)
                continue;
            r.times.push_back(fields[0]);
            r.seconds.push_back(std::stod(fields[1]));
            for (size_t c = 0; c < channels; ++c) {
                float value = 0;
                std::from_chars(fields[c + 2].data(), fields[c + 2].data() + fields[c + 2].size(),
                                value);
                r.values[c].push_back(value);
            }
        }
        return r;
    }
    size_t Samples() const { return times.size(); }
};

class RecordingWindowTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ShowFastDisplay();
        ui().DatSkal2Edit->setText(QStringLiteral("1,000000"));
        ui().ComboBoxMaxSamples->setCurrentText(QStringLiteral("100000"));
    }

    // The Record toggle with the file typed into the dialog.
    void RecordTo(const QString &path)
    {
        fileNames << path;
        Click(ui().RecordButton);
    }

    // Channel c of the display list as floats, the way the decoder took it.
    std::vector<float> Displayed(int layer)
    {
        std::vector<float> values;
        for (double v : LayerSamples(chart().Items(), chart().ItemCount(), layer))
            values.push_back(static_cast<float>(v));
        return values;
    }

    RunRecording &recording() { return form->Recording(); }
    bool Running() { return ui().StopButton->isEnabled(); }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.csv"));
};

// Switched on before Start, the recording begins with the run and holds every sample the display
// list holds, in order and to the bit, with the channel names in the header; Stop ends it.
TEST_F(RecordingWindowTest, EverySampleOfTheRunInOrderAsTheDisplayHoldsIt)
{
    const struct
    {
        QRadioButton *count;
        std::vector<std::string> header;
    } cases[] = {
            {ui().Ch1RadioButton, {"time", "seconds", "CH1"}},
            {ui().ChNRadioButton, {"time", "seconds", "Volt", "CH2", "CH3"}},
    };
    int run = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.header.size());
        c.count->setChecked(true);
        ui().Ch1NameEdit->setText(c.header.size() > 3 ? QStringLiteral("Volt") : QString());
        ui().ChannelTable->item(0, 2)->setText(QStringLiteral("0,5")); // channel 3's offset
        const QString file = dir.filePath(QStringLiteral("run%1.csv").arg(run++));
        RecordTo(file);
        EXPECT_TRUE(recording().Armed());
        EXPECT_FALSE(recording().Recording()) << "waits for Start";
        Click(ui().StartButton);
        ASSERT_TRUE(recording().Recording());
        std::string lines = "x\r\n";
        for (int i = 0; i < 3000; ++i)
            lines += std::to_string(i) + ".125;" + std::to_string(-i) + "e-3;0.1\r\n";
        Send(lines);
        ASSERT_TRUE(ProcessEventsUntil([&] { return form->State().SampleCount == 3000; }));
        Click(ui().StopButton);
        EXPECT_FALSE(recording().Armed());
        EXPECT_FALSE(ui().RecordButton->isChecked());

        const Recording r = Recording::Read(file);
        EXPECT_EQ(r.header, c.header);
        ASSERT_EQ(r.Samples(), 3000u);
        for (size_t ch = 0; ch < r.values.size(); ++ch)
            EXPECT_EQ(r.values[ch], Displayed(int(ch) + 1)) << "channel " << ch + 1;
        if (r.values.size() == 3) {
            EXPECT_EQ(r.values[2][0], 0.6f) << "0.1 with the table's offset";
        }
        EXPECT_TRUE(std::is_sorted(r.seconds.begin(), r.seconds.end()));
        const QRegularExpression iso(
                QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d$)"));
        EXPECT_TRUE(iso.match(QString::fromStdString(r.times.front())).hasMatch())
                << r.times.front();
        EXPECT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
    }
}

TEST_F(RecordingWindowTest, SwitchedOnDuringARunItBeginsAtOnceAndOffEndsIt)
{
    Click(ui().StartButton);
    Send("x\r\n" + Lines(10, "1"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return form->State().SampleCount == 10; }));
    RecordTo(path);
    ASSERT_TRUE(recording().Recording());
    EXPECT_TRUE(ui().RecordButton->isChecked());
    Send(Lines(20, "2"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return form->State().SampleCount == 30; }));
    Click(ui().RecordButton);
    EXPECT_FALSE(recording().Armed());
    Send(Lines(5, "3"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return form->State().SampleCount == 35; }));
    EXPECT_TRUE(Running());

    const Recording r = Recording::Read(path);
    ASSERT_EQ(r.Samples(), 20u);
    EXPECT_EQ(r.values[0], std::vector<float>(20, 2.0f));
}

TEST_F(RecordingWindowTest, AStartThatFailsLeavesTheRecordingWaiting)
{
    ui().ComComboBox1->addItem(QStringLiteral("/dev/vantor-missing"));
    ui().ComComboBox1->SetText(QStringLiteral("/dev/vantor-missing"));
    RecordTo(path);
    Click(ui().StartButton);
    ASSERT_EQ(messages.Errors.size(), 1);
    EXPECT_FALSE(Running());
    EXPECT_TRUE(recording().Armed());
    EXPECT_TRUE(ui().RecordButton->isChecked());
    EXPECT_FALSE(QFile::exists(path)) << "no file before a run begins";
}

// A file that cannot be created or a disk that fills up ends the recording with a message that
// names the file; the run goes on, and the file ends in a complete line.
TEST_F(RecordingWindowTest, DiskFaultsEndTheRecordingNotTheRun)
{
    Click(ui().StartButton);
    RecordTo(dir.filePath(QStringLiteral("missing-folder/run.csv")));
    ASSERT_EQ(messages.Errors.size(), 1);
    EXPECT_TRUE(messages.Errors[0].contains(QStringLiteral("missing-folder/run.csv")))
            << messages.Errors[0].toStdString();
    EXPECT_FALSE(ui().RecordButton->isChecked());
    EXPECT_TRUE(Running());

    const QString small = dir.filePath(QStringLiteral("small"));
    ASSERT_TRUE(QDir().mkpath(small));
    SmallFileSystem disk(small);
    FileSizeLimit limit(disk.Mounted() ? RLIM_INFINITY : 64 * 1024);
    ASSERT_TRUE(disk.Mounted() || limit.Set());
    const QString file = small + QStringLiteral("/run.csv");
    RecordTo(file);
    ASSERT_TRUE(recording().Recording());
    for (int burst = 0; burst < 40 && recording().Recording(); ++burst) {
        Send(Lines(200, "12345.678"));
        ProcessEventsUntil([&] { return !recording().Recording(); }, 100);
    }
    ASSERT_TRUE(ProcessEventsUntil([&] { return messages.Errors.size() == 2; }));
    EXPECT_TRUE(messages.Errors[1].contains(file)) << messages.Errors[1].toStdString();
    EXPECT_FALSE(ui().RecordButton->isChecked());
    EXPECT_TRUE(Running());
    const Recording r = Recording::Read(file);
    EXPECT_GT(r.Samples(), 1000u);
    EXPECT_TRUE(messages.Errors[1].contains(QString::number(r.Samples())))
            << "the message gives the samples the file holds";
}

// The recording's file deleted during the run: within a second the recording ends with a
// message naming the file and the samples written; the run goes on.
TEST_F(RecordingWindowTest, DeletedFileEndsTheRecordingNotTheRun)
{
    Click(ui().StartButton);
    RecordTo(path);
    ASSERT_TRUE(recording().Recording());
    Send("x\r\n" + Lines(50, "1"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return recording().Recorder().Status().samples > 0; }));
    ASSERT_TRUE(QFile::remove(path));
    const auto deleted = std::chrono::steady_clock::now();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !messages.Errors.isEmpty(); }, 2000));
    EXPECT_LT(std::chrono::steady_clock::now() - deleted, std::chrono::seconds(1));
    ASSERT_EQ(messages.Errors.size(), 1);
    const qint64 samples = recording().Recorder().Status().samples;
    EXPECT_EQ(messages.Errors[0],
              QStringLiteral("Die Aufzeichnung %1 wurde beendet: die Datei wurde gelöscht oder "
                             "ersetzt, nachdem %2 Samples geschrieben waren.")
                      .arg(path)
                      .arg(samples));
    EXPECT_FALSE(recording().Armed());
    EXPECT_FALSE(ui().RecordButton->isChecked());
    EXPECT_TRUE(Running());
    Send(Lines(5, "2"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return form->State().SampleCount >= 54; }));
}

// A run that ends by itself at the sample limit says so in the status bar, and that the
// recording ended with it, naming its file and the samples it holds.
TEST_F(RecordingWindowTest, TheLimitStopSaysWhyAndNamesTheRecordingsFile)
{
    ui().ComboBoxMaxSamples->setCurrentText(QStringLiteral("100"));
    RecordTo(path);
    Click(ui().StartButton);
    ASSERT_TRUE(recording().Recording());
    Send("x\r\n" + Lines(150, "1"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return !messages.Infos.isEmpty(); }));
    EXPECT_FALSE(Running());
    const Recording r = Recording::Read(path);
    EXPECT_GE(r.Samples(), 100u);
    const QString reason = QStringLiteral("Speicher-/Sample-Maximum erreicht");
    EXPECT_EQ(form->StatusText(2), reason);
    EXPECT_EQ(form->RecordingStatusText(),
              QStringLiteral("%1 – Aufzeichnung beendet: %2, %3 Samples")
                      .arg(reason, path)
                      .arg(r.Samples()));

    Click(ui().StartButton); // the next run without a recording: old news go
    EXPECT_TRUE(form->RecordingStatusText().isEmpty()) << form->RecordingStatusText().toStdString();
}

// A full disk and the sample limit at once, with the real message boxes: they open one after
// the other, never on top of each other, and both reach the person.
TEST_F(RecordingWindowTest, DiskFullAndTheLimitAtOnceOpenOneAfterTheOther)
{
    const auto visibleBoxes = [] {
        std::vector<QMessageBox *> boxes;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(window); box && box->isVisible())
                boxes.push_back(box);
        }
        return boxes;
    };
    ui().ComboBoxMaxSamples->setCurrentText(QStringLiteral("100"));
    const MessagePresenter recorder = SetMessagePresenter({});
    QStringList shown;
    {
        FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.Set());
        RecordTo(path);
        Click(ui().StartButton);
        ASSERT_TRUE(recording().Recording());
        Send("x\r\n" + Lines(150, "12345.678"));
        while (shown.size() < 3
               && ProcessEventsUntil([&] { return !visibleBoxes().empty(); },
                                     shown.size() < 2 ? 5000 : 500)) {
            ProcessEventsUntil([] { return false; }, 300); // the other one arrives meanwhile
            const std::vector<QMessageBox *> boxes = visibleBoxes();
            ASSERT_EQ(boxes.size(), 1u) << "on top of each other";
            shown << boxes[0]->text();
            boxes[0]->accept();
        }
    }
    SetMessagePresenter(recorder);
    ASSERT_EQ(shown.size(), 2) << shown.join('\n').toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("Speicher-/Sample-Maximum erreicht")));
    EXPECT_TRUE(shown[0].contains(path) || shown[1].contains(path))
            << shown.join('\n').toStdString();
    EXPECT_TRUE(form->RecordingStatusText().contains(path))
            << form->RecordingStatusText().toStdString();
}

// A FIFO chosen as the recording: without a reader the window goes on at once and says so after
// a short wait; with a reader that goes away the recording ends, the run and the program not.
TEST_F(RecordingWindowTest, FifoWithoutOrWithAGoneReaderEndsTheRecordingNotTheRun)
{
    const QString fifo = dir.filePath(QStringLiteral("pipe.csv"));
    const QByteArray fifoPath = QFile::encodeName(fifo);
    ASSERT_EQ(::mkfifo(fifoPath.constData(), 0600), 0);
    Click(ui().StartButton);
    const auto before = std::chrono::steady_clock::now();
    RecordTo(fifo);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
    EXPECT_TRUE(recording().Recording());
    ASSERT_TRUE(ProcessEventsUntil([&] { return !messages.Errors.isEmpty(); }, 6000));
    EXPECT_TRUE(messages.Errors[0].contains(fifo)) << messages.Errors[0].toStdString();
    EXPECT_FALSE(ui().RecordButton->isChecked());
    EXPECT_TRUE(Running());

    const int reader = ::open(fifoPath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    RecordTo(fifo);
    ASSERT_TRUE(recording().Recording());
    Send("x\r\n" + Lines(20, "1"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return recording().Recorder().Status().samples > 0; }));
    ::close(reader);
    for (int burst = 0; burst < 50 && messages.Errors.size() < 2; ++burst) {
        Send(Lines(20, "2"));
        ProcessEventsUntil([&] { return messages.Errors.size() == 2; }, 100);
    }
    ASSERT_EQ(messages.Errors.size(), 2);
    EXPECT_TRUE(messages.Errors[1].contains(fifo)) << messages.Errors[1].toStdString();
    EXPECT_TRUE(Running());
}

// The program ends by a termination signal (its handler closes the window): the file of a
// "DEMO 8" run is complete, holds every sample the run took and reads with Python's csv module.
TEST_F(RecordingWindowTest, TerminationSignalLeavesACompleteFile)
{
    TerminationSignals termination([&](int) { form->close(); });
    ChoosePort(QString::fromLatin1(Demo8PortName));
    ui().ChannelCountSpinBox->setValue(8);
    RecordTo(path);
    Click(ui().StartButton);
    ASSERT_TRUE(ProcessEventsUntil([&] { return form->State().SampleCount > 100; }));
    ASSERT_EQ(::kill(::getpid(), SIGTERM), 0);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !form->isVisible(); }));
    const Recording r = Recording::Read(path);
    ASSERT_EQ(r.values.size(), 8u);
    EXPECT_EQ(r.Samples(), size_t(form->State().SampleCount));
    for (int channel = 1; channel <= 8; ++channel)
        EXPECT_EQ(r.values[size_t(channel - 1)], Displayed(channel)) << channel;

    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        GTEST_SKIP() << "no python3";
    QProcess reader;
    reader.start(python, {QStringLiteral(VANTOR_READ_RECORDING), path});
    ASSERT_TRUE(reader.waitForFinished(20000));
    const QString output = QString::fromUtf8(reader.readAll());
    EXPECT_EQ(reader.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("rows: %1").arg(r.Samples())))
            << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("channels: CH1 | CH2 | CH3 | CH4 | CH5 | CH6 | "
                                               "CH7 | CH8")))
            << output.toStdString();
}

} // namespace
