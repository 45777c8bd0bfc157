#pragma once

#include "app/run/acquisition_state.h"
#include "app/run/display_page.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class PacketDecoder;
class PortReconnect;
class SlowDisplayFeed;
class TComDataPacket;
class TComPort;
class TRChart;

// One acquisition run, from Start to Stop: the run's use of the port, the framer's link to it,
// the packet decoder, the update timer that releases the fast display's paints, the wait for a
// device that went away and the run's flags. The window prepares its displays and reads the
// run's settings when asked (Ties), wires its controls to PhaseChanged and never writes the
// run's state. A terminal whose device went away waits through the same watch. Every step
// runs to its end without letting other events in. User-interface thread only.
class Acquisition : public QObject
{
    Q_OBJECT

public:
    enum class Phase {
        Idle,
        Running,
        WaitingForDevice, // running; the device went away and the run waits for it
    };

    // Where the run's port is and how often the fast display is painted (0: never).
    struct PortChoice
    {
        QString Name;
        int BaudRate = 0;
        int UpdateIntervalMs = 0;
    };

    struct Ties
    {
        std::function<TDisplayPage()> ActivePage;
        // Prepares the displays and reads the run's settings into State(); may raise, which
        // leaves the run started, so that Stop returns the window to Idle.
        std::function<void()> PrepareRun;
        std::function<PortChoice()> ChoosePort;
        // Status texts of the run: "Buffer Overflow", "Port disconnected", ...
        std::function<void(const QString &text)> ShowStatus;
        std::function<bool()> TerminalOn;
        // Takes up the terminal on the device that came back; the port carries its name.
        std::function<void()> ReopenTerminal;
    };

    Acquisition(TComPort &port, TComDataPacket &framer, TRChart &chart, SlowDisplayFeed &feed,
                Ties ties);
    ~Acquisition() override;

    void Start();
    void Stop();
    // The fast display's samples are gone: the run counts from 0 again.
    void Clear();

    // The port reported its input queue 80 % full: the run stops.
    void InputOverflow();
    // The port reported errors; an I/O error means its device went away and it closes next.
    void PortFailed(bool deviceGone);
    // The port closed; after its device went away the run (or the terminal) waits for it.
    void PortClosed();
    void DeviceLost();
    // The port opened on this name (identity of the device, for a later loss).
    void PortOpened(const QString &name);
    // The paint that the update timer releases.
    void UpdateTick();

    Phase CurrentPhase() const { return m_phase; }
    bool Running() const { return m_phase != Phase::Idle; }
    bool WaitingForPort() const;
    // Ends a terminal's wait for its device.
    void CancelPortWait();

    AcquisitionState &State() { return m_state; }
    const AcquisitionState &State() const { return m_state; }
    QTimer &UpdateTimer() { return m_updateTimer; }
    PacketDecoder &Decoder() { return *m_decoder; }

signals:
    void PhaseChanged(Acquisition::Phase phase);

private:
    void SetPhase(Phase phase);
    void AttachPort();
    void SampleLimitReached();
    void ReopenLostPort(const QString &name);

    TComPort &m_port;
    TComDataPacket &m_framer;
    TRChart &m_chart;
    SlowDisplayFeed &m_feed;
    Ties m_ties;
    AcquisitionState m_state;
    std::unique_ptr<PacketDecoder> m_decoder;
    std::unique_ptr<PortReconnect> m_reconnect;
    QTimer m_updateTimer;
    PortChoice m_choice;
    bool m_deviceGone = false;
    Phase m_phase = Phase::Idle;
};
