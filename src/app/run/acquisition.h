#pragma once

#include "app/run/acquisition_state.h"
#include "app/run/run_settings.h"
#include "app/run/slow_display_feed.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <memory>
#include <vector>

class FastDisplayView;
class PacketDecoder;
class PacketFormat;
class PortLedSink;
class PortReconnect;
class RunRecording;
class SampleSink;
class TAbLED;
class TComDataPacket;
class TComPort;
class TRChart;

// One acquisition run, from Start to Stop, and every other use of the port: the run takes its
// settings as one value, opens the port, links the packet format to it, feeds the decoder's
// samples to the sinks the settings choose (slow display, port LEDs, recorder), releases the
// fast display's paints on its update timer and waits for a device that went away. The terminal
// page opens and closes the port through it too. It wires the port's events itself, calls
// nothing of the window and reports its phase, status texts and messages as signals; the window
// reads its state and never writes it. Every step runs to its end without letting other events
// in. User-interface thread only.
class Acquisition : public QObject
{
    Q_OBJECT

public:
    enum class Phase {
        Idle,
        Running,
        WaitingForDevice, // running; the device went away and the run waits for it
    };

    // What the run shows its samples on: the window's controls, which it does not own.
    struct Displays
    {
        TRChart *Chart = nullptr;
        SlowDisplayFeed::Instruments Slow;
        std::array<TAbLED *, 8> Leds {};
    };

    Acquisition(TComPort &port, TComDataPacket &framer, const Displays &displays);
    ~Acquisition() override;

    // Starts a run with these settings. A port that does not open raises, and nothing runs: the
    // phase is Idle again when the error leaves. An armed recording begins with the run; one that
    // cannot begin raises after the run has started, which goes on without it.
    void Start(const RunSettings &settings);
    void Stop();
    // The fast display's samples are gone: the run counts from 0 again.
    void Clear();

    // The window's channel count and trend mode while no run goes on.
    void SetChannelCount(int channels);
    void SetTrendMode(bool on);

    // The terminal page's use of the port at baudRate, on the name the port has; raises when it
    // does not open. A terminal whose device went away waits for it like a run.
    void OpenForTerminal(int baudRate);
    // Ends the terminal's use: no more waiting, and the port closes.
    void CloseForTerminal();

    // The port reported its input queue 80 % full: the run stops.
    void InputOverflow();
    // The port has closed itself after its device went away.
    void DeviceLost();
    // The paint that the update timer releases.
    void UpdateTick();

    Phase CurrentPhase() const { return m_phase; }
    bool Running() const { return m_phase != Phase::Idle; }
    bool WaitingForPort() const;

    const AcquisitionState &State() const { return m_state; }
    // The settings of the run going on, or of the last one.
    const RunSettings &Settings() const { return m_settings; }
    QTimer &UpdateTimer() { return m_updateTimer; }
    RunRecording &Recording() { return *m_recording; }
    SlowDisplayFeed &SlowDisplay() { return *m_slowDisplay; }

signals:
    void PhaseChanged(Acquisition::Phase phase);
    // Why a run ended by itself ("Buffer Overflow", the sample limit), "Port disconnected",
    // "Port reconnected", why a reopen failed.
    void StatusText(const QString &text);
    // A message for the person, sent once the window is Idle again.
    void Information(const QString &text);

private:
    void WirePort();
    void SetPhase(Phase phase);
    std::vector<SampleSink *> ChooseSinks(const RunSettings &settings);
    void AttachPort();
    void SampleLimitReached();
    void EndBy(const QString &reason);
    void PortFailed(bool deviceGone);
    void PortClosed();
    void ReopenLostPort(const QString &name);

    TComPort &m_port;
    TComDataPacket &m_framer;
    AcquisitionState m_state;
    RunSettings m_settings;
    std::unique_ptr<FastDisplayView> m_fastDisplay;
    std::unique_ptr<SlowDisplayFeed> m_slowDisplay;
    std::unique_ptr<PortLedSink> m_leds;
    std::unique_ptr<RunRecording> m_recording;
    std::unique_ptr<PacketDecoder> m_decoder;
    std::unique_ptr<PacketFormat> m_format;
    std::vector<SampleSink *> m_sinks;
    std::unique_ptr<PortReconnect> m_reconnect;
    QTimer m_updateTimer;
    bool m_forTerminal = false; // the terminal page has the port
    bool m_deviceGone = false;
    Phase m_phase = Phase::Idle;
};
