#include "platform/single_instance.h"

#include <QDir>
#include <QProcess>
#include <QUuid>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QString UniqueName()
{
    return QStringLiteral("vantor-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QByteArray StartProbe(QProcess &process, const QString &name)
{
    process.start(QStringLiteral(SINGLE_INSTANCE_PROBE), {name});
    EXPECT_TRUE(process.waitForStarted(5000));
    EXPECT_TRUE(process.waitForReadyRead(10000));
    return process.readLine().trimmed();
}

TEST(SingleInstance, SecondStartActivatesTheFirstAndEnds)
{
    const QString name = UniqueName();
    QProcess first;
    ASSERT_EQ(StartProbe(first, name), "primary");

    QProcess second;
    EXPECT_EQ(StartProbe(second, name), "secondary");
    EXPECT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 0);

    EXPECT_TRUE(first.waitForReadyRead(5000));
    EXPECT_EQ(first.readLine().trimmed(), "activated");
    EXPECT_TRUE(first.waitForFinished(5000));
}

TEST(SingleInstance, StaleSocketOfACrashedInstanceDoesNotBlock)
{
    const QString name = UniqueName();
    // A socket file nobody listens on, as a killed instance leaves it.
    const QString path = QDir::tempPath() + QLatin1Char('/') + name;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.toLocal8Bit().constData());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
    ::close(fd);

    QProcess first;
    EXPECT_EQ(StartProbe(first, name), "primary");
    first.kill();
    first.waitForFinished(5000);

    QProcess again; // the killed primary left its socket file too
    EXPECT_EQ(StartProbe(again, name), "primary");
    again.kill();
    again.waitForFinished(5000);
}

} // namespace
