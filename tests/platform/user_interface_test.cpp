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
#include <vector>

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

// The dialog shows the advice under the unchanged message, and the reporting handler goes on
// at once: the box waits for the user on its own. The same message twice shows one box.
TEST(ErrorHandling, TheErrorDialogShowsTheAdviceAndDoesNotBlockTheHandler)
{
    Exception error(QStringLiteral("Unable to open com port (Error: 13)"));
    error.SetAdvice(QStringLiteral("Join the group."));
    EXPECT_FALSE(RunGuarded([&] { throw error; }));
    EXPECT_FALSE(RunGuarded([&] { throw error; }));
    std::vector<QMessageBox *> boxes;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(window); box && box->isVisible())
            boxes.push_back(box);
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]->text(), QStringLiteral("Unable to open com port (Error: 13)"));
    EXPECT_EQ(boxes[0]->informativeText(), QStringLiteral("Join the group."));
    EXPECT_EQ(boxes[0]->windowModality(), Qt::ApplicationModal);
    boxes[0]->accept();
}

} // namespace
