#pragma once

#include "platform/serial_device.h"
#include "serial/com_error.h"
#include "serial/com_link.h"
#include "serial/com_settings.h"
#include "serial/com_types.h"
#include "serial/pending_events.h"

#include <QString>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QObject;
class TComThread;
class InputQueue;

using TComNotifyEvent = std::function<void(TCustomComPort *sender)>;
using TRxCharEvent = std::function<void(TCustomComPort *sender, int count)>;
using TRxBufEvent
        = std::function<void(TCustomComPort *sender, const std::string &buffer, int count)>;
using TComSignalEvent = std::function<void(TCustomComPort *sender, bool onOff)>;
using TComErrorEvent = std::function<void(TCustomComPort *sender, TComErrors errors)>;
using TComExceptionEvent = std::function<void(TCustomComPort *sender, TComExceptions code,
                                              int osError, const QString &message)>;

// One serial device: line settings, open and close, reads and writes, modem lines, line errors
// and the list of attached links. Lives on the user-interface thread; every property, method,
// handler and link callback runs there. While open, an event thread (TComThread) moves the
// device's input into the port's input queue of Buffer().InputSize() bytes and hands its events
// to this thread, where they are dispatched in a fixed order (error, received bytes, transmit
// empty, break, ring, CTS, DSR, event character, RLSD, 80 % full). Failures raise EComPort.
class TCustomComPort
{
public:
    TCustomComPort();
    virtual ~TCustomComPort();
    TCustomComPort(const TCustomComPort &) = delete;
    TCustomComPort &operator=(const TCustomComPort &) = delete;

    bool Connected() const { return m_connected; }
    void SetConnected(bool value);
    void Open();
    void Close();

    TBaudRate BaudRate() const { return m_baudRate; }
    void SetBaudRate(TBaudRate value);
    int CustomBaudRate() const { return m_customBaudRate; }
    void SetCustomBaudRate(int value);
    // "COM1" … "COM25" open /dev/ttyS0 … /dev/ttyS24, a name without '/' opens /dev/<name>,
    // a path opens as given.
    QString Port() const { return m_port; }
    void SetPort(const QString &value);
    TDataBits DataBits() const { return m_dataBits; }
    void SetDataBits(TDataBits value);
    TStopBits StopBits() const { return m_stopBits; }
    void SetStopBits(TStopBits value);
    bool DiscardNull() const { return m_discardNull; }
    void SetDiscardNull(bool value);
    char EventChar() const { return m_eventChar; }
    void SetEventChar(char value);

    TComParity &Parity() { return m_parity; }
    const TComParity &Parity() const { return m_parity; }
    void SetParity(const TComParity &value);
    TComFlowControl &FlowControl() { return m_flowControl; }
    const TComFlowControl &FlowControl() const { return m_flowControl; }
    void SetFlowControl(const TComFlowControl &value);
    TComTimeouts &Timeouts() { return m_timeouts; }
    const TComTimeouts &Timeouts() const { return m_timeouts; }
    void SetTimeouts(const TComTimeouts &value);
    TComBuffer &Buffer() { return m_buffer; }
    const TComBuffer &Buffer() const { return m_buffer; }
    void SetBuffer(const TComBuffer &value);

    // Take effect at the next open.
    TComEvents Events() const { return m_events; }
    void SetEvents(TComEvents value) { m_events = value; }
    TSyncMethod SyncMethod() const { return m_syncMethod; }
    void SetSyncMethod(TSyncMethod value);

    // False whenever a link with an RxBlock callback is attached.
    bool TriggersOnRxChar() const;
    void SetTriggersOnRxChar(bool value);

    TStoredProps StoredProps() const { return m_storedProps; }
    void SetStoredProps(TStoredProps value) { m_storedProps = value; }
    std::uint32_t CodePage() const { return m_codePage; }
    void SetCodePage(std::uint32_t value) { m_codePage = value; }

    void AttachLink(TComLink *link);
    void DetachLink(TComLink *link);

    void PurgeBuffers(bool input, bool output);
    // Writes every byte and waits until the write is done; returns the bytes written, fewer
    // when the write time-out passed first.
    int SendString(const std::string &str);
    int WriteStr(const std::string &str) { return SendString(str); }
    int Write(const char *buffer, int count);
    // Take up to count bytes from the input queue at once.
    int Read(char *buffer, int count);
    int ReadStr(std::string &str, int count);
    int QueuedInput();
    TComSignals ModemSignals();
    TComErrors LineErrors();

