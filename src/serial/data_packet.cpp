#include "serial/data_packet.h"

#include "serial/com_port.h"

#include <algorithm>
#include <exception>
#include <string_view>

namespace {

constexpr auto npos = std::string_view::npos;

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// 0-based position of the first needle in hay at or after from; npos when not found or the
// needle is empty. With caseInsensitive, only a-z and A-Z compare equal across case.
std::size_t FindText(std::string_view needle, std::string_view hay, std::size_t from,
                     bool caseInsensitive)
{
    if (needle.empty() || from > hay.size())
        return npos;
    if (!caseInsensitive)
        return needle.size() == 1 ? hay.find(needle.front(), from) : hay.find(needle, from);
    for (std::size_t i = from; i + needle.size() <= hay.size(); ++i) {
        if (std::equal(needle.begin(), needle.end(), hay.begin() + std::ptrdiff_t(i),
                       [](char a, char b) { return UpperAscii(a) == UpperAscii(b); }))
            return i;
    }
    return npos;
}

} // namespace

TComDataPacket::TComDataPacket()
{
    m_link.RxBlock = [this](TCustomComPort *port, const std::string &block, int count) {
        AppendReceived(port, block.data(), count);
    };
    // A purge of the port's input voids the partial packet received before it.
    m_link.RxPurged = [this](TCustomComPort *) { FlushBuffer(); };
}

TComDataPacket::~TComDataPacket()
{
    try {
        SetComPort(nullptr);
    } catch (const EComPort &) {
        // The link was detached behind the framer's back; nothing is left to undo.
    }
}

void TComDataPacket::SetComPort(TCustomComPort *port)
{
    if (port == m_comPort)
        return;
    MoveLink(m_comPort, port, this, m_link, [this] { SetComPort(nullptr); });
    m_comPort = port;
}

void TComDataPacket::SetStartString(const std::string &value)
{
    if (value == m_startString)
        return;
    m_startString = value;
    Flushing();
}

void TComDataPacket::SetStopString(const std::string &value)
{
    if (value == m_stopString)
        return;
    m_stopString = value;
    Flushing();
}

void TComDataPacket::SetSize(int value)
{
    if (value == m_size)
        return;
    m_size = value;
    Flushing();
}

void TComDataPacket::SetCaseInsensitive(bool value)
{
    if (value == m_caseInsensitive)
        return;
    m_caseInsensitive = value;
    Flushing();
}

void TComDataPacket::Flushing()
{
    if (!m_loading)
        FlushBuffer();
}

void TComDataPacket::FlushBuffer()
{
    if (PendingLength() == 0)
        return;
    const std::string text = m_pending.substr(m_head);
    auto clear = [this] {
        m_pending.clear();
        m_head = 0;
        m_insidePacket = false;
    };
    try {
        if (OnDiscard)
            OnDiscard(this, text);
    } catch (...) {
        clear();
        throw;
    }
    clear();
}

void TComDataPacket::AppendReceived(TCustomComPort *sender, const std::string &block)
{
    AppendReceived(sender, block.data(), int(block.size()));
}

void TComDataPacket::AppendReceived(TCustomComPort *, const char *buffer, int count)
{
    if (count < 0)
        count = 0;
    if (!HasStopCondition()) {
        if (OnPacket)
            OnPacket(this, std::string(buffer, std::size_t(count)));
        return;
    }
    Compact();
    m_pending.append(buffer, std::size_t(count));
    ++m_delivering;
    std::exception_ptr error;
    try {
        ScanBuffer();
    } catch (...) {
        error = std::current_exception();
    }
    --m_delivering;
    try {
        if (OnBlockDelivered)
            OnBlockDelivered(this);
    } catch (...) {
        if (!error)
            error = std::current_exception();
    }
    if (error)
        std::rethrow_exception(error);
}

bool TComDataPacket::HasStopCondition() const
{
    return m_size > 0 || !m_stopString.empty() || bool(OnCustomStop);
}

void TComDataPacket::Compact()
{
    if (m_head == 0)
        return;
    m_pending.erase(0, m_head);
    m_head = 0;
}

// Delivers every complete packet in order, then checks the size limit on what remains; the
// check also runs when a handler raised.
void TComDataPacket::ScanBuffer()
{
    std::exception_ptr error;
    try {
        while (ScanOnePacket()) { }
    } catch (...) {
        error = std::current_exception();
    }
    CheckOverflow();
    if (error)
        std::rethrow_exception(error);
}

bool TComDataPacket::ScanOnePacket()
{
    if (!m_insidePacket)
        SeekStart();
    if (!m_insidePacket)
        return false;
    return SeekStop();
}

void TComDataPacket::SeekStart()
{
    int pos = -1;
    if (OnCustomStart)
        OnCustomStart(this, m_pending.substr(m_head), pos);
    if (pos > 0) {
        OpenAt(std::size_t(pos));
    } else if (pos == -1) {
        if (m_startString.empty()) {
            m_insidePacket = true;
            return;
        }
        const std::string_view pending = std::string_view(m_pending).substr(m_head);
        const std::size_t found = FindText(m_startString, pending, 0, m_caseInsensitive);
        if (found != npos)
            OpenAt(found + 1);
    }
}

// position is 1-based; the text before it is discarded.
void TComDataPacket::OpenAt(std::size_t position)
{
    m_insidePacket = true;
    const std::size_t cut = std::min(position - 1, PendingLength());
    if (cut == 0)
        return;
    std::string discarded = m_pending.substr(m_head, cut);
    m_head += cut;
    if (OnDiscard)
        OnDiscard(this, discarded);
}

// Returns true when a packet was closed and more may follow.
bool TComDataPacket::SeekStop()
{
    int pos = -1;
    if (OnCustomStop)
        OnCustomStop(this, m_pending.substr(m_head), pos);
    std::size_t end = npos;
    if (pos > 0) {
        end = std::min(std::size_t(pos), PendingLength());
    } else if (pos == -1) {
        if (m_size > 0 && PendingLength() >= std::size_t(m_size)) {
            end = std::size_t(m_size);
        } else {
            const std::string_view pending = std::string_view(m_pending).substr(m_head);
            const std::size_t from = m_startString.size();
            const std::size_t found = FindText(m_stopString, pending, from, m_caseInsensitive);
            if (found != npos)
                end = found + m_stopString.size();
        }
    }
    if (end == npos)
        return false;
    m_insidePacket = false;
    TakePacket(end);
    // A callback that closes an empty packet on an empty buffer would otherwise loop forever.
    return end > 0;
}

void TComDataPacket::TakePacket(std::size_t length)
{
    std::string_view cut = std::string_view(m_pending).substr(m_head, length);
    if (!m_includeStrings)
        cut = TrimMarkers(cut);
    std::string packet(cut);
    m_head += length;
    if (OnPacket)
        OnPacket(this, packet);
}

std::string_view TComDataPacket::TrimMarkers(std::string_view packet) const
{
    if (FindText(m_startString, packet, 0, m_caseInsensitive) == 0)
        packet.remove_prefix(m_startString.size());
    const std::size_t stop = m_stopString.size();
    if (stop > 0 && packet.size() >= stop
        && FindText(m_stopString, packet, 0, m_caseInsensitive) == packet.size() - stop)
        packet.remove_suffix(stop);
    return packet;
}

void TComDataPacket::CheckOverflow()
{
    if (m_maxBufferSize >= 1 && PendingLength() >= std::size_t(m_maxBufferSize))
        FlushBuffer();
}
