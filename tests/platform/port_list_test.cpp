#include "platform/port_list.h"
#include "support/pseudo_terminal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(PortList, DetailsTellAdaptersApart)
{
    struct Case
    {
        const char *name;
        SerialPortDetails port;
        QString text;
    };
    const Case cases[] = {
            {"a plain port reports nothing", {"ttyS0", {}, {}, {}, {}}, {}},
            {"an adapter reports every line",
             {"ttyUSB0", "USB serial bridge", "Acme Devices", "A1B2", "/dev/serial/by-id/usb-x"},
             "USB serial bridge\nManufacturer: Acme Devices\nSerial number: A1B2\n"
             "/dev/serial/by-id/usb-x"},
            {"missing lines are left out",
             {"ttyACM0", "Board", {}, "0042", {}},
             "Board\nSerial number: 0042"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PortDetailsText(c.port), c.text) << c.name;
}

TEST(PortList, StableNameIsTheByIdLinkToTheDevice)
{
    PseudoTerminal pty;
    PseudoTerminal other;
    QTemporaryDir byId;
    ASSERT_TRUE(byId.isValid());
    const QString link = byId.filePath(QStringLiteral("usb-Acme_Bridge_A1B2-if00-port0"));
    ASSERT_TRUE(QFile::link(pty.SlavePath(), link));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), byId.filePath(QStringLiteral("other"))));

    EXPECT_EQ(StableDevicePath(pty.SlavePath(), byId.path()), link);
    EXPECT_TRUE(StableDevicePath(other.SlavePath(), byId.path()).isEmpty());
    EXPECT_TRUE(
            StableDevicePath(QStringLiteral("/dev/vantor-no-such-port"), byId.path()).isEmpty());
    EXPECT_TRUE(StableDevicePath(pty.SlavePath(), byId.filePath(QStringLiteral("none"))).isEmpty());
}

TEST(PortList, NamesComeFromTheSourceWithTheDemoPortsSorted)
{
    const SerialPortSource previous = SetSerialPortSource([] {
        return std::vector<SerialPortDetails> {{"ttyUSB1", {}, {}, {}, {}},
                                               {"ttyACM0", {}, {}, {}, {}}};
    });
    EXPECT_EQ(SerialPortNames(), (QStringList {"DEMO", "DEMO 8", "ttyACM0", "ttyUSB1"}));
    SetSerialPortSource(previous);
}

} // namespace
