// Finding a device again: plain files in a temporary folder stand in for device nodes, links in
// a second folder for the by-id entries, a table for the platform's port list.
#include "platform/port_identity.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

class PortIdentityTest : public ::testing::Test
{
protected:
    QString Dev(const char *name) const { return dev.filePath(QString::fromLatin1(name)); }
    QString ById(const char *name) const { return byId.filePath(QString::fromLatin1(name)); }

    void MakeDevice(const char *name)
    {
        QFile file(Dev(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    void RemoveDevice(const char *name) { QFile::remove(Dev(name)); }
    void Link(const char *link, const char *device)
    {
        QFile::remove(ById(link));
        ASSERT_TRUE(QFile::link(Dev(device), ById(link)));
    }
    PresentPorts Ports(std::vector<PresentPort> ports)
    {
        return [this, ports] {
            ++portListCalls;
            return ports;
        };
    }

    QTemporaryDir dev;
    QTemporaryDir byId;
    int portListCalls = 0;
};

TEST_F(PortIdentityTest, IdentifiesTheByIdLinkAndTheSerialNumber)
{
    MakeDevice("ttyACM0");
    MakeDevice("ttyACM1");
    Link("usb-Board_ABC123-if00", "ttyACM0");
    const PresentPorts ports
            = Ports({{"ttyACM1", Dev("ttyACM1"), "OTHER"}, {"ttyACM0", Dev("ttyACM0"), "ABC123"}});

    const PortIdentity plain = IdentifyPort(Dev("ttyACM0"), byId.path(), ports);
    EXPECT_EQ(plain.Name, Dev("ttyACM0"));
    EXPECT_EQ(plain.ById, ById("usb-Board_ABC123-if00"));
    EXPECT_EQ(plain.SerialNumber, QStringLiteral("ABC123"));

    const PortIdentity chosenById = IdentifyPort(ById("usb-Board_ABC123-if00"), byId.path(), ports);
    EXPECT_EQ(chosenById.ById, ById("usb-Board_ABC123-if00"));
    EXPECT_EQ(chosenById.SerialNumber, QStringLiteral("ABC123"));

    const PortIdentity none = IdentifyPort(Dev("ttyACM1"), byId.path(), Ports({}));
    EXPECT_TRUE(none.ById.isEmpty());
    EXPECT_TRUE(none.SerialNumber.isEmpty());

    const PortIdentity demo = IdentifyPort(QStringLiteral("DEMO"), byId.path(), ports);
    EXPECT_EQ(demo.Name, QStringLiteral("DEMO"));
    EXPECT_TRUE(demo.ById.isEmpty());
}

TEST_F(PortIdentityTest, LocatesTheReturnedDevice)
{
    struct Case
    {
        const char *what;
        bool byIdKnown;
        const char *serial;
        const char *present; // device file there now, "" none
        const char *linkTo; // where the by-id link leads now, "" no link
        const char *expected; // "name", "byid", a port name, "" away
    };
    const Case cases[] = {
            {"plain name back", false, "", "ttyACM0", "", "name"},
            {"plain name away", false, "", "", "", ""},
            {"plain name under another name", false, "", "ttyACM1", "", ""},
            {"by-id back under its name", true, "", "ttyACM0", "ttyACM0", "name"},
            {"by-id back under another name", true, "", "ttyACM1", "ttyACM1", "byid"},
            {"by-id link left dangling", true, "", "", "ttyACM0", ""},
            {"by-id link gone", true, "", "ttyACM0", "", ""},
            {"serial number under another name", false, "ABC123", "ttyACM1", "", "ttyACM1"},
            {"serial number away", false, "ABC123", "", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RemoveDevice("ttyACM0");
        RemoveDevice("ttyACM1");
        QFile::remove(ById("usb-Board_ABC123-if00"));
        std::vector<PresentPort> listed;
        if (*c.present) {
            MakeDevice(c.present);
            const QString name = QString::fromLatin1(c.present);
            listed.push_back({name, Dev(c.present), QStringLiteral("ABC123")});
        }
        if (*c.linkTo)
            Link("usb-Board_ABC123-if00", c.linkTo);

        PortIdentity identity;
        identity.Name = Dev("ttyACM0");
        if (c.byIdKnown)
            identity.ById = ById("usb-Board_ABC123-if00");
        identity.SerialNumber = QString::fromLatin1(c.serial);
        portListCalls = 0;
        const QString found = LocateReturnedPort(identity, Ports(listed));

        const QString expected = QString::fromLatin1(c.expected);
        if (expected == QLatin1String("name"))
            EXPECT_EQ(found, identity.Name);
        else if (expected == QLatin1String("byid"))
            EXPECT_EQ(found, identity.ById);
        else
            EXPECT_EQ(found, expected);
        // The port list is asked only for a device known by its serial number alone.
        EXPECT_EQ(portListCalls, *c.serial ? 1 : 0);
    }
}

TEST_F(PortIdentityTest, TheDemoPortsAreAlwaysThere)
{
    for (const QString &name : {QStringLiteral("DEMO"), QStringLiteral("DEMO 8")}) {
        PortIdentity demo;
        demo.Name = name;
        EXPECT_EQ(LocateReturnedPort(demo, Ports({})), name);
    }
}

} // namespace
