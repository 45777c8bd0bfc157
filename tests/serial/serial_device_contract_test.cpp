#include "platform/demo_device.h"
#include "platform/serial_device.h"
#include "support/event_wait.h"
#include "support/pseudo_terminal.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <cerrno>
#include <functional>
#include <memory>

namespace {

// A device together with a way to make input arrive on it.
struct DeviceUnderTest
{
    std::unique_ptr<PseudoTerminal> pty; // the far side, when the test plays it
    std::unique_ptr<SerialDevice> device;
    std::function<void()> makeInput;
};

using DeviceFactory = DeviceUnderTest (*)();

DeviceUnderTest PosixDevice()
{
    DeviceUnderTest d;
    d.pty = std::make_unique<PseudoTerminal>();
    int error = 0;
    d.device = OpenSerialDevice(d.pty->SlavePath(), error);
    PseudoTerminal *pty = d.pty.get();
    d.makeInput = [pty] { pty->Write("input"); };
    return d;
}

DeviceUnderTest DemoDeviceNamed(const char *portName)
{
    DeviceUnderTest d;
    int error = 0;
    d.device = OpenSerialDevice(portName, error);
    d.makeInput = [] {}; // the generator sends by itself
    return d;
}

DeviceUnderTest DemoDevice()
{
    return DemoDeviceNamed(DemoPortName);
}

DeviceUnderTest Demo8Device()
{
    return DemoDeviceNamed(Demo8PortName);
}

class SerialDeviceContract : public ::testing::TestWithParam<DeviceFactory>
{ };

TEST_P(SerialDeviceContract, BehavesLikeAnOpenSerialDevice)
{
    DeviceUnderTest d = GetParam()();
    ASSERT_TRUE(d.device);
    SerialDevice &device = *d.device;

    SerialLineSettings line;
    line.baudRate = 250000;
    EXPECT_EQ(device.ApplyLine(line), 0);
    line.baudRate = 0;
    EXPECT_EQ(device.ApplyLine(line), EINVAL);
    line.baudRate = 115200;
    EXPECT_EQ(device.ApplyLine(line), 0);

    unsigned lines = 0xFF;
    EXPECT_EQ(device.ModemLines(lines), 0);
    EXPECT_EQ(lines, 0u); // a pseudo-terminal has no modem lines
    SerialErrorCounts counts;
    EXPECT_EQ(device.ErrorCounts(counts), 0);
    EXPECT_EQ(device.Purge(true, true), 0);

    std::size_t written = 0;
    EXPECT_EQ(device.Write("ping\r\n", 6, 1000, written), 0);
    EXPECT_EQ(written, 6u);

    // Input makes the descriptor readable, and reads never block.
    d.makeInput();
    pollfd p {device.Descriptor(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 5000), 1);
    char buffer[256];
    long total = 0;
    ASSERT_TRUE(WaitUntil([&] {
        const long n = device.Read(buffer, sizeof buffer);
        EXPECT_GE(n, 0);
        total += n > 0 ? n : 0;
        return total > 0;
    }));
}

std::string DeviceName(const ::testing::TestParamInfo<DeviceFactory> &info)
{
    const char *const names[] = {"Posix", "Demo", "Demo8"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(Devices, SerialDeviceContract,
                         ::testing::Values(&PosixDevice, &DemoDevice, &Demo8Device), DeviceName);

TEST(PosixSerialDevice, HungUpDeviceReadsAsGone)
{
    DeviceUnderTest d = PosixDevice();
    ASSERT_TRUE(d.device);
    char buffer[16];
    EXPECT_EQ(d.device->Read(buffer, sizeof buffer), 0); // nothing waiting
    d.pty->CloseMaster();
    EXPECT_LT(d.device->Read(buffer, sizeof buffer), 0);
}

} // namespace
