// The real file dialogs, answered by the test as soon as they are open.
#include "app/window/dialog_file_names.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Runs FileName and hands the open dialog to answer; returns the name the source gave back.
QString Ask(DialogFileNames &names, FileNameSource::Purpose purpose,
            const std::function<void(QFileDialog &)> &answer)
{
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        // Only from the dialog's own event loop: showing it lets events run too, and an answer
        // given before exec() waits would never end the wait.
        if (QThread::currentThread()->loopLevel() == 0)
            return;
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            poll.stop();
            answered = true;
            answer(*dialog);
        }
    });
    poll.start(10);
    const QString name = names.FileName(purpose, nullptr);
    EXPECT_TRUE(answered);
    return name;
}

TEST(DialogFileNames, DialogsStartAtHomeThenInTheFolderUsedLast)
{
    using P = FileNameSource::Purpose;
    const QString home = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
    auto startsIn = [](QString *folder) {
        return [folder](QFileDialog &dialog) {
            *folder = dialog.directory().absolutePath();
            dialog.reject();
        };
    };
    auto temp = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(temp->isValid());
    const QString chosen = temp->filePath(QStringLiteral("run.vnx"));
    const QTemporaryDir settings;
    const QString settingsFile = settings.filePath(QStringLiteral("vantor.conf"));
    DialogFileNames names(settingsFile);
    QString folder;

    EXPECT_EQ(Ask(names, P::LoadFastDisplay, startsIn(&folder)), QString()); // cancelled
    EXPECT_EQ(folder, QDir(home).absolutePath());

    EXPECT_EQ(
            Ask(names, P::SaveFastDisplay,
                [&](QFileDialog &dialog) {
                    // Typed into the name box, as the box has the focus.
                    dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(chosen);
                    static_cast<QDialog &>(dialog).accept(); // QFileDialog hides it
                }),
            chosen);
    Ask(names, P::ExportCsv, startsIn(&folder)); // every purpose shares the folder
    EXPECT_EQ(folder, QDir(temp->path()).absolutePath());

    DialogFileNames nextRun(settingsFile); // the folder is kept in Vantor's settings file
    Ask(nextRun, P::LoadFastDisplay, startsIn(&folder));
    EXPECT_EQ(folder, QDir(temp->path()).absolutePath());

    temp.reset(); // the folder used last is gone
    Ask(names, P::LoadSlowDisplay, startsIn(&folder));
    EXPECT_EQ(folder, QDir(home).absolutePath());
}

// Qt's file dialog keeps its history in the user's QtProject.conf unless told otherwise; that
// file would outlive the package.
TEST(DialogFileNames, QtsDialogStateIsNotWrittenToTheUsersQtSettings)
{
    const QString qtProject
            = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/QtProject.conf");
    const auto contents = [&qtProject] {
        QFile file(qtProject);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    };
    const QByteArray before = contents();
    const QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString chosen = temp.filePath(QStringLiteral("run.vnx"));
    {
        DialogFileNames names(temp.filePath(QStringLiteral("vantor.conf")));
        EXPECT_EQ(Ask(names, FileNameSource::Purpose::SaveFastDisplay,
                      [&](QFileDialog &dialog) {
                          dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
                                  ->setText(chosen);
                          static_cast<QDialog &>(dialog).accept();
                      }),
                  chosen);
    }
    EXPECT_EQ(contents(), before);
}

} // namespace
