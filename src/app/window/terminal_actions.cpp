// The terminal page: switching the terminal on and off, sending lines, clearing, line count.
#include "app/window/main_window.h"

#include "platform/number_text.h"
#include "platform/user_interface.h"
#include "serial/com_port.h"
#include "serial/com_terminal.h"
#include "ui_main_window.h"

// The terminal control lets go of the port; the port itself is the run's to close.
void TForm1::DetachTerminal()
{
    ui->ComTerminal1->SetConnected(false);
    ui->ComTerminal1->SetComPort(nullptr);
}

// The run opens the port for the terminal on the name the port selector gave it.
void TForm1::BtnTerminalStartClick()
{
    ui->ComTerminal1->SetComPort(m_comPort1.get());
    m_acquisition->OpenForTerminal(StrToInt(ui->ComboBoxBaud->currentText()));
    ui->ComTerminal1->SetConnected(true);
}

void TForm1::BtnTerminalStopClick()
{
    DetachTerminal();
    m_acquisition->CloseForTerminal();
}

void TForm1::BtnTerminalSendClick()
{
    if (!m_comPort1->Connected())
        return;
    std::string text = ui->EditTerminalSendString->text().toLocal8Bit().toStdString();
    if (ui->CheckBoxTerminalCRLF->isChecked())
        text += "\r\n";
    m_comPort1->SendString(text);
}

void TForm1::ButtonClearTerminalClick()
{
    ui->ComTerminal1->ClearTerminal();
}

void TForm1::ComboBoxTerminalLinesChange()
{
    ui->ComTerminal1->SetRows(StrToInt(ui->ComboBoxTerminalLines->currentText()));
}
