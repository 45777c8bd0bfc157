#include "serial/com_port.h"

#include "platform/device_factory.h"
#include "platform/port_access.h"
#include "platform/serial_device.h"
#include "platform/user_interface.h"
#include "serial/com_thread.h"
#include "serial/input_queue.h"

#include <QObject>

#include <algorithm>

TCustomComPort::TCustomComPort()
    : m_notifier(std::make_unique<QObject>())
{ }

TCustomComPort::~TCustomComPort()
{
    RunGuarded([this] { Close(); });
    // A close that failed in a handler must still not leave the thread or the device behind.
    StopEventThread();
    m_device.reset();
    m_connected = false;
    const auto clients = m_freeNotifications;
    for (const auto &[client, portGone] : clients)
        RunGuarded(portGone);
    m_freeNotifications.clear();
    m_links.clear();
}

void TCustomComPort::SetConnected(bool value)
{
    if (m_loading) {
        m_connectAfterLoading = value;
        return;
    }
    if (value)
        Open();
    else
        Close();
}

void TCustomComPort::Loaded()
{
    m_loading = false;
    if (m_connectAfterLoading) {
        m_connectAfterLoading = false;
        RunGuarded([this] { Open(); });
    }
}

void TCustomComPort::Open()
{
    if (m_connected || m_loading)
        return;
    if (OnBeforeOpen)
        OnBeforeOpen(this);
    OpenDevice();
    // What the thread reads reaches the user-interface thread queued, behind this call: the
    // caller can purge what the device held at open before anything is handed over.
    if (!m_events.Empty())
        StartEventThread();
    ForEachLink([this](TComLink &link) {
        if (link.ConnChanged)
            link.ConnChanged(this, true);
    });
    if (OnAfterOpen)
        OnAfterOpen(this);
    ReportSignals(true);
}

void TCustomComPort::OpenDevice()
{
    int error = 0;
    std::unique_ptr<SerialDevice> device = OpenSerialDevice(m_port, error);
    if (!device) {
        EComPort failure(TComExceptions::CE_OpenFailed, error);
        failure.SetAdvice(PortOpenAdvice(m_port, error));
        throw failure;
    }
    m_device = std::move(device);
    m_input = std::make_shared<InputQueue>(std::size_t(std::max(m_buffer.InputSize(), 1)));
    m_deviceLost = false;
    m_connected = true;
    try {
        ApplyBuffer();
        try {
            ApplyLineSettings();
        } catch (EComPort &failure) {
            failure.SetAdvice(PortOpenAdvice(m_port, failure.OsError()));
            throw;
        }
        ApplyTimeouts();
        SerialErrorCounts counts;
        m_device->ErrorCounts(counts);
        m_errorCounts = counts;
    } catch (...) {
        m_device.reset();
        m_input.reset();
        m_connected = false;
        throw;
    }
}

void TCustomComPort::StartEventThread()
{
    m_pending.Clear();
    auto notify
            = [this](std::uint32_t flags, std::uint64_t generation) { Notify(flags, generation); };
    m_thread = std::make_unique<TComThread>(*m_device, m_input, m_events, notify);
    m_thread->SetEventChar(m_eventChar);
    m_thread->SetDiscardNull(m_discardNull);
}

void TCustomComPort::StopEventThread()
{
    if (!m_thread)
        return;
    m_thread->Stop();
    m_thread.reset();
}

bool TCustomComPort::EventThreadRunning() const
{
    return m_thread && !m_thread->Finished();
}

void TCustomComPort::Close()
{
    if (!m_connected || m_loading)
        return;
    ReportSignals(false);
    if (OnBeforeClose)
        OnBeforeClose(this);
    // Reads and writes complete synchronously, so nothing is pending to abort here.
    StopEventThread();
    m_device.reset();
    m_input.reset();
    m_connected = false;
    ForEachLink([this](TComLink &link) {
        if (link.ConnChanged)
            link.ConnChanged(this, false);
    });
    if (OnAfterClose)
        OnAfterClose(this);
}

// After open each line is read and reported in turn; before close all three are reported off,
// first to the links, then through the events.
void TCustomComPort::ReportSignals(bool afterOpen)
{
    using Slot = TComLink::TStateCallback TComLink::*;
    struct Line
    {
        TComSignal signal;
        Slot slot;
        TComSignalEvent TCustomComPort::*event;
    };
    const Line lines[] = {
            {TComSignal::csCTS, &TComLink::CtsChanged, &TCustomComPort::OnCTSChange},
            {TComSignal::csDSR, &TComLink::DsrChanged, &TCustomComPort::OnDSRChange},
            {TComSignal::csRLSD, &TComLink::RlsdChanged, &TCustomComPort::OnRLSDChange},
    };
    auto toLinks = [this](Slot slot, bool state) {
        ForEachLink([&](TComLink &link) {
            if (link.*slot)
                (link.*slot)(this, state);
        });
    };
    if (afterOpen) {
        for (const Line &line : lines) {
            const bool state = ModemSignals().Contains(line.signal);
            toLinks(line.slot, state);
            if (this->*line.event)
                (this->*line.event)(this, state);
        }
        return;
    }
    for (const Line &line : lines)
        toLinks(line.slot, false);
    for (const Line &line : lines) {
        if (this->*line.event)
            (this->*line.event)(this, false);
    }
}

// Settings

void TCustomComPort::SetBaudRate(TBaudRate value)
{
    if (value == m_baudRate)
        return;
    m_baudRate = value;
    ApplyLineSettings();
}

