#pragma once

#include "serial/com_link.h"

#include <functional>
#include <string>
#include <string_view>

class TCustomComPort;
class TComDataPacket;

using TComStrEvent = std::function<void(TComDataPacket *sender, const std::string &str)>;
using TCustPacketEvent
        = std::function<void(TComDataPacket *sender, const std::string &str, int &pos)>;

// Cuts the byte stream of a port into packets between a start text and a stop text, by a fixed
// Size, or where the custom callbacks say, and raises OnPacket for each; bytes that cannot
// belong to a packet go to OnDiscard. Text not yet delivered stays pending between received
// blocks, bounded by MaxBufferSize. Does not own the port; forgets it when the port is
// destroyed. User-interface thread only; all events are raised inside AppendReceived or the
// flushing calls. Positions handed to the custom callbacks are 1-based.
class TComDataPacket
{
public:
    TComDataPacket();
    ~TComDataPacket();
    TComDataPacket(const TComDataPacket &) = delete;
    TComDataPacket &operator=(const TComDataPacket &) = delete;

    TCustomComPort *ComPort() const { return m_comPort; }
    void SetComPort(TCustomComPort *port);

    // The four setters below discard the pending text (FlushBuffer) when the value changes.
    const std::string &StartString() const { return m_startString; }
    void SetStartString(const std::string &value);
    const std::string &StopString() const { return m_stopString; }
    void SetStopString(const std::string &value);
    int Size() const { return m_size; }
    void SetSize(int value);
    bool CaseInsensitive() const { return m_caseInsensitive; }
    void SetCaseInsensitive(bool value);

    bool IncludeStrings() const { return m_includeStrings; }
    void SetIncludeStrings(bool value) { m_includeStrings = value; }
    // Below 1: no limit.
    int MaxBufferSize() const { return m_maxBufferSize; }
    void SetMaxBufferSize(int value) { m_maxBufferSize = value; }

    void ResetBuffer() { FlushBuffer(); }
    void FlushBuffer();

    // The link's received-block callback.
    void AppendReceived(TCustomComPort *sender, const char *buffer, int count);
    void AppendReceived(TCustomComPort *sender, const std::string &block);

    // While loading from a stored form the flushing setters only store.
    void BeginLoad() { m_loading = true; }
    void Loaded() { m_loading = false; }

    // True while AppendReceived delivers the packets of a block (also when nested).
    bool Delivering() const { return m_delivering > 0; }

    TComStrEvent OnPacket;
    TComStrEvent OnDiscard;
    // Raised when AppendReceived has delivered the packets of a block, also when a handler
    // raised: a sink can leave work that the packets of one block share until then.
    std::function<void(TComDataPacket *sender)> OnBlockDelivered;
    TCustPacketEvent OnCustomStart;
    TCustPacketEvent OnCustomStop;

private:
    bool HasStopCondition() const;
    void ScanBuffer();
    bool ScanOnePacket();
    void SeekStart();
    bool SeekStop();
    void OpenAt(std::size_t position);
    void TakePacket(std::size_t length);
    std::string_view TrimMarkers(std::string_view packet) const;
    void CheckOverflow();
    void Compact();
    std::size_t PendingLength() const { return m_pending.size() - m_head; }
    void Flushing();

    TCustomComPort *m_comPort = nullptr;
    TComLink m_link;
    std::string m_startString;
    std::string m_stopString;
    int m_size = 0;
    bool m_caseInsensitive = false;
    bool m_includeStrings = false;
    int m_maxBufferSize = 1024;
    bool m_loading = false;

    // The pending text is m_pending from m_head on: delivering a packet only moves m_head, and
    // the consumed front is dropped once per received block.
    std::string m_pending;
    std::size_t m_head = 0;
    bool m_insidePacket = false;
    int m_delivering = 0;
};
