// A run and the terminal survive a device that goes away and comes back under the same name:
// a link the test controls leads to a pseudo-terminal that is pulled and plugged in again.
#include "app/run/channel_samples.h"
#include "app/run/port_reconnect.h"
#include "app/run/run_recording.h"
#include "instruments/led.h"
#include "instruments/trend.h"
#include "instruments/vmeter.h"
#include "main_window_fixture.h"
#include "serial/com_port.h"
#include "serial/com_terminal.h"
#include "support/pluggable_device.h"
#include "support/recording_file.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

double ProcessCpuSeconds()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the event loop for the given time, idle unless timers or hand-overs wake it.
void RunEventLoopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

class PortReconnectTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(device.Plugged());
        ui().ComComboBox1->addItem(device.Path());
        ui().ComComboBox1->SetText(device.Path());
        ui().DatSkal2Edit->setText(QStringLiteral("1,000000"));
    }

    void Send(const std::string &lines) { ASSERT_TRUE(device.Write(lines)); }

    void Unplug()
    {
        device.Unplug();
        ASSERT_TRUE(ProcessEventsUntil([&] { return form->WaitingForPort(); }));
        EXPECT_EQ(form->StatusText(2), QStringLiteral("Port disconnected"));
        EXPECT_FALSE(form->ComPort1().Connected());
    }

    void Replug()
    {
        ASSERT_TRUE(device.Plug());
        ASSERT_TRUE(ProcessEventsUntil([&] { return form->ComPort1().Connected(); }));
        EXPECT_EQ(form->StatusText(2), QStringLiteral("Port reconnected"));
        EXPECT_FALSE(form->WaitingForPort());
    }

    void ExpectRunning(bool indicator)
    {
        EXPECT_TRUE(ui().StopButton->isEnabled());
        EXPECT_FALSE(ui().StartButton->isEnabled());
        EXPECT_FALSE(ui().SettingsPages->isEnabled());
        EXPECT_EQ(ui().ActivityIndicator->isEnabled(), indicator);
    }

    bool WaitForSamples(std::int64_t count)
    {
        return ProcessEventsUntil([&] { return form->State().SampleCount == count; });
    }

    std::vector<double> Samples(int layer)
    {
        return LayerSamples(chart().Items(), chart().ItemCount(), layer);
    }

    // The x ranges of the lines drawn on a layer; a move starts a new line.
    std::vector<std::pair<double, double>> Segments(int layer)
    {
        std::vector<std::pair<double, double>> segments;
        double penX = 0;
        for (int i = 0; i < chart().ItemCount(); ++i) {
            const TChartItem item = Item(i);
            if (item.Layer != layer)
                continue;
            if (item.Kind == TItemKind::ikLine)
                segments.emplace_back(item.X1, item.X2);
            if (item.Kind == TItemKind::ikLineTo)
                segments.emplace_back(penX, item.X1);
            if (item.Kind == TItemKind::ikLineTo || item.Kind == TItemKind::ikMoveTo)
                penX = item.X1;
        }
        return segments;
    }

    void ExpectNothingDrawnAcross(double firstAfterGap, int layer)
    {
        for (const auto &[from, to] : Segments(layer))
            EXPECT_FALSE(from < firstAfterGap && to >= firstAfterGap)
                    << "layer " << layer << ": line from " << from << " to " << to;
    }

    int MoveCount()
    {
        int moves = 0;
        for (int i = 0; i < chart().ItemCount(); ++i)
            moves += Item(i).Kind == TItemKind::ikMoveTo;
        return moves;
    }

    PluggableDevice device;
};

struct FastCase
{
    const char *name;
    bool trend;
    int channels;
};

class FastDisplayReconnectTest : public PortReconnectTest,
                                 public ::testing::WithParamInterface<FastCase>
{ };

TEST_P(FastDisplayReconnectTest, RunGoesOnWithoutALineAcrossTheGap)
{
    const FastCase c = GetParam();
    ShowFastDisplay();
    (c.channels == 2 ? ui().CH2RadioButton : ui().Ch1RadioButton)->setChecked(true);
    ui().TrendCheckBox->setChecked(c.trend);
    Click(ui().StartButton);
    ASSERT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
    Send(c.channels == 2 ? "x\r\n1;10\r\n2;20\r\n" : "x\r\n1\r\n2\r\n");
    ASSERT_TRUE(WaitForSamples(2));

    Unplug();
    ExpectRunning(false);
    EXPECT_EQ(Samples(1), (std::vector<double> {1, 2}));
    Replug();
    ExpectRunning(true);

    // The first line after opening is lost by the framing, as at Start.
    Send(c.channels == 2 ? "x\r\n5;50\r\n6;60\r\n" : "x\r\n5\r\n6\r\n");
    ASSERT_TRUE(WaitForSamples(4));
    EXPECT_EQ(Samples(1), (std::vector<double> {1, 2, 5, 6}));
    ExpectNothingDrawnAcross(2, 1);
    if (c.channels == 2) {
        EXPECT_EQ(Samples(2), (std::vector<double> {10, 20, 50, 60}));
        ExpectNothingDrawnAcross(2, 2);
    }
    EXPECT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
}

