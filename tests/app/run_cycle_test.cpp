// Start and Stop, On and Off, again and again, against a device that keeps talking while the
// port is closed: what it sent meanwhile must never reach the next run.
#include "instruments/led.h"
#include "instruments/vmeter.h"
#include "main_window_fixture.h"
#include "serial/com_port.h"
#include "serial/com_terminal.h"
#include "serial/data_packet.h"

#include <string>
#include <vector>

namespace {

constexpr int kCycles = 20;

class RunCycleTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        auto recordMeter = [this](TAbAnalogGControl *meter) {
            meterValues.push_back(static_cast<TAbVMeter *>(meter)->Value());
        };
        ui().AbVMeter1->OnValueChange = recordMeter;
        ui().AbVMeter2->OnValueChange = recordMeter;
        // Bit 2 lights only for the stale value 7, never for the fresh 1, 2 and 3.
        ui().AbLED3->OnStatusChanged
                = [this](TAbBinGControl *led) { staleLedLit = staleLedLit || led->Checked(); };
    }

    // Every packet of the run that has just started is noted before it is decoded.
    void WatchPackets()
    {
        TComDataPacket &framer = form->ComDataPacket1();
        framer.OnPacket = [this, decode = framer.OnPacket](TComDataPacket *sender,
                                                           const std::string &packet) {
            packets.push_back(packet);
            decode(sender, packet);
        };
    }

    // The device writes while the port is closed; the pseudo-terminal keeps the lines.
    void SendWhileStopped(const std::string &value)
    {
        ASSERT_FALSE(form->ComPort1().Connected());
        Send(Lines(10, value));
    }

    std::vector<std::string> packets;
    std::vector<float> meterValues;
    bool staleLedLit = false;
};

TEST_F(RunCycleTest, LinesSentWhileStoppedNeverReachTheNextRun)
{
    const struct
    {
        const char *name;
        bool fastDisplay;
        bool twoChannels;
        bool portMode;
    } cases[] = {{"fast display", true, false, false},
                 {"slow display, two channels", false, true, false},
                 {"slow display, port mode", false, false, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ui().PageControl2->setCurrentWidget(c.fastDisplay ? ui().TabSheetFastDisplay
                                                          : ui().TabSheetSlowDisplay);
        (c.twoChannels ? ui().CH2RadioButton : ui().Ch1RadioButton)->setChecked(true);
        ui().CheckBoxPort->setChecked(c.portMode);
        const std::string stale = c.twoChannels ? "7;7" : "7";
        auto fresh = [&](int k) {
            const std::string v = std::to_string(k);
            return c.twoChannels ? v + ";" + v : v;
        };
        packets.clear();
        meterValues.clear();
        for (int cycle = 0; cycle < kCycles; ++cycle) {
            const std::size_t before = packets.size();
            SendWhileStopped(stale);
            Click(ui().StartButton);
            ASSERT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
            WatchPackets();
            Send("x\r\n" + fresh(1) + "\r\n" + fresh(2) + "\r\n" + fresh(3) + "\r\n");
            ASSERT_TRUE(ProcessEventsUntil([&] {
                return packets.size() >= before + 3 && packets.back() == fresh(3);
            })) << "cycle "
                << cycle;
            if (c.fastDisplay) {
                EXPECT_EQ(form->State().SampleCount, 3u) << "cycle " << cycle;
                EXPECT_EQ(chart().ItemCount(), 3) << "cycle " << cycle;
            }
            Click(ui().StopButton);
        }
        std::vector<std::string> expected;
        for (int cycle = 0; cycle < kCycles; ++cycle)
            expected.insert(expected.end(), {fresh(1), fresh(2), fresh(3)});
        EXPECT_EQ(packets, expected);
        for (float value : meterValues)
            EXPECT_NE(value, 7.0f);
        EXPECT_FALSE(staleLedLit);
    }
}

TEST_F(RunCycleTest, TextSentWhileTheTerminalIsOffNeverShows)
{
    ChoosePort(pty.SlavePath());
    ui().PageControl2->setCurrentWidget(ui().TabSheetTerminal);
    TComTerminal &terminal = *ui().ComTerminal1;
    auto screenText = [&] {
        std::string text;
        for (int row = 1; row <= terminal.Rows(); ++row)
            for (int column = 1; column <= terminal.Columns(); ++column)
                if (const char ch = terminal.Buffer().GetCell(column, row).Ch)
                    text += ch;
        return text;
    };
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        ui().ButtonClearTerminal->click();
        SendWhileStopped("stale");
        Click(ui().BtnTerminalStart);
        ASSERT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
        Send("fresh\r\n");
        ASSERT_TRUE(ProcessEventsUntil([&] {
            return screenText().find("fresh") != std::string::npos;
        })) << "cycle "
            << cycle;
        EXPECT_EQ(screenText(), "fresh") << "cycle " << cycle;
        Click(ui().BtnTerminalStop);
    }
}

} // namespace
