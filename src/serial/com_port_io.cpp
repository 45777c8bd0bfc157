// Reads, writes and device queries of TCustomComPort.
#include "serial/com_port.h"

#include "serial/com_thread.h"
#include "serial/input_queue.h"
#include "serial/pending_events.h"

#include <cerrno>
#include <cstdint>
#include <limits>

namespace {

// Total write time-out in ms for n bytes; -1 for none.
int WriteTimeout(const TComTimeouts &t, int n)
{
    if (t.WriteTotalMultiplier() == 0 && t.WriteTotalConstant() == 0)
        return -1;
    const std::int64_t total
            = std::int64_t(t.WriteTotalConstant()) + std::int64_t(t.WriteTotalMultiplier()) * n;
    return int(std::clamp<std::int64_t>(total, 0, std::numeric_limits<int>::max()));
}

} // namespace

void TCustomComPort::RequireOpen() const
{
    if (!m_connected || !m_device)
        throw EComPort(TComExceptions::CEPortNotOpen);
}

void TCustomComPort::PurgeBuffers(bool input, bool output)
{
    if (!m_connected || !m_device)
        throw EComPort(TComExceptions::CE_PurgeFailed, EBADF);
    if (m_deviceLost)
        return;
    if (const int error = m_device->Purge(input, output))
        throw EComPort(TComExceptions::CE_PurgeFailed, error);
    if (input) {
        // The device first, then the queue: whatever the event thread read before the device
        // was flushed belongs to the old generation and is dropped, as are its notifications.
        bool wake = false;
        m_input->Clear(wake);
        if (wake && m_thread)
            m_thread->Wake();
        ForEachLink([this](TComLink &link) {
            if (link.RxPurged)
                link.RxPurged(this);
        });
    }
}

int TCustomComPort::SendString(const std::string &str)
{
    if (str.empty())
        return 0;
    return StartWrite(str.data(), int(str.size()));
}

int TCustomComPort::Write(const char *buffer, int count)
{
    if (count <= 0)
        return 0;
    return StartWrite(buffer, count);
}

// The write completes before this returns; the time-out rule of Timeouts bounds it.
int TCustomComPort::StartWrite(const char *buffer, int count)
{
    RequireOpen();
    const std::string bytes(buffer, std::size_t(count));
    std::size_t written = 0;
    if (const int error
        = m_device->Write(bytes.data(), bytes.size(), WriteTimeout(m_timeouts, count), written))
        throw EComPort(TComExceptions::CE_WriteFailed, error);
    ForEachLink([this](TComLink &link) {
        if (link.TxActive)
            link.TxActive(this, true);
    });
    ForEachLink([&](TComLink &link) {
        if (link.TxBlock)
            link.TxBlock(this, bytes, count);
    });
    if (m_thread && m_events.Contains(TComEvent::evTxEmpty))
        Notify(EventFlag(TComEvent::evTxEmpty), m_input->Generation());
    return int(written);
}

int TCustomComPort::Read(char *buffer, int count)
{
    RequireOpen();
    const int n = ReadQueued(buffer, count);
    if (QueuedInput() == 0) {
        ForEachLink([this](TComLink &link) {
            if (link.RxActive)
                link.RxActive(this, false);
        });
    }
    return n;
}

int TCustomComPort::ReadStr(std::string &str, int count)
{
    str.resize(std::size_t(std::max(count, 0)));
    const int n = Read(str.data(), count);
    str.resize(std::size_t(n));
    return n;
}

int TCustomComPort::ReadQueued(char *buffer, int count)
{
    if (count <= 0)
        return 0;
    bool wake = false;
    const std::size_t n = m_input->Pop(buffer, std::size_t(count), wake);
    if (wake && m_thread)
        m_thread->Wake();
    return int(n);
}

int TCustomComPort::QueuedInput()
{
    if (!m_connected || !m_device)
        throw EComPort(TComExceptions::CE_ClearComFailed, EBADF);
    if (!m_thread && !m_deviceLost) {
        // Without an event thread nobody fills the queue in the background.
        char chunk[4096];
        for (std::size_t room; (room = std::min(m_input->Free(), sizeof chunk)) > 0;) {
            const long n = m_device->Read(chunk, room);
            if (n <= 0)
                break;
            std::size_t fill = 0;
            m_input->Push(chunk, std::size_t(n), m_input->Generation(), fill);
        }
    }
    return int(m_input->Count());
}

TComSignals TCustomComPort::ModemSignals()
{
    if (!m_connected || !m_device)
        throw EComPort(TComExceptions::CE_ModemStatFailed, EBADF);
    unsigned lines = 0;
    if (!m_deviceLost) {
        if (const int error = m_device->ModemLines(lines))
            throw EComPort(TComExceptions::CE_ModemStatFailed, error);
    }
    TComSignals result;
    if (lines & kModemCts)
        result.Include(TComSignal::csCTS);
    if (lines & kModemDsr)
        result.Include(TComSignal::csDSR);
    if (lines & kModemRing)
        result.Include(TComSignal::csRing);
    if (lines & kModemRlsd)
        result.Include(TComSignal::csRLSD);
    return result;
}

TComErrors TCustomComPort::LineErrors()
{
    if (!m_connected || !m_device)
        throw EComPort(TComExceptions::CE_ClearComFailed, EBADF);
    TComErrors errors;
    if (m_deviceLost)
        return errors.Include(TComError::ceIO);
    SerialErrorCounts now;
    if (const int error = m_device->ErrorCounts(now))
        throw EComPort(TComExceptions::CE_ClearComFailed, error);
    if (now.frame != m_errorCounts.frame)
        errors.Include(TComError::ceFrame);
    if (now.parity != m_errorCounts.parity && m_parity.Check())
        errors.Include(TComError::ceRxParity);
    if (now.overrun != m_errorCounts.overrun)
        errors.Include(TComError::ceOverrun);
    if (now.brk != m_errorCounts.brk)
        errors.Include(TComError::ceBreak);
    if (now.bufferOverrun != m_errorCounts.bufferOverrun)
        errors.Include(TComError::ceRxOver);
    m_errorCounts = now;
    return errors;
}
