// Opening a port that the user may not open, that another program holds, that is not there or
// is no serial device: the error stays the same, and its advice tells what to do. The refused opens
// run in a child process as the unprivileged user nobody when the tests run as root (as in CI);
// otherwise as this user against a node whose owner bits refuse.
#include "child_process.h"
#include "serial/com_error.h"
#include "serial/com_port.h"
#include "support/pseudo_terminal.h"

#include <QString>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

std::string GroupOf(int fd)
{
    struct stat st
    { };
    ::fstat(fd, &st);
    const group *g = ::getgrgid(st.st_gid);
    return g ? g->gr_name : std::string();
}

class PortOpenAdvice : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.IsOpen());
        slave = pty.SlavePath().toStdString();
    }

    ChildProcess Probe(const char *mode, bool asNobody)
    {
        return ChildProcess({PORT_OPEN_PROBE, mode, slave}, asNobody);
    }

    PseudoTerminal pty;
    std::string slave;
};

TEST_F(PortOpenAdvice, RefusedPermissionNamesTheNodesGroupAndTheCommandThatJoinsIt)
{
    const bool asNobody = CanDropPrivileges();
    if (asNobody) {
        // root may open anything: nobody meets a node of root and the group dialout.
        const group *dialout = ::getgrnam("dialout");
        ASSERT_EQ(::fchown(pty.SlaveFd(), 0, dialout ? dialout->gr_gid : 5), 0);
        ASSERT_EQ(::fchmod(pty.SlaveFd(), 0660), 0);
    } else {
        ASSERT_EQ(::fchmod(pty.SlaveFd(), 0060), 0); // the owner's own bits refuse
    }
    const std::string group = GroupOf(pty.SlaveFd());
    ASSERT_FALSE(group.empty());

    ChildProcess opener = Probe("open", asNobody);
    const std::string output = opener.ReadAll();
    EXPECT_EQ(opener.Wait(), 0) << output;

    EXPECT_NE(output.find("code=1\noserror=13\nmessage=Unable to open com port (Error: 13)\n"),
              std::string::npos)
            << output;
    EXPECT_NE(output.find("Your user may not open " + slave + "."), std::string::npos) << output;
    EXPECT_NE(output.find("belongs to the group \"" + group + "\""), std::string::npos) << output;
    EXPECT_NE(output.find("advice=    sudo usermod -aG " + group + " $USER\n"), std::string::npos)
            << output;
    EXPECT_NE(output.find("log in again"), std::string::npos) << output;
}

TEST_F(PortOpenAdvice, PortHeldByAnotherUserProgramNamesItAndItsProcess)
{
    const bool asNobody = CanDropPrivileges();
    ASSERT_EQ(::fchmod(pty.SlaveFd(), 0666), 0);
    ChildProcess holder = Probe("hold", asNobody);
    ASSERT_EQ(holder.ReadLine(), "held");

    ChildProcess opener = Probe("open", asNobody);
    const std::string output = opener.ReadAll();
    EXPECT_EQ(opener.Wait(), 0) << output;

    // The holder's exclusive mode refuses a second opener that is not root.
    EXPECT_NE(output.find("code=1\noserror=16\nmessage=Unable to open com port (Error: 16)\n"),
              std::string::npos)
            << output;
    EXPECT_NE(output.find(slave + " is in use by another program: port_open_probe (process "
                          + std::to_string(holder.Pid()) + ")"),
              std::string::npos)
            << output;

    holder.CloseInput();
    EXPECT_EQ(holder.Wait(), 0);
}

TEST_F(PortOpenAdvice, PortHeldByAnotherProgramRefusesThisOneWithTheSameErrorAndAdvice)
{
    ChildProcess holder = Probe("hold", false);
    ASSERT_EQ(holder.ReadLine(), "held");

    TComPort port;
    port.SetPort(pty.SlavePath());
    try {
        port.Open();
        FAIL() << "opened a held port";
    } catch (const EComPort &e) {
        // root passes the exclusive mode and meets the lock; another user the exclusive mode.
        const int expected = CanDropPrivileges() ? EWOULDBLOCK : EBUSY;
        EXPECT_EQ(e.ErrorCode(), 1);
        EXPECT_EQ(e.OsError(), expected);
        EXPECT_EQ(e.Message(), QStringLiteral("Unable to open com port (Error: %1)").arg(expected));
        EXPECT_TRUE(e.Advice().contains(QStringLiteral("is in use by another program: "
                                                       "port_open_probe (process %1)")
                                                .arg(holder.Pid())))
                << e.Advice().toStdString();
    }
    EXPECT_FALSE(port.Connected());

    holder.CloseInput();
    EXPECT_EQ(holder.Wait(), 0);
    port.Open(); // free again
    EXPECT_TRUE(port.Connected());
}

TEST(PortOpenAdviceCases, MissingOrUnfitNodeKeepsItsMessageAndSaysWhatToDo)
{
    QTemporaryFile plainFile;
    ASSERT_TRUE(plainFile.open());
    struct Case
    {
        QString port;
        const char *message;
        const char *advice;
    };
    const Case cases[] = {
            {.port = QString(),
             .message = "Unable to open com port (Error: 21)",
             .advice = "No port is chosen"},
            {.port = QStringLiteral("/dev/vantor-no-such-port"),
             .message = "Unable to open com port (Error: 2)",
             .advice = "There is no device /dev/vantor-no-such-port."},
            {.port = QStringLiteral("/dev/null"),
             .message = "Unable to open com port (Error: 25)",
             .advice = "/dev/null is not a serial device."},
            {.port = plainFile.fileName(),
             .message = "Unable to open com port (Error: 25)",
             .advice = "is not a serial device."},
    };
    for (const Case &c : cases) {
        TComPort port;
        port.SetPort(c.port);
        try {
            port.Open();
            ADD_FAILURE() << "opened " << c.port.toStdString();
        } catch (const EComPort &e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.message));
            EXPECT_TRUE(e.Advice().contains(QString::fromLatin1(c.advice)))
                    << c.port.toStdString() << ": " << e.Advice().toStdString();
        }
        EXPECT_FALSE(port.Connected());
    }
}

TEST(PortOpenAdviceCases, TheDemoPortCarriesNoAdvice)
{
    TComPort demo;
    TComPort secondDemo;
    demo.SetPort(QStringLiteral("DEMO"));
    secondDemo.SetPort(QStringLiteral("DEMO"));
    demo.Open();
    try {
        secondDemo.Open();
        FAIL() << "opened the demo port twice";
    } catch (const EComPort &e) {
        EXPECT_EQ(e.OsError(), EBUSY);
        EXPECT_TRUE(e.Advice().isEmpty()); // the demo lives in this program: no node to name
    }
}

} // namespace