// A device that comes back sends at once, before the window has noticed it: the window takes
// it up as soon as the device's folder changes, and keeps every line it sent since.
TEST_F(PortReconnectTest, LinesSentRightAfterTheReturnAreKept)
{
    ShowFastDisplay();
    Click(ui().StartButton);
    Send("x\r\n1\r\n");
    ASSERT_TRUE(WaitForSamples(1));
    Unplug();
    ASSERT_TRUE(device.Plug());
    Send("x\r\n" + Lines(200, "7"));
    QElapsedTimer back;
    back.start();
    ASSERT_TRUE(ProcessEventsUntil([&] { return form->ComPort1().Connected(); }));
    EXPECT_LT(back.elapsed(), PortReconnect::kCheckIntervalMs / 2) << "noticed by polling only";
    ASSERT_TRUE(WaitForSamples(201));
    const std::vector<double> samples = Samples(1);
    EXPECT_EQ(std::count(samples.begin(), samples.end(), 7.0), 200);
}

// A recording goes on in the same file across the loss: every line the returned device sent
// is in it, after a gap in time and with no rows for the time away.
TEST_F(PortReconnectTest, RecordingGoesOnInTheSameFileAfterTheReturn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.csv"));
    ShowFastDisplay();
    fileNames << path;
    Click(ui().RecordButton);
    Click(ui().StartButton);
    Send("x\r\n" + Lines(50, "1"));
    ASSERT_TRUE(WaitForSamples(50));
    Unplug();
    RunEventLoopFor(300);
    ASSERT_TRUE(device.Plug());
    Send("x\r\n" + Lines(200, "7"));
    ASSERT_TRUE(WaitForSamples(250));
    EXPECT_TRUE(form->Recording().Recording());
    Click(ui().StopButton);

    const std::vector<std::string> lines = ::Lines(ReadFile(path));
    ASSERT_EQ(lines.size(), 251u);
    std::vector<double> seconds;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> fields = Split(lines[i]);
        ASSERT_EQ(fields.size(), 3u);
        EXPECT_EQ(fields[2], i <= 50 ? "1" : "7") << "line " << i;
        seconds.push_back(std::stod(fields[1]));
    }
    EXPECT_GE(seconds[50] - seconds[49], 0.3) << "the time away is a gap";
}

INSTANTIATE_TEST_SUITE_P(Modes, FastDisplayReconnectTest,
                         ::testing::Values(FastCase {"NormalOneChannel", false, 1},
                                           FastCase {"NormalTwoChannels", false, 2},
                                           FastCase {"TrendOneChannel", true, 1},
                                           FastCase {"TrendTwoChannels", true, 2}),
                         [](const auto &info) { return std::string(info.param.name); });

struct SlowCase
{
    const char *name;
    int channels;
    bool portMode;
};

class SlowDisplayReconnectTest : public PortReconnectTest,
                                 public ::testing::WithParamInterface<SlowCase>
{ };

