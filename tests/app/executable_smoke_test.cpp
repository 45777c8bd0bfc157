// The built program as a separate process: it comes up with its main window and a termination
// signal ends it cleanly.
#include "support/event_wait.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(Executable, StartsAndEndsCleanlyOnSigterm)
{
    ASSERT_TRUE(QFileInfo::exists(QStringLiteral(VANTOR_EXECUTABLE)));
    // A private temporary folder keeps its single-instance socket apart from a running copy.
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_FONT_DPI"), QStringLiteral("96"));
    env.insert(QStringLiteral("TMPDIR"), temp.path());
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("vantor.lifecycle.info=true"));

    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::SeparateChannels);
    program.start(QStringLiteral(VANTOR_EXECUTABLE), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    QByteArray log;
    const bool shown = ProcessEventsUntil(
            [&] {
                program.waitForReadyRead(10);
                log += program.readAllStandardError();
                return log.contains("main window shown: V a n t o r  Vers. 1.0")
                        || program.state() == QProcess::NotRunning;
            },
            60000);
    ASSERT_TRUE(shown && program.state() == QProcess::Running) << log.toStdString();
    const qint64 pid = program.processId();
    ASSERT_TRUE(QDir(QStringLiteral("/proc/%1").arg(pid)).exists());

    ASSERT_EQ(::kill(pid_t(pid), SIGTERM), 0);
    ASSERT_TRUE(program.waitForFinished(2000)) << "still running two seconds after SIGTERM";
    log += program.readAllStandardError();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << log.toStdString();
    EXPECT_EQ(program.exitCode(), 0) << log.toStdString();
    EXPECT_TRUE(log.contains("ending on signal 15")) << log.toStdString();
    EXPECT_FALSE(QDir(QStringLiteral("/proc/%1").arg(pid)).exists());
}

} // namespace
