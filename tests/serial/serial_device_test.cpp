// No <termios.h> here: the line is checked through termios2.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include "platform/serial_device.h"
#include "serial/com_port.h"
#include "support/pseudo_terminal.h"

#include <gtest/gtest.h>

namespace {

TEST(SerialDevicePath, MapsPortNames)
{
    const struct
    {
        const char *name;
        const char *path;
    } cases[] = {
            {"COM1", "/dev/ttyS0"},       {"COM25", "/dev/ttyS24"},
            {"com3", "/dev/ttyS2"},       {"COM26", "/dev/COM26"},
            {"ttyUSB0", "/dev/ttyUSB0"},  {"ttyACM1", "/dev/ttyACM1"},
            {"/dev/pts/7", "/dev/pts/7"}, {"./relative/tty", "./relative/tty"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SerialDevicePath(c.name), QString::fromLatin1(c.path)) << c.name;
}

termios2 LineOf(const PseudoTerminal &pty)
{
    termios2 t {};
    EXPECT_EQ(::ioctl(pty.SlaveFd(), TCGETS2, &t), 0);
    return t;
}

TEST(SerialLine, ProgramsRateAndFraming)
{
    const struct
    {
        TBaudRate rate;
        int custom;
        unsigned expected;
    } rates[] = {
            {TBaudRate::brCustom, 250000, 250000}, {TBaudRate::brCustom, 1000000, 1000000},
            {TBaudRate::brCustom, 28800, 28800},   {TBaudRate::br115200, 250000, 115200},
            {TBaudRate::br110, 9600, 110},
    };
    for (const auto &r : rates) {
        PseudoTerminal pty;
        TComPort port;
        port.SetPort(pty.SlavePath());
        port.SetBaudRate(r.rate);
        port.SetCustomBaudRate(r.custom);
        port.Open();
        const termios2 t = LineOf(pty);
        EXPECT_EQ(t.c_ospeed, r.expected);
        EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
        EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
        EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
        EXPECT_EQ(t.c_oflag & OPOST, 0u);
    }

    PseudoTerminal pty;
    TComPort port;
    port.SetPort(pty.SlavePath());
    port.Open();
    // Changes follow at once while open.
    port.SetDataBits(TDataBits::dbSeven);
    port.Parity().SetBits(TParityBits::prOdd);
    port.SetStopBits(TStopBits::sbTwoStopBits);
    port.FlowControl().SetFlowControl(TFlowControl::fcSoftware);
    termios2 t = LineOf(pty);
    // A pseudo-terminal forces CS8 and clears PARENB; the other flags stay as set.
    EXPECT_EQ(t.c_cflag & (PARODD | CSTOPB), tcflag_t(PARODD | CSTOPB));
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF));
    port.FlowControl().SetFlowControl(TFlowControl::fcHardware);
    t = LineOf(pty);
    EXPECT_EQ(t.c_cflag & CRTSCTS, tcflag_t(CRTSCTS));
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);
}

TEST(SerialLine, RejectedSettingKeepsPortOpenWithValueStored)
{
    PseudoTerminal pty;
    TComPort port;
    port.SetPort(pty.SlavePath());
    port.Open();
    port.SetBaudRate(TBaudRate::brCustom);
    try {
        port.SetCustomBaudRate(0);
        FAIL() << "rate 0 accepted";
    } catch (const EComPort &e) {
        EXPECT_EQ(e.ErrorCode(), 7);
        EXPECT_TRUE(e.Message().startsWith("SetCommState function failed (Error: "));
    }
    EXPECT_TRUE(port.Connected());
    EXPECT_EQ(port.CustomBaudRate(), 0);

    // The same setting rejected while opening closes the device again before the error leaves.
    port.Close();
    int afterOpen = 0;
    port.OnAfterOpen = [&](TCustomComPort *) { ++afterOpen; };
    EXPECT_THROW(port.Open(), EComPort);
    EXPECT_FALSE(port.Connected());
    EXPECT_FALSE(port.EventThreadRunning());
    EXPECT_EQ(afterOpen, 0);
    port.SetCustomBaudRate(9600);
    port.Open();
    EXPECT_TRUE(port.Connected());
}

} // namespace
