#include "platform/port_access.h"
#include "support/fake_ports.h"
#include "support/pseudo_terminal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace {

QString GroupOf(const QString &path)
{
    struct stat st
    { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QString();
    const group *g = ::getgrgid(st.st_gid);
    return g ? QString::fromLocal8Bit(g->gr_name) : QString();
}

QByteArray NulSeparated(std::initializer_list<const char *> args)
{
    QByteArray bytes;
    for (const char *arg : args)
        bytes.append(arg).append('\0');
    return bytes;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(PortAccess, GroupIsReadFromTheNode)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.IsOpen());
    if (::geteuid() == 0) {
        const group *dialout = ::getgrnam("dialout");
        if (dialout) {
            ASSERT_EQ(::fchown(pty.SlaveFd(), 0, dialout->gr_gid), 0);
            EXPECT_EQ(DeviceGroupName(pty.SlavePath()), QStringLiteral("dialout"));
        }
    }
    EXPECT_EQ(DeviceGroupName(pty.SlavePath()), GroupOf(pty.SlavePath()));
    EXPECT_FALSE(DeviceGroupName(pty.SlavePath()).isEmpty());
    EXPECT_TRUE(DeviceGroupName(QStringLiteral("/dev/vantor-no-such-port")).isEmpty());
}

TEST(PortAccess, HoldersAreFoundThroughTheirDescriptors)
{
    PseudoTerminal pty; // this process holds the slave
    ASSERT_TRUE(pty.IsOpen());
    const auto holders = FindPortHolders(pty.SlavePath(), 0);
    ASSERT_EQ(holders.size(), 1u);
    EXPECT_EQ(holders[0].pid, ::getpid());
    EXPECT_EQ(holders[0].program, QStringLiteral("vantor_platform_tests"));

    EXPECT_TRUE(FindPortHolders(pty.SlavePath(), ::getpid()).empty());
    EXPECT_TRUE(FindPortHolders(QStringLiteral("/dev/vantor-no-such-port"), 0).empty());
}

// A process table laid out as /proc does: <pid>/fd/<n> links to what it holds, comm holds the
// name cut to 15 characters, cmdline the arguments separated by NUL.
TEST(PortAccess, ProgramNamesComeFromTheProcessTable)
{
    PseudoTerminal pty;
    PseudoTerminal other;
    QTemporaryDir proc;
    ASSERT_TRUE(proc.isValid());
    struct Process
    {
        const char *pid;
        QString holds;
        QByteArray comm;
        QByteArray cmdline;
    };
    const Process table[] = {
            {"40", pty.SlavePath(), "datalogger\n", NulSeparated({"datalogger", "-b"})},
            {"7", pty.SlavePath(), "a-long-program-\n",
             NulSeparated({"/opt/a-long-program-name", "x"})},
            {"9", other.SlavePath(), "elsewhere\n", NulSeparated({"elsewhere"})},
            {"self", pty.SlavePath(), "not-a-process\n", NulSeparated({"not-a-process"})},
    };
    for (const Process &p : table) {
        const QString dir = proc.filePath(QLatin1String(p.pid));
        ASSERT_TRUE(QDir().mkpath(dir + QStringLiteral("/fd")));
        ASSERT_TRUE(QFile::link(p.holds, dir + QStringLiteral("/fd/3")));
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), dir + QStringLiteral("/fd/0")));
        WriteFile(dir + QStringLiteral("/comm"), p.comm);
        WriteFile(dir + QStringLiteral("/cmdline"), p.cmdline);
    }
    const auto holders = FindPortHolders(pty.SlavePath(), 0, proc.path());
    ASSERT_EQ(holders.size(), 2u);
    EXPECT_EQ(holders[0].pid, 7);
    EXPECT_EQ(holders[0].program, QStringLiteral("a-long-program-name")); // completed from cmdline
    EXPECT_EQ(holders[1].pid, 40);
    EXPECT_EQ(holders[1].program, QStringLiteral("datalogger"));
}

