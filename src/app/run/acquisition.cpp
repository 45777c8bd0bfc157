#include "app/run/acquisition.h"

#include "app/run/packet_decoder.h"
#include "app/run/port_reconnect.h"
#include "app/run/slow_display_feed.h"
#include "chart/rchart.h"
#include "platform/user_interface.h"
#include "serial/com_port.h"
#include "serial/data_packet.h"

#include <utility>

Acquisition::Acquisition(TComPort &port, TComDataPacket &framer, TRChart &chart,
                         SlowDisplayFeed &feed, Ties ties)
    : m_port(port)
    , m_framer(framer)
    , m_chart(chart)
    , m_feed(feed)
    , m_ties(std::move(ties))
{
    PacketDecoder::Ties decoderTies;
    decoderTies.ActivePage = m_ties.ActivePage;
    decoderTies.SampleLimitReached = [this] { SampleLimitReached(); };
    m_decoder = std::make_unique<PacketDecoder>(m_state, m_chart, m_framer, std::move(decoderTies),
                                                &m_feed);
    m_framer.OnPacket = [this](TComDataPacket *sender, const std::string &packet) {
        m_decoder->ComDataPacket1Packet(sender, packet);
    };

    PortReconnect::Ties reconnectTies;
    reconnectTies.Reopen = [this](const QString &name) { ReopenLostPort(name); };
    reconnectTies.Retrying = [this](const QString &reason) { m_ties.ShowStatus(reason); };
    m_reconnect = std::make_unique<PortReconnect>(std::move(reconnectTies));

    m_updateTimer.callOnTimeout(this, [this] { UpdateTick(); });
}

Acquisition::~Acquisition()
{
    m_updateTimer.stop();
    m_framer.OnPacket = nullptr;
    if (m_framer.ComPort() == &m_port)
        m_framer.SetComPort(nullptr);
}

void Acquisition::SetPhase(Phase phase)
{
    if (phase == m_phase)
        return;
    m_phase = phase;
    emit PhaseChanged(phase);
}

void Acquisition::Start()
{
    if (Running())
        return;
    m_reconnect->Cancel();
    SetPhase(Phase::Running);
    m_ties.PrepareRun();
    m_decoder->BeginRun();
    m_choice = m_ties.ChoosePort();
    try {
        m_port.SetBaudRate(TBaudRate::brCustom);
        m_port.SetCustomBaudRate(m_choice.BaudRate);
        m_port.SetPort(m_choice.Name);
        AttachPort();
    } catch (...) {
        // A port that does not open leaves nothing running: the window goes back to Idle.
        Stop();
        throw;
    }
    // From now on the chart paints only when the update timer releases it.
    m_chart.SuppressPaint(true);
    if (m_choice.UpdateIntervalMs > 0) {
        m_updateTimer.setInterval(m_choice.UpdateIntervalMs);
        m_updateTimer.start();
    }
}

// At Start: the framer follows the port, which is open and holds nothing from before.
void Acquisition::AttachPort()
{
    m_framer.SetComPort(&m_port);
    if (!m_port.Connected())
        m_port.Open();
    m_port.PurgeBuffers(true, true);
}

void Acquisition::Stop()
{
    m_decoder->Halt();
    m_reconnect->Cancel();
    m_feed.ResumeRecording();
    if (m_framer.ComPort() == &m_port)
        m_framer.SetComPort(nullptr);
    // What the device sent after the run is discarded with the port.
    if (m_port.Connected()) {
        m_port.PurgeBuffers(true, false);
        m_port.Close();
    }
    m_updateTimer.stop();
    SetPhase(Phase::Idle);
}

void Acquisition::Clear()
{
    m_decoder->Clear();
}

void Acquisition::InputOverflow()
{
    m_ties.ShowStatus(tr("Buffer Overflow"));
    Stop();
}

// The decoder has halted on the sample that went beyond the limit. The run ends now, so the
// chart shows every sample, and the message follows once the window is back to Idle.
void Acquisition::SampleLimitReached()
{
    Stop();
    QMetaObject::invokeMethod(
            this,
            [this] {
                RunGuarded([this] {
                    ShowInformation(tr("Speicher-/Sample-Maximum erreicht"), QString());
                });
            },
            Qt::QueuedConnection);
}

void Acquisition::UpdateTick()
{
    m_chart.SuppressPaint(false);
    m_chart.UpdateChart();
    m_chart.SuppressPaint(true);
}

bool Acquisition::WaitingForPort() const
{
    return m_reconnect->Waiting();
}

void Acquisition::CancelPortWait()
{
    if (!Running())
        m_reconnect->Cancel();
}

void Acquisition::PortOpened(const QString &name)
{
    m_reconnect->Remember(name);
}

void Acquisition::PortFailed(bool deviceGone)
{
    if (deviceGone)
        m_deviceGone = true;
}

void Acquisition::PortClosed()
{
    if (std::exchange(m_deviceGone, false))
        DeviceLost();
}

// The port has closed itself and its thread is joined. A run stays a run: Stop ends it.
void Acquisition::DeviceLost()
{
    if (Running()) {
        SetPhase(Phase::WaitingForDevice);
        m_framer.SetComPort(nullptr);
        if (m_ties.ActivePage() == TDisplayPage::dpFastDisplay) {
            UpdateTick(); // the samples received last are shown while waiting
            m_updateTimer.stop();
            m_decoder->MarkGap();
        } else {
            m_feed.PauseRecording();
        }
    } else if (!m_ties.TerminalOn()) {
        return;
    }
    m_ties.ShowStatus(tr("Port disconnected"));
    m_reconnect->Watch();
}

void Acquisition::ReopenLostPort(const QString &name)
{
    m_port.SetPort(name); // differs when the device came back under another name
    if (!Running()) {
        m_ties.ReopenTerminal();
    } else {
        // Nothing from before the loss joins a new line; what the device sent since it came
        // back is kept: the port opens without a purge.
        m_framer.ResetBuffer();
        m_framer.SetComPort(&m_port);
        if (!m_port.Connected())
            m_port.Open();
        SetPhase(Phase::Running);
        if (m_choice.UpdateIntervalMs > 0)
            m_updateTimer.start();
        m_feed.ResumeRecording();
    }
    m_ties.ShowStatus(tr("Port reconnected"));
}