    // Loading from a stored form: while loading, setters only store; Loaded() opens the port
    // when Connected was stored true and hands an error there to the general error handler.
    void BeginLoad() { m_loading = true; }
    void Loaded();
    bool Loading() const { return m_loading; }

    // Tells client when the port is destroyed; the callback must drop every reference to it
    // (detaching its link is allowed then).
    void FreeNotification(const void *client, std::function<void()> portGone);
    void RemoveFreeNotification(const void *client);

    // Whether an event thread currently serves the open device.
    bool EventThreadRunning() const;

    TComNotifyEvent OnAfterOpen;
    TComNotifyEvent OnAfterClose;
    TComNotifyEvent OnBeforeOpen;
    TComNotifyEvent OnBeforeClose;
    TRxCharEvent OnRxChar;
    TRxBufEvent OnRxBuf;
    TComNotifyEvent OnTxEmpty;
    TComNotifyEvent OnBreak;
    TComNotifyEvent OnRing;
    TComNotifyEvent OnRxFlag;
    TComNotifyEvent OnRx80Full;
    TComSignalEvent OnCTSChange;
    TComSignalEvent OnDSRChange;
    TComSignalEvent OnRLSDChange;
    TComErrorEvent OnError;
    TComExceptionEvent OnException; // never raised: every failure raises EComPort

private:
    friend class TComParity;
    friend class TComFlowControl;
    friend class TComTimeouts;
    friend class TComBuffer;

    bool CanApply() const;
    void ApplyBuffer();
    void ApplyLineSettings();
    void ApplyTimeouts();
    void OpenDevice();
    void CloseDevice();
    void StartEventThread();
    void StopEventThread();
    void ReportSignals(bool afterOpen);
    void RequireOpen() const;
    int StartWrite(const char *buffer, int count);
    int ReadQueued(char *buffer, int count);

    // Event hand-over from the event thread.
    void Notify(std::uint32_t flags, std::uint64_t generation);
    void DispatchPending();
    void DispatchEvent(TComEvent event);
    void DeviceLost();
    void ReceivePath();
    void SignalChanged(TComSignal signal);

    template<typename Fn>
    void ForEachLink(Fn fn);
    void RecomputeHasRxBlockLink();

    bool m_connected = false;
    bool m_loading = false;
    TBaudRate m_baudRate = TBaudRate::br9600;
    int m_customBaudRate = 9600;
    QString m_port = QStringLiteral("COM1");
    TDataBits m_dataBits = TDataBits::dbEight;
    TStopBits m_stopBits = TStopBits::sbOneStopBit;
    bool m_discardNull = false;
    char m_eventChar = 0;
    TComParity m_parity {this};
    TComFlowControl m_flowControl {this};
    TComTimeouts m_timeouts {this};
    TComBuffer m_buffer {this};
    TComEvents m_events = AllComEvents;
    TSyncMethod m_syncMethod = TSyncMethod::smThreadSync;
    bool m_triggersOnRxChar = true;
    TStoredProps m_storedProps {TStoredProp::spBasic};
    std::uint32_t m_codePage = 0;

    std::vector<TComLink *> m_links;
    bool m_hasRxBlockLink = false;
    std::vector<std::pair<const void *, std::function<void()>>> m_freeNotifications;

    std::unique_ptr<SerialDevice> m_device;
    std::shared_ptr<InputQueue> m_input;
    std::unique_ptr<TComThread> m_thread;
    std::unique_ptr<QObject> m_notifier; // receives the hand-overs on the user-interface thread
    // Events not yet dispatched (low half) and the input queue generation their receive events
    // belong to (high half, low 32 bits of it); receive events of an older generation are void.
    PendingEvents m_pending;
    SerialErrorCounts m_errorCounts; // line errors already reported by LineErrors
    bool m_connectAfterLoading = false;
    bool m_deviceLost = false;
};

template<typename Fn>
void TCustomComPort::ForEachLink(Fn fn)
{
    // A callback may detach links (even its own): the ones gone meanwhile are skipped.
    const std::vector<TComLink *> links = m_links;
    for (TComLink *link : links) {
        if (std::find(m_links.begin(), m_links.end(), link) != m_links.end())
            fn(*link);
    }
}

// Moves a component's link from port `from` to port `to` (either may be null): the old port
// detaches the link and forgets the client; the new one attaches it and calls portGone when it
// is destroyed. Every component that follows a port rebinds through this.
void MoveLink(TCustomComPort *from, TCustomComPort *to, const void *client, TComLink &link,
              std::function<void()> portGone);

// The published port; adds nothing to TCustomComPort.
class TComPort : public TCustomComPort
{
public:
    using TCustomComPort::TCustomComPort;
};