TEST(PortAccess, AdviceFollowsTheError)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.IsOpen());
    const QString path = pty.SlavePath();
    const QString group = GroupOf(path);

    for (const int err : {EACCES, EPERM}) {
        const QString advice = PortOpenAdvice(path, err);
        if (group == QLatin1String("root")) {
            EXPECT_TRUE(advice.contains(QStringLiteral("Ask the administrator"))) << err;
        } else {
            EXPECT_TRUE(advice.contains(QStringLiteral("sudo usermod -aG %1 $USER").arg(group)))
                    << advice.toStdString();
            EXPECT_TRUE(advice.contains(QStringLiteral("log in again")));
        }
    }
    // Held by this process only: no other program to name.
    for (const int err : {EBUSY, EWOULDBLOCK})
        EXPECT_EQ(PortOpenAdvice(path, err),
                  path
                          + QStringLiteral(" is in use by another program. Close the port there, "
                                           "then try again."));
    for (const int err : {0, EINVAL})
        EXPECT_TRUE(PortOpenAdvice(path, err).isEmpty()) << err;
    EXPECT_TRUE(PortOpenAdvice(QStringLiteral("DEMO"), EBUSY).isEmpty());
    EXPECT_TRUE(PortOpenAdvice(QStringLiteral("DEMO 8"), EBUSY).isEmpty());
}

TEST(PortAccess, AdviceForAPortThatIsNotThereNamesThePortsFoundNow)
{
    const QString stable = QStringLiteral("/dev/serial/by-id/usb-Acme_Bridge_A1-if00-port0");
    FakePorts ports({{QStringLiteral("ttyUSB0"), {}, {}, {}, stable},
                     {QStringLiteral("ttyACM0"), {}, {}, {}, {}}});
    const QString found = QStringLiteral("    ttyACM0\n    ttyUSB0    ") + stable;
    struct Case
    {
        const char *name;
        QString port;
        int err;
        QStringList says;
    };
    const Case cases[] = {
            {.name = "empty name opens the folder /dev",
             .port = QString(),
             .err = EISDIR,
             .says = {QStringLiteral("No port is chosen"), found, QStringLiteral("DEMO")}},
            {.name = "blank name",
             .port = QStringLiteral("  "),
             .err = ENOENT,
             .says = {QStringLiteral("No port is chosen"), found}},
            {.name = "missing path",
             .port = QStringLiteral("/dev/ttyUSB7"),
             .err = ENOENT,
             .says = {QStringLiteral("There is no device /dev/ttyUSB7. Is it plugged in"), found,
                      QStringLiteral("/dev/serial/by-id/ when it is plugged in again")}},
            {.name = "node without a device behind it",
             .port = QStringLiteral("ttyS9"),
             .err = ENXIO,
             .says = {QStringLiteral("There is no device /dev/ttyS9."), found}},
            {.name = "not a terminal",
             .port = QStringLiteral("/dev/null"),
             .err = ENOTTY,
             .says = {QStringLiteral("/dev/null is not a serial device.")}},
            {.name = "a folder",
             .port = QStringLiteral("/dev/serial/by-id"),
             .err = EISDIR,
             .says = {QStringLiteral("/dev/serial/by-id is not a serial device.")}},
            {.name = "failing adapter",
             .port = QStringLiteral("ttyUSB0"),
             .err = EIO,
             .says = {QStringLiteral("/dev/ttyUSB0 reports an input/output error. Check the "
                                     "cable and the adapter")}},
    };
    for (const Case &c : cases) {
        const QString advice = PortOpenAdvice(c.port, c.err);
        for (const QString &part : c.says)
            EXPECT_TRUE(advice.contains(part))
                    << c.name << ": " << advice.toStdString() << "\nlacks: " << part.toStdString();
    }
}

TEST(PortAccess, AdviceWithoutAnyPortOffersTheDemo)
{
    FakePorts none({});
    EXPECT_EQ(PortOpenAdvice(QString(), EISDIR),
              QStringLiteral("No port is chosen, and no serial port is found now. Plug the device "
                             "in and pick its port from the list, or pick DEMO to try the program "
                             "without a device."));
    EXPECT_TRUE(PortOpenAdvice(QStringLiteral("ttyUSB0"), ENOENT)
                        .contains(QStringLiteral("No serial port is found now.")));
}

TEST(PortAccess, NodeOfRootsGroupIsNotAdvisedToJoinIt)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give the node to the group root";
    PseudoTerminal pty;
    ASSERT_EQ(::fchown(pty.SlaveFd(), 0, 0), 0);
    const QString advice = PortOpenAdvice(pty.SlavePath(), EACCES);
    EXPECT_FALSE(advice.contains(QStringLiteral("usermod")));
    EXPECT_TRUE(advice.contains(QStringLiteral("Ask the administrator")));
}

} // namespace