TEST_P(SlowDisplayReconnectTest, RunGoesOnWithASeparatorInTheTrend)
{
    const SlowCase c = GetParam();
    TAbTrend &trend = *ui().AbTrend1;
    (c.channels == 2 ? ui().CH2RadioButton : ui().Ch1RadioButton)->setChecked(true);
    ui().CheckBoxPort->setChecked(c.portMode);
    Click(ui().StartButton);
    ASSERT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
    Send("x\r\n2;20\r\n");
    ASSERT_TRUE(ProcessEventsUntil([&] { return ui().AbVMeter1->Value() == 2.0f; }));
    const int recordsWithoutData = trend.Records().Count();
    ASSERT_TRUE(
            ProcessEventsUntil([&] { return trend.Records().Count() >= recordsWithoutData + 2; }));
    if (c.portMode) {
        EXPECT_TRUE(ui().AbLED2->Checked());
    }

    Unplug();
    ExpectRunning(false);
    EXPECT_FALSE(trend.StartRecording()); // no records while the device is away
    const int recordsBefore = trend.Records().Count();
    const std::uint16_t wordBefore = trend.Records().Last().Word[0];
    RunEventLoopFor(300);
    EXPECT_EQ(trend.Records().Count(), recordsBefore);
    Replug();
    ExpectRunning(true);
    EXPECT_TRUE(trend.StartRecording());

    Send("x\r\n8;40\r\n");
    ASSERT_TRUE(ProcessEventsUntil([&] { return ui().AbVMeter1->Value() == 8.0f; }));
    if (c.channels == 2) {
        EXPECT_FLOAT_EQ(ui().AbVMeter2->Value(), 40.0f);
    }
    if (c.portMode) {
        EXPECT_TRUE(ui().AbLED4->Checked());
        EXPECT_FALSE(ui().AbLED2->Checked());
    }
    ASSERT_TRUE(ProcessEventsUntil([&] { return trend.Records().Last().Word[0] != wordBefore; }));

    // Five separator records, then the last record from before the gap (the trend puts them
    // in front of its newest record), then the new data.
    const TTrendRecords &records = trend.Records();
    int first = -1;
    int separators = 0;
    for (int i = 0; i < records.Count(); ++i) {
        if (IsSeparator(records[i])) {
            first = first < 0 ? i : first;
            ++separators;
        }
    }
    ASSERT_EQ(separators, 5);
    EXPECT_EQ(first, recordsBefore - 1);
    EXPECT_EQ(records[first - 1].Word[0], wordBefore);
    EXPECT_EQ(records[first + 5].Word[0], wordBefore);
}

