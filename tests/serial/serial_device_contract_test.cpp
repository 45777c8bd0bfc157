#include "platform/demo_device.h"
#include "platform/device_factory.h"
#include "platform/serial_device.h"
#include "support/event_wait.h"
#include "support/pseudo_terminal.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <cerrno>
#include <functional>
#include <memory>

namespace {

// A device the factory opened, together with a way to make input arrive on it.
struct DeviceUnderTest
{
    std::unique_ptr<PseudoTerminal> pty; // the far side, when the test plays it
    std::unique_ptr<SerialDevice> device;
    std::function<void()> makeInput;
};

bool IsDemoDevice(const SerialDevice &device)
{
    return dynamic_cast<const DemoSerialDevice *>(&device) != nullptr;
}

using DeviceFactory = DeviceUnderTest (*)();

DeviceUnderTest PosixDevice()
{
    DeviceUnderTest d;
    d.pty = std::make_unique<PseudoTerminal>();
    int error = 0;
    d.device = OpenSerialDevice(d.pty->SlavePath(), error);
    EXPECT_TRUE(d.device && !IsDemoDevice(*d.device)) << error;
    PseudoTerminal *pty = d.pty.get();
    d.makeInput = [pty] { pty->Write("input"); };
    return d;
}

DeviceUnderTest DemoDeviceNamed(const char *portName)
{
    DeviceUnderTest d;
    int error = 0;
    d.device = OpenSerialDevice(portName, error);
    EXPECT_TRUE(d.device && IsDemoDevice(*d.device)) << error;
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

// Every name goes to the one device it stands for; a name that opens nothing says why.
TEST(DeviceFactory, OpensTheKindANameStandsFor)
{
    const struct
    {
        const char *name;
        DeviceKind kind;
        int openError; // 0: opens
    } cases[] = {
            {.name = "DEMO", .kind = DeviceKind::Demo, .openError = 0},
            {.name = "DEMO 8", .kind = DeviceKind::Demo, .openError = 0},
            // Only the exact demo names open a demo device; the rest are looked for in /dev.
            {.name = "demo", .kind = DeviceKind::Serial, .openError = ENOENT},
            {.name = "DEMO 9", .kind = DeviceKind::Serial, .openError = ENOENT},
            {.name = " DEMO", .kind = DeviceKind::Serial, .openError = ENOENT},
            {.name = "COM26", .kind = DeviceKind::Serial, .openError = ENOENT},
            {.name = "/nonexistent/ttyUSB0", .kind = DeviceKind::Serial, .openError = ENOENT},
            {.name = "", .kind = DeviceKind::Serial, .openError = EISDIR}, // the folder /dev
    };
    for (const auto &c : cases) {
        EXPECT_EQ(DeviceKindOf(c.name), c.kind) << c.name;
        int error = -1;
        const std::unique_ptr<SerialDevice> device = OpenSerialDevice(c.name, error);
        EXPECT_EQ(error, c.openError) << c.name;
        EXPECT_EQ(device != nullptr, c.openError == 0) << c.name;
        if (device) {
            EXPECT_EQ(IsDemoDevice(*device), c.kind == DeviceKind::Demo) << c.name;
        }
    }
}

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
