// A device lost while a run or the terminal uses it: the window keeps what it shows, waits
// for the device to come back and then takes up the work again on the same port settings.
#include "app/main_window.h"

#include "app/packet_decoder.h"
#include "app/port_reconnect.h"
#include "instruments/trend.h"
#include "serial/com_port.h"
#include "serial/com_terminal.h"
#include "serial/data_packet.h"
#include "ui_main_window.h"

void TForm1::SetupPortReconnect()
{
    PortReconnect::Ties ties;
    ties.Reopen = [this](const QString &name) { ReopenLostPort(name); };
    ties.Retrying = [this](const QString &reason) { SetStatusText(2, reason); };
    m_reconnect = std::make_unique<PortReconnect>(std::move(ties));
    // The device's identity is taken while it is there, on every open.
    m_comPort1->OnAfterOpen
            = [this](TCustomComPort *) { m_reconnect->Remember(m_comPort1->Port()); };
}

bool TForm1::TerminalOn() const
{
    return ui->ComTerminal1->ComPort() == m_comPort1.get();
}

bool TForm1::WaitingForPort() const
{
    return m_reconnect->Waiting();
}

void TForm1::ComPort1DeviceLost()
{
    // The port has closed itself and its thread is joined. A run stays a run: Stop ends it.
    if (m_running)
        PauseRunForLostPort();
    else if (!TerminalOn())
        return;
    SetStatusText(2, QStringLiteral("Port disconnected"));
    m_reconnect->Watch();
}

void TForm1::PauseRunForLostPort()
{
    m_runPortLost = true;
    UpdateWindowState();
    m_comDataPacket1->SetComPort(nullptr);
    if (ActivePage() == TDisplayPage::dpFastDisplay) {
        Timer1Timer(); // the samples received last are shown while waiting
        m_timer1.stop();
        m_decoder->MarkGap();
        return;
    }
    TAbTrend &trend = *ui->AbTrend1;
    if (trend.StartRecording()) {
        trend.SetStartRecording(false);
        m_trendPausedForPort = true;
    }
}

void TForm1::ReopenLostPort(const QString &name)
{
    if (m_comPort1->Connected() || (!m_running && !TerminalOn()))
        return; // opened meanwhile, or nobody waits any more
    m_comPort1->SetPort(name); // differs when the device came back under another name
    if (!m_running) {
        m_comPort1->Open();
        m_comPort1->PurgeBuffers(true, true);
    } else {
        m_comDataPacket1->ResetBuffer(); // nothing from before the loss joins a new line
        AttachRunPort();
        m_runPortLost = false;
        UpdateWindowState();
        if (ActivePage() == TDisplayPage::dpFastDisplay)
            m_timer1.start();
        ResumeTrend();
    }
    SetStatusText(2, QStringLiteral("Port reconnected"));
}

// Writing StartRecording back marks the pause in the trend with separator records.
void TForm1::ResumeTrend()
{
    if (m_trendPausedForPort) {
        m_trendPausedForPort = false;
        ui->AbTrend1->SetStartRecording(true);
    }
}

void TForm1::EndPortWait()
{
    m_reconnect->Cancel();
    m_runPortLost = false;
    ResumeTrend();
}