void TCustomComPort::SetCustomBaudRate(int value)
{
    if (value == m_customBaudRate)
        return;
    m_customBaudRate = value;
    ApplyLineSettings();
}

void TCustomComPort::SetPort(const QString &value)
{
    if (value == m_port)
        return;
    m_port = value;
    if (m_connected && !m_loading) {
        Close();
        Open();
    }
}

void TCustomComPort::SetDataBits(TDataBits value)
{
    if (value == m_dataBits)
        return;
    m_dataBits = value;
    ApplyLineSettings();
}

void TCustomComPort::SetStopBits(TStopBits value)
{
    if (value == m_stopBits)
        return;
    m_stopBits = value;
    ApplyLineSettings();
}

void TCustomComPort::SetDiscardNull(bool value)
{
    if (value == m_discardNull)
        return;
    m_discardNull = value;
    if (m_thread)
        m_thread->SetDiscardNull(value);
    ApplyLineSettings();
}

void TCustomComPort::SetEventChar(char value)
{
    if (value == m_eventChar)
        return;
    m_eventChar = value;
    if (m_thread)
        m_thread->SetEventChar(value);
    ApplyLineSettings();
}

void TCustomComPort::SetParity(const TComParity &value)
{
    m_parity = value;
}

void TCustomComPort::SetFlowControl(const TComFlowControl &value)
{
    m_flowControl = value;
}

void TCustomComPort::SetTimeouts(const TComTimeouts &value)
{
    m_timeouts = value;
}

void TCustomComPort::SetBuffer(const TComBuffer &value)
{
    m_buffer = value;
}

void TCustomComPort::SetSyncMethod(TSyncMethod value)
{
    if (value == m_syncMethod)
        return;
    if (m_connected && !m_loading)
        throw EComPort(TComExceptions::CE_ConnChangeProp);
    m_syncMethod = value;
}

bool TCustomComPort::TriggersOnRxChar() const
{
    return m_triggersOnRxChar && !m_hasRxBlockLink;
}

void TCustomComPort::SetTriggersOnRxChar(bool value)
{
    if (m_hasRxBlockLink)
        throw EComPort(TComExceptions::CE_HasLink);
    m_triggersOnRxChar = value;
}

bool TCustomComPort::CanApply() const
{
    return m_connected && !m_loading && m_device;
}

void TCustomComPort::ApplyBuffer()
{
    if (!CanApply() || m_buffer.InputSize() <= 0)
        return;
    bool wake = false;
    m_input->Resize(std::size_t(m_buffer.InputSize()), wake);
    if (wake && m_thread)
        m_thread->Wake();
}

void TCustomComPort::ApplyLineSettings()
{
    if (!CanApply())
        return;
    SerialLineSettings s;
    s.baudRate = m_baudRate == TBaudRate::brCustom ? m_customBaudRate : BaudRateToInt(m_baudRate);
    s.dataBits = 5 + int(m_dataBits);
    s.parity = int(m_parity.Bits());
    s.stopBits = int(m_stopBits);
    s.parityCheck = m_parity.Check();
    s.outCtsFlow = m_flowControl.OutCTSFlow();
    s.outDsrFlow = m_flowControl.OutDSRFlow();
    s.dtrControl = int(m_flowControl.ControlDTR());
    s.rtsControl = int(m_flowControl.ControlRTS());
    s.xonXoffOut = m_flowControl.XonXoffOut();
    s.xonXoffIn = m_flowControl.XonXoffIn();
    s.xonChar = m_flowControl.XonChar();
    s.xoffChar = m_flowControl.XoffChar();
    if (const int error = m_device->ApplyLine(s))
        throw EComPort(TComExceptions::CE_SetStateFailed, error);
}

void TCustomComPort::ApplyTimeouts()
{
    // Write time-outs are taken from Timeouts at every write; reads never wait.
}

// Links

void TCustomComPort::AttachLink(TComLink *link)
{
    if (!link || std::find(m_links.begin(), m_links.end(), link) != m_links.end())
        throw EComPort(TComExceptions::CE_RegFailed);
    m_links.push_back(link);
    RecomputeHasRxBlockLink();
}

void TCustomComPort::DetachLink(TComLink *link)
{
    const auto it = std::find(m_links.begin(), m_links.end(), link);
    if (it == m_links.end())
        throw EComPort(TComExceptions::CE_RegFailed);
    m_links.erase(it);
    RecomputeHasRxBlockLink();
}

void TCustomComPort::RecomputeHasRxBlockLink()
{
    m_hasRxBlockLink = std::any_of(m_links.begin(), m_links.end(),
                                   [](const TComLink *link) { return bool(link->RxBlock); });
}

void TCustomComPort::FreeNotification(const void *client, std::function<void()> portGone)
{
    RemoveFreeNotification(client);
    m_freeNotifications.emplace_back(client, std::move(portGone));
}

void TCustomComPort::RemoveFreeNotification(const void *client)
{
    std::erase_if(m_freeNotifications,
                  [client](const auto &entry) { return entry.first == client; });
}

void MoveLink(TCustomComPort *from, TCustomComPort *to, const void *client, TComLink &link,
              std::function<void()> portGone)
{
    if (from) {
        from->RemoveFreeNotification(client);
        from->DetachLink(&link);
    }
    if (to) {
        to->FreeNotification(client, std::move(portGone));
        to->AttachLink(&link);
    }
}
