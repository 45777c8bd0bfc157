// The hand-over of device events from the event thread and their handlers.
#include "serial/com_port.h"

#include "platform/user_interface.h"
#include "serial/com_thread.h"
#include "serial/input_queue.h"

#include <QObject>

namespace {

constexpr TComEvent kDispatchOrder[] = {
        TComEvent::evError, TComEvent::evRxChar,   TComEvent::evTxEmpty, TComEvent::evBreak,
        TComEvent::evRing,  TComEvent::evCTS,      TComEvent::evDSR,     TComEvent::evRxFlag,
        TComEvent::evRLSD,  TComEvent::evRx80Full,
};

} // namespace

// Any thread. Events that arrive while a hand-over is still queued join it, so a slow
// user-interface thread finds one hand-over with everything that happened meanwhile.
void TCustomComPort::Notify(std::uint32_t flags, std::uint64_t generation)
{
    if (m_pending.Add(flags, generation))
        RunOnUiThread(m_notifier.get(), [this] { DispatchPending(); });
}

// Every handler runs guarded: an exception is shown once and the remaining events are still
// handled; the port stays open.
void TCustomComPort::DispatchPending()
{
    if (!m_input)
        return;
    const std::uint32_t flags = m_pending.Take(m_input->Generation());
    for (TComEvent event : kDispatchOrder) {
        if (!m_connected)
            return;
        if (flags & (std::uint32_t(1) << int(event)))
            RunGuarded([&] { DispatchEvent(event); });
    }
    if (m_connected && (flags & TComThread::DeviceLost))
        RunGuarded([this] { DeviceLost(); });
}

void TCustomComPort::DispatchEvent(TComEvent event)
{
    auto notifyLinks = [this](TComLink::TNotifyCallback TComLink::*slot) {
        ForEachLink([&](TComLink &link) {
            if (link.*slot)
                (link.*slot)(this);
        });
    };
    auto raise = [this](const TComNotifyEvent &handler) {
        if (handler)
            handler(this);
    };
    switch (event) {
    case TComEvent::evError:
        if (const TComErrors errors = LineErrors(); !errors.Empty() && OnError)
            OnError(this, errors);
        break;
    case TComEvent::evRxChar:
        ReceivePath();
        break;
    case TComEvent::evTxEmpty:
        ForEachLink([this](TComLink &link) {
            if (link.TxActive)
                link.TxActive(this, false);
        });
        notifyLinks(&TComLink::TxEmptied);
        raise(OnTxEmpty);
        break;
    case TComEvent::evBreak:
        raise(OnBreak);
        break;
    case TComEvent::evRing:
        notifyLinks(&TComLink::RingSeen);
        raise(OnRing);
        break;
    case TComEvent::evCTS:
        SignalChanged(TComSignal::csCTS);
        break;
    case TComEvent::evDSR:
        SignalChanged(TComSignal::csDSR);
        break;
    case TComEvent::evRxFlag:
        notifyLinks(&TComLink::RxFlagSeen);
        raise(OnRxFlag);
        break;
    case TComEvent::evRLSD:
        SignalChanged(TComSignal::csRLSD);
        break;
    case TComEvent::evRx80Full:
        raise(OnRx80Full);
        break;
    }
}

void TCustomComPort::SignalChanged(TComSignal signal)
{
    const bool state = ModemSignals().Contains(signal);
    TComLink::TStateCallback TComLink::*slot = &TComLink::CtsChanged;
    TComSignalEvent *handler = &OnCTSChange;
    if (signal == TComSignal::csDSR) {
        slot = &TComLink::DsrChanged;
        handler = &OnDSRChange;
    } else if (signal == TComSignal::csRLSD) {
        slot = &TComLink::RlsdChanged;
        handler = &OnRLSDChange;
    }
    ForEachLink([&](TComLink &link) {
        if (link.*slot)
            (link.*slot)(this, state);
    });
    if (*handler)
        (*handler)(this, state);
}

// Everything queued now is read as one block and handed, unchanged, to every link with an
// RxBlock callback in attachment order; OnRxChar only reports a count nobody read.
void TCustomComPort::ReceivePath()
{
    int count = QueuedInput();
    if (count <= 0)
        return;
    ForEachLink([this](TComLink &link) {
        if (link.RxActive)
            link.RxActive(this, true);
    });
    if (!TriggersOnRxChar()) {
        std::string block;
        bool read = false;
        auto readBlock = [&] {
            block.resize(std::size_t(count));
            block.resize(std::size_t(Read(block.data(), count)));
            read = true;
            if (OnRxBuf)
                OnRxBuf(this, block, int(block.size()));
        };
        ForEachLink([&](TComLink &link) {
            if (!link.RxBlock)
                return;
            if (!read)
                readBlock();
            link.RxBlock(this, block, int(block.size()));
        });
        if (!read && !m_triggersOnRxChar)
            readBlock();
        if (read)
            count = 0;
    }
    if (count > 0 && OnRxChar)
        OnRxChar(this, count);
}

// The device hung up or failed: report it once and close as usual, also when OnError raised.
void TCustomComPort::DeviceLost()
{
    m_deviceLost = true;
    try {
        if (OnError)
            OnError(this, TComErrors {TComError::ceIO});
    } catch (...) {
        Close();
        throw;
    }
    Close();
}
