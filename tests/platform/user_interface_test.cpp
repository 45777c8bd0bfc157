#include "platform/application.h"
#include "platform/exception.h"
#include "platform/user_interface.h"
#include "support/message_recorder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(ErrorHandling, ExceptionInAQueuedHandOverIsShownOnceAndTheLoopGoesOn)
{
    MessageRecorder messages;
    QObject receiver;
    bool laterRan = false;
    std::thread worker([&] {
        RunOnUiThread(&receiver, [] { throw EInOutError(5); });
        RunOnUiThread(&receiver, [&] { laterRan = true; });
    });
    worker.join();
    ProcessPendingEvents();
    EXPECT_EQ(messages.Errors, QStringList {QStringLiteral("Dateizugriff verweigert")});
    EXPECT_TRUE(laterRan);
}

TEST(ErrorHandling, InOutMessages)
{
    EXPECT_EQ(EInOutError(5).Message(), QStringLiteral("Dateizugriff verweigert"));
    EXPECT_EQ(EInOutError(1784).Message(), QStringLiteral("E/A-Fehler 1784"));
    EXPECT_EQ(EInOutError(5).ErrorCode(), 5);
}

TEST(ErrorHandling, InformationGoesToThePresenter)
{
    MessageRecorder messages;
    ShowInformation(QStringLiteral("Limit reached"), QStringLiteral(" Info "));
    EXPECT_EQ(messages.Infos, QStringList {QStringLiteral("Limit reached")});
    EXPECT_EQ(messages.Captions, QStringList {QStringLiteral(" Info ")});
}

TEST(ErrorHandling, TheErrorDialogShowsTheAdviceUnderTheUnchangedMessage)
{
    QString text;
    QString advice;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            text = box->text();
            advice = box->informativeText();
            box->accept();
        }
    });
    poll.start(10);
    Exception error(QStringLiteral("Unable to open com port (Error: 13)"));
    error.SetAdvice(QStringLiteral("Join the group."));
    EXPECT_FALSE(RunGuarded([&] { throw error; }));
    EXPECT_EQ(text, QStringLiteral("Unable to open com port (Error: 13)"));
    EXPECT_EQ(advice, QStringLiteral("Join the group."));
}

} // namespace
