#include "app/run/acquisition.h"

#include "app/run/fast_display_view.h"
#include "app/run/packet_decoder.h"
#include "app/run/packet_format.h"
#include "app/run/port_led_sink.h"
#include "app/run/port_reconnect.h"
#include "app/run/run_recording.h"
#include "chart/rchart.h"
#include "platform/user_interface.h"
#include "serial/com_port.h"
#include "serial/data_packet.h"

#include <utility>

Acquisition::Acquisition(TComPort &port, TComDataPacket &framer, const Displays &displays)
    : m_port(port)
    , m_framer(framer)
    , m_fastDisplay(std::make_unique<FastDisplayView>(*displays.Chart))
    , m_slowDisplay(std::make_unique<SlowDisplayFeed>(displays.Slow))
    , m_leds(std::make_unique<PortLedSink>(displays.Leds))
    , m_recording(std::make_unique<RunRecording>())
{
    PacketDecoder::Ties decoderTies;
    decoderTies.SampleLimitReached = [this] { SampleLimitReached(); };
    m_decoder = std::make_unique<PacketDecoder>(m_state, displays.Chart->Model(),
                                                std::move(decoderTies));

    PortReconnect::Ties reconnectTies;
    reconnectTies.Reopen = [this](const QString &name) { ReopenLostPort(name); };
    reconnectTies.Retrying = [this](const QString &reason) { emit StatusText(reason); };
    m_reconnect = std::make_unique<PortReconnect>(std::move(reconnectTies));

    m_updateTimer.callOnTimeout(this, [this] { UpdateTick(); });
    WirePort();
}

Acquisition::~Acquisition()
{
    m_updateTimer.stop();
    m_format.reset();
    if (m_framer.ComPort() == &m_port)
        m_framer.SetComPort(nullptr);
    m_port.OnRx80Full = nullptr;
    m_port.OnError = nullptr;
    m_port.OnAfterClose = nullptr;
    m_port.OnAfterOpen = nullptr;
}

void Acquisition::WirePort()
{
    m_port.OnRx80Full = [this](TCustomComPort *) { InputOverflow(); };
    // An I/O error means the device went away; the port closes next.
    m_port.OnError = [this](TCustomComPort *, TComErrors errors) {
        PortFailed(errors.Contains(TComError::ceIO));
    };
    m_port.OnAfterClose = [this](TCustomComPort *) { PortClosed(); };
    // The device's identity is taken while it is there, on every open.
    m_port.OnAfterOpen = [this](TCustomComPort *) { m_reconnect->Remember(m_port.Port()); };
}

void Acquisition::SetPhase(Phase phase)
{
    if (phase == m_phase)
        return;
    m_phase = phase;
    emit PhaseChanged(phase);
}

// The sinks of a run: a new one is one line here.
std::vector<SampleSink *> Acquisition::ChooseSinks(const RunSettings &settings)
{
    std::vector<SampleSink *> sinks;
    if (settings.Slow.PortMode)
        sinks.push_back(m_leds.get());
    if (settings.Page == TDisplayPage::dpSlowDisplay)
        sinks.push_back(m_slowDisplay.get());
    sinks.push_back(m_recording.get());
    return sinks;
}

void Acquisition::Start(const RunSettings &settings)
{
    if (Running())
        return;
    m_reconnect->Cancel();
    m_forTerminal = false;
    m_settings = settings;
    m_sinks = ChooseSinks(m_settings);

    m_fastDisplay->BeginRun(m_settings);
    for (SampleSink *sink : m_sinks) {
        if (sink != m_recording.get()) // begins once the port is open
            sink->BeginRun(m_settings);
    }
    m_decoder->BeginRun(m_settings, m_sinks);
    m_format.reset(); // lets go of the framer before the next format takes it
    m_format = MakePacketFormat(m_settings, m_framer, *m_decoder);
    SetPhase(Phase::Running);
    try {
        m_port.SetBaudRate(TBaudRate::brCustom);
        m_port.SetCustomBaudRate(m_settings.Port.BaudRate);
        m_port.SetPort(m_settings.Port.Name);
        AttachPort();
    } catch (...) {
        // A port that does not open leaves nothing running: the window goes back to Idle.
        Stop();
        throw;
    }
    m_fastDisplay->HoldPaint();
    if (m_settings.Page == TDisplayPage::dpFastDisplay && m_settings.Fast.UpdateIntervalMs > 0) {
        m_updateTimer.setInterval(m_settings.Fast.UpdateIntervalMs);
        m_updateTimer.start();
    }
    m_recording->RunStarted(m_settings.ChannelNames());
}

