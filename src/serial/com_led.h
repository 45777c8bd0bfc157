#pragma once

#include "serial/com_link.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>

class TCustomComPort;

enum class TComLedSignal { lsConn, lsCTS, lsDSR, lsRLSD, lsRing, lsRx, lsTx };
enum class TLedKind {
    lkRedLight,
    lkGreenLight,
    lkBlueLight,
    lkYellowLight,
    lkPurpleLight,
    lkBulb,
    lkCustom
};
enum class TLedState { lsOff, lsOn };

class TComLed;
using TLedStateEvent = std::function<void(TComLed *sender, TLedState state)>;

// The one-shot timer that ends a ring indication; replaceable so that tests fire it by hand.
class TLedRingTimer
{
public:
    virtual ~TLedRingTimer() = default;
    virtual void SetInterval(int milliseconds) = 0;
    virtual int Interval() const = 0;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool Active() const = 0;

    std::function<void()> OnTimer;
};

// A lamp showing one state of the bound port: open, a modem line, ring, receiving or sending.
// It follows the port through a TComLink; while a port is bound its state cannot be set by
// hand. The port is not owned; when it is destroyed the LED forgets it. User-interface thread.
class TComLed : public QWidget
{
    Q_OBJECT

public:
    explicit TComLed(QWidget *parent = nullptr);
    ~TComLed() override;

    TCustomComPort *ComPort() const { return m_port; }
    void SetComPort(TCustomComPort *port);
    TComLedSignal LedSignal() const { return m_signal; }
    void SetLedSignal(TComLedSignal value);
    TLedKind Kind() const { return m_kind; }
    void SetKind(TLedKind value);
    TLedState State() const { return m_state; }
    // Fails with EComPort code 19 while a port is bound.
    void SetState(TLedState value);
    // Assigned pictures count only for lkCustom; a picture without alpha channel shows the
    // colour of its bottom-left pixel transparent.
    const QImage &GlyphOn() const { return m_glyphOn; }
    void SetGlyphOn(const QImage &value);
    const QImage &GlyphOff() const { return m_glyphOff; }
    void SetGlyphOff(const QImage &value);
    int RingDuration() const { return m_ringTimer->Interval(); }
    void SetRingDuration(int milliseconds) { m_ringTimer->SetInterval(milliseconds); }

    // The listener record the LED attaches to its port.
    TComLink &Link() { return m_link; }
    void SetRingTimer(std::unique_ptr<TLedRingTimer> timer);
    TLedRingTimer &RingTimer() { return *m_ringTimer; }
    // What the LED shows, as drawn on a transparent background of the widget's size.
    QImage Picture();

    TLedStateEvent OnChange;

    QSize sizeHint() const override { return {25, 25}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void SetLedState(TLedState state);
    void SignalReported(bool state);
    void RingSeen();
    void RingTimerFired();
    bool SignalStateOfOpenPort() const;
    void PortGone();
    void LoadKindGlyphs();

    TComLink m_link;
    TCustomComPort *m_port = nullptr;
    TComLedSignal m_signal = TComLedSignal::lsConn;
    TLedKind m_kind = TLedKind::lkRedLight;
    TLedState m_state = TLedState::lsOff;
    QImage m_glyphOn;
    QImage m_glyphOff;
    std::unique_ptr<TLedRingTimer> m_ringTimer;
};
