#include "platform/application_icon.h"
#include "platform/termination_signal.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(Application, IconHasEverySizeItIsDrawnIn)
{
    const QIcon icon = ApplicationIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
        EXPECT_EQ(icon.pixmap(size).size(), QSize(size, size)) << size;
    }
}

TEST(Application, TerminationSignalEndsTheEventLoop)
{
    QuitOnTerminationSignal();
    bool timedOut = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        timedOut = true;
        QCoreApplication::quit();
    });
    deadline.start(60000);
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(timedOut);
}

} // namespace