// At Start: the format follows the port, which is open and holds nothing from before.
void Acquisition::AttachPort()
{
    m_format->Attach(m_port);
    if (!m_port.Connected())
        m_port.Open();
    m_port.PurgeBuffers(true, true);
}

void Acquisition::Stop()
{
    m_decoder->Halt();
    m_reconnect->Cancel();
    if (m_format)
        m_format->Detach();
    // What the device sent after the run is discarded with the port.
    if (m_port.Connected()) {
        m_port.PurgeBuffers(true, false);
        m_port.Close();
    }
    m_updateTimer.stop();
    if (!Running())
        return;
    // The window is Idle at once; the displays then show the whole run, all before the next
    // paint.
    SetPhase(Phase::Idle);
    for (SampleSink *sink : m_sinks)
        sink->EndRun();
    m_fastDisplay->EndRun();
}

void Acquisition::Clear()
{
    m_decoder->Clear();
}

void Acquisition::SetChannelCount(int channels)
{
    if (!Running())
        m_decoder->SetChannelCount(channels);
}

void Acquisition::SetTrendMode(bool on)
{
    if (!Running())
        m_decoder->SetTrendMode(on);
}

void Acquisition::OpenForTerminal(int baudRate)
{
    if (Running())
        return;
    m_reconnect->Cancel();
    m_forTerminal = true;
    m_port.SetBaudRate(TBaudRate::brCustom);
    m_port.SetCustomBaudRate(baudRate);
    if (!m_port.Connected())
        m_port.Open();
    m_port.PurgeBuffers(true, true);
}

void Acquisition::CloseForTerminal()
{
    if (Running())
        return;
    m_forTerminal = false;
    m_reconnect->Cancel();
    if (m_port.Connected())
        m_port.Close();
}

void Acquisition::InputOverflow()
{
    EndBy(tr("Buffer Overflow"));
}

// A run that ends by itself says why, and a recording that ends with it names its file.
void Acquisition::EndBy(const QString &reason)
{
    const bool recording = m_recording->Recording();
    emit StatusText(reason);
    Stop();
    if (recording)
        m_recording->EndedWithRun(reason);
}

// The decoder has halted on the sample that went beyond the limit. The run ends now, so the
// chart shows every sample, and the message follows once the window is back to Idle.
void Acquisition::SampleLimitReached()
{
    const QString reason = tr("Speicher-/Sample-Maximum erreicht");
    EndBy(reason);
    QMetaObject::invokeMethod(
            this, [this, reason] { RunGuarded([this, &reason] { emit Information(reason); }); },
            Qt::QueuedConnection);
}

void Acquisition::UpdateTick()
{
    m_fastDisplay->Present();
}

bool Acquisition::WaitingForPort() const
{
    return m_reconnect->Waiting();
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
        m_format->Detach();
        if (m_settings.Page == TDisplayPage::dpFastDisplay) {
            UpdateTick(); // the samples received last are shown while waiting
            m_updateTimer.stop();
            m_decoder->MarkGap();
        }
        for (SampleSink *sink : m_sinks)
            sink->DeviceLost();
    } else if (!m_forTerminal) {
        return;
    }
    emit StatusText(tr("Port disconnected"));
    m_reconnect->Watch();
}

void Acquisition::ReopenLostPort(const QString &name)
{
    m_port.SetPort(name); // differs when the device came back under another name
    if (!Running()) {
        // The terminal takes up its device again and shows what it sent since then.
        m_port.Open();
    } else {
        // Nothing from before the loss joins a new line; what the device sent since it came
        // back is kept: the port opens without a purge.
        m_format->Attach(m_port);
        if (!m_port.Connected())
            m_port.Open();
        SetPhase(Phase::Running);
        if (m_settings.Page == TDisplayPage::dpFastDisplay && m_settings.Fast.UpdateIntervalMs > 0)
            m_updateTimer.start();
        for (SampleSink *sink : m_sinks)
            sink->DeviceBack();
    }
    emit StatusText(tr("Port reconnected"));
}