INSTANTIATE_TEST_SUITE_P(Modes, SlowDisplayReconnectTest,
                         ::testing::Values(SlowCase {"OneChannel", 1, false},
                                           SlowCase {"TwoChannels", 2, false},
                                           SlowCase {"PortMode", 1, true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(PortReconnectTest, SampleCountAndLimitGoOnAcrossTheGap)
{
    ShowFastDisplay();
    ui().ComboBoxMaxSamples->setCurrentText(QStringLiteral("100"));
    Click(ui().StartButton);
    Send("x\r\n" + Lines(60, "4"));
    ASSERT_TRUE(WaitForSamples(60));
    Unplug();
    EXPECT_EQ(form->State().SampleCount, 60);
    Replug();
    Send("x\r\n" + Lines(60, "7"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return !messages.Infos.isEmpty(); }));
    EXPECT_TRUE(ui().StartButton->isEnabled());
    EXPECT_EQ(messages.Infos, QStringList {QStringLiteral("Speicher-/Sample-Maximum erreicht")});
    EXPECT_EQ(form->State().LimitCount, 101);
    EXPECT_EQ(chart().ItemCount(), 101);
    EXPECT_DOUBLE_EQ(Item(60).X1, 60.0);
    EXPECT_DOUBLE_EQ(Item(60).Y1, 7.0);
}

TEST_F(PortReconnectTest, ADeviceThatComesBackThreeTimes)
{
    ShowFastDisplay();
    Click(ui().StartButton);
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        if (round > 0) {
            Unplug();
            Replug();
        }
        Send("x\r\n" + Lines(10, std::to_string(round)));
        ASSERT_TRUE(WaitForSamples(10 * (round + 1)));
        if (round > 0)
            ExpectNothingDrawnAcross(10 * round, 1);
    }
    EXPECT_EQ(Samples(1).size(), 40u);
    EXPECT_EQ(MoveCount(), 4);
    EXPECT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
}

// Parameter: the fast display page (true) or the slow one.
class StopWhileWaitingTest : public PortReconnectTest, public ::testing::WithParamInterface<bool>
{ };

TEST_P(StopWhileWaitingTest, EndsTheRunForGood)
{
    const bool fast = GetParam();
    ui().PageControl2->setCurrentWidget(fast ? ui().TabSheetFastDisplay : ui().TabSheetSlowDisplay);
    Click(ui().StartButton);
    Send("x\r\n1\r\n2\r\n");
    ASSERT_TRUE(ProcessEventsUntil([&] {
        return fast ? form->State().SampleCount == 2 : ui().AbVMeter1->Value() == 2.0f;
    }));
    const int items = chart().ItemCount();
    Unplug();
    Click(ui().StopButton);
    EXPECT_FALSE(form->WaitingForPort());
    EXPECT_TRUE(ui().StartButton->isEnabled());
    EXPECT_FALSE(ui().StopButton->isEnabled());
    EXPECT_EQ(chart().ItemCount(), items);
    // The trend records on after a slow display run; a fast display run never fed it, so it
    // still waits for its first sample.
    EXPECT_EQ(ui().AbTrend1->StartRecording(), !fast);

    ASSERT_TRUE(device.Plug());
    RunEventLoopFor(3 * PortReconnect::kCheckIntervalMs);
    EXPECT_FALSE(form->ComPort1().Connected());
    EXPECT_EQ(form->StatusText(2), QStringLiteral("Port disconnected"));
    EXPECT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Pages, StopWhileWaitingTest, ::testing::Bool());

// Parameter: the window is destroyed (true) or closed while waiting; either way nothing is
// reopened later and nothing is left behind.
class LeaveWhileWaitingTest : public PortReconnectTest, public ::testing::WithParamInterface<bool>
{ };

TEST_P(LeaveWhileWaitingTest, IsClean)
{
    const bool destroy = GetParam();
    ShowFastDisplay();
    Click(ui().StartButton);
    Send("x\r\n1\r\n2\r\n");
    ASSERT_TRUE(WaitForSamples(2));
    Unplug();
    if (destroy) {
        form.reset();
    } else {
        form->close();
        EXPECT_FALSE(form->WaitingForPort());
    }
    ASSERT_TRUE(device.Plug());
    RunEventLoopFor(3 * PortReconnect::kCheckIntervalMs);
    if (form) {
        EXPECT_FALSE(form->ComPort1().Connected());
    }
    EXPECT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(CloseOrDestroy, LeaveWhileWaitingTest, ::testing::Bool());

TEST_F(PortReconnectTest, APortThatCannotBeOpenedIsTriedAgainQuietly)
{
    ShowFastDisplay();
    Click(ui().StartButton);
    Send("x\r\n1\r\n2\r\n");
    ASSERT_TRUE(WaitForSamples(2));
    Unplug();

    // Another program holds the device when it comes back.
    ASSERT_TRUE(device.Plug());
    const int holder
            = ::open(device.Pty().SlavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    ASSERT_TRUE(ProcessEventsUntil([&] {
        return form->StatusText(2).startsWith(QStringLiteral("Unable to open com port"));
    }));
    RunEventLoopFor(2 * PortReconnect::kCheckIntervalMs);
    EXPECT_TRUE(form->WaitingForPort());
    ExpectRunning(false);
    EXPECT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();

    ::close(holder);
    ASSERT_TRUE(ProcessEventsUntil([&] { return form->ComPort1().Connected(); }));
    EXPECT_EQ(form->StatusText(2), QStringLiteral("Port reconnected"));
    Send("x\r\n3\r\n");
    EXPECT_TRUE(WaitForSamples(3));
}

TEST_F(PortReconnectTest, WaitingCostsNoMeasurableTime)
{
    ShowFastDisplay();
    Click(ui().StartButton);
    Send("x\r\n1\r\n2\r\n");
    ASSERT_TRUE(WaitForSamples(2));
    Unplug();
    const double before = ProcessCpuSeconds();
    RunEventLoopFor(2000);
    const double used = ProcessCpuSeconds() - before;
    EXPECT_TRUE(form->WaitingForPort());
    // A loop that spins would use the whole two seconds; the window's own timers (trend
    // recorder, timer service) use a little even under the sanitizers.
    EXPECT_LT(used, 0.4) << used << " s of CPU time in 2 s of waiting";
    RecordProperty("WaitingCpuSeconds", std::to_string(used));
}

TEST_F(PortReconnectTest, TerminalTakesUpItsDeviceAgain)
{
    ui().PageControl2->setCurrentWidget(ui().TabSheetTerminal);
    form->ComPort1().SetPort(device.Path()); // as the selector's AutoApply writes it
    Click(ui().BtnTerminalStart);
    ASSERT_TRUE(ui().ComTerminal1->Connected());
    Send("hello\r\n");
    ASSERT_TRUE(ProcessEventsUntil(
            [&] { return ui().ComTerminal1->Buffer().GetCell(1, 1).Ch == 'h'; }));

    Unplug();
    EXPECT_FALSE(ui().ComTerminal1->Connected());
    Replug();
    EXPECT_TRUE(ui().ComTerminal1->Connected());
    Send("world\r\n");
    ASSERT_TRUE(ProcessEventsUntil(
            [&] { return ui().ComTerminal1->Buffer().GetCell(1, 2).Ch == 'w'; }));
    ui().EditTerminalSendString->setText(QStringLiteral("AT"));
    Click(ui().BtnTerminalSend);
    EXPECT_EQ(device.Pty().Read(4), "AT\r\n");

    // Off while waiting: nothing is taken up later.
    Unplug();
    Click(ui().BtnTerminalStop);
    EXPECT_FALSE(form->WaitingForPort());
    ASSERT_TRUE(device.Plug());
    RunEventLoopFor(3 * PortReconnect::kCheckIntervalMs);
    EXPECT_FALSE(form->ComPort1().Connected());
}

} // namespace
