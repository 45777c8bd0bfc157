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

std::vector<QMessageBox *> VisibleBoxes()
{
    std::vector<QMessageBox *> boxes;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(window); box && box->isVisible())
            boxes.push_back(box);
    }
    return boxes;
}

// Messages that arrive together open one after the other, each when the one before is closed,
// in the order they came; an error from a handler waits its turn like any other.
TEST(ErrorHandling, MessagesOpenOneAtATimeAndEveryOneIsShown)
{
    ShowErrorMessage(QStringLiteral("Disk full"));
    ShowInformation(QStringLiteral("Sample limit reached"));
    RunGuarded([] { throw Exception(QStringLiteral("Port gone")); });
    ShowInformation(QStringLiteral("Sample limit reached")); // already waiting

    QStringList shown;
    for (int i = 0; i < 4; ++i) {
        ProcessPendingEvents();
        const std::vector<QMessageBox *> boxes = VisibleBoxes();
        if (boxes.empty())
            break;
        ASSERT_EQ(boxes.size(), 1u) << "on top of each other: " << i;
        shown << boxes[0]->text();
        boxes[0]->accept();
    }
    EXPECT_EQ(shown,
              (QStringList {QStringLiteral("Disk full"), QStringLiteral("Sample limit reached"),
                            QStringLiteral("Port gone")}));
}

} // namespace
