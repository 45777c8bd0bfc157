// The terminal page: switching the terminal on and off, sending lines, clearing, line count.
#include "app/window/main_window.h"

#include "platform/number_text.h"
#include "platform/user_interface.h"
#include "serial/com_port.h"
#include "serial/com_terminal.h"
#include "ui_main_window.h"

bool TForm1::TerminalOn() const
{
    return ui->ComTerminal1->ComPort() == m_comPort1.get();
}

// The terminal's device is back: the port opens on it and shows what it sent since then.
void TForm1::ReopenTerminal()
{
    m_comPort1->Open();
}

void TForm1::DetachTerminal()
{
    m_acquisition->CancelPortWait();
    ui->ComTerminal1->SetConnected(false);
    ui->ComTerminal1->SetComPort(nullptr);
}

void TForm1::BtnTerminalStartClick()
{
    m_comPort1->SetBaudRate(TBaudRate::brCustom);
    m_comPort1->SetCustomBaudRate(StrToInt(ui->ComboBoxBaud->currentText()));
    ui->ComTerminal1->SetComPort(m_comPort1.get());
    if (!m_comPort1->Connected())
        m_comPort1->Open();
    m_comPort1->PurgeBuffers(true, true);
    ui->ComTerminal1->SetConnected(true);
}

void TForm1::BtnTerminalStopClick()
{
    DetachTerminal();
    if (m_comPort1->Connected())
        m_comPort1->Close();
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
