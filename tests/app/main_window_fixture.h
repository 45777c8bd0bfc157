#pragma once

// The main window driven as a user drives it, against a pseudo-terminal playing the device.
#include "app/window/file_name_source.h"
#include "app/window/main_window.h"
#include "chart/rchart.h"
#include "platform/user_interface.h"
#include "serial/com_combo_box.h"
#include "support/event_wait.h"
#include "support/locale_guard.h"
#include "support/message_recorder.h"
#include "support/pseudo_terminal.h"
#include "ui_main_window.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <memory>

// File names handed to the file actions in order, as if typed into the dialogs; none left
// means the dialog was cancelled.
class ScriptedFileNames : public FileNameSource
{
public:
    explicit ScriptedFileNames(QStringList *names)
        : m_names(names)
    { }
    QString FileName(Purpose, QWidget *) override
    {
        return m_names->isEmpty() ? QString() : m_names->takeFirst();
    }

private:
    QStringList *m_names;
};

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.IsOpen());
        MakeForm();
    }

    // A new window on the pseudo-terminal, in the locale pinned now.
    void MakeForm()
    {
        form.reset();
        form = std::make_unique<TForm1>();
        form->show();
        ui().ComComboBox1->addItem(pty.SlavePath());
        ui().ComComboBox1->SetText(pty.SlavePath());
        form->SetFileNameSource(std::make_unique<ScriptedFileNames>(&fileNames));
    }

    void TearDown() override
    {
        if (form && ui().StopButton->isEnabled())
            Click(ui().StopButton);
        form.reset();
    }

    Ui::TForm1 &ui() { return form->Form(); }
    TRChart &chart() { return *ui().RChart1; }

    // A click whose error reaches the general error handler, as in the running program.
    void Click(QAbstractButton *button)
    {
        RunGuarded([button] { button->click(); });
    }

    void ShowFastDisplay() { ui().PageControl2->setCurrentWidget(ui().TabSheetFastDisplay); }

    // Picks a port from the list as the user does, which names the port at once.
    void ChoosePort(const QString &name)
    {
        ui().ComComboBox1->SetText(name);
        emit ui().ComComboBox1->activated(ui().ComComboBox1->currentIndex());
    }

    // The first line after opening is lost by the framing, so every burst starts with one.
    void Send(const std::string &lines) { ASSERT_TRUE(pty.Write(lines)); }

    static std::string Lines(int count, const std::string &value)
    {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += value + "\r\n";
        return text;
    }

    bool WaitForItems(int count)
    {
        return ProcessEventsUntil([&] { return chart().ItemCount() == count; });
    }

    TChartItem Item(int index)
    {
        TChartItem item {};
        chart().GetItem(index, item);
        return item;
    }

    LocaleGuard locale {LocaleGuard::German()};
    MessageRecorder messages;
    PseudoTerminal pty;
    QStringList fileNames;
    std::unique_ptr<TForm1> form;
};
