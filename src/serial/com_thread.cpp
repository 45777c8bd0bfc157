#include "serial/com_thread.h"

#include "platform/serial_device.h"
#include "serial/input_queue.h"
#include "serial/pending_events.h"

#include <sys/eventfd.h>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

// Without a modem-line event the wait has no time limit; with one the lines are sampled.
constexpr int kModemLinePollMs = 50;

// A trickle of data is gathered for kGatherMs in the device's own buffer before the next read,
// so that a device writing every millisecond wakes this thread and the user-interface thread
// about 200 times a second instead of 1000. A trickle is a rate at which a gathering brings
// less than kTrickleBytes, judged from a round and the one shortly before it: the first round
// after a pause may open a fast stream, and fast data gathered would reach the input queue in
// bursts that bring its 80 % mark closer.
constexpr std::size_t kTrickleBytes = 2048;
constexpr int kGatherMs = 5;
constexpr auto kRecentRound = std::chrono::milliseconds(50);

} // namespace

TComThread::TComThread(SerialDevice &device, std::shared_ptr<InputQueue> queue, TComEvents events,
                       Notify notify)
    : m_device(device)
    , m_queue(std::move(queue))
    , m_events(events)
    , m_notify(std::move(notify))
    , m_wakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
    , m_errorCounts(std::make_unique<SerialErrorCounts>())
    , m_chunk(std::size_t(64) * 1024)
{
    m_device.ErrorCounts(*m_errorCounts);
    m_device.ModemLines(m_lines);
    m_thread = std::thread([this] { Run(); });
}

TComThread::~TComThread()
{
    Stop();
    ::close(m_wakeFd);
}

void TComThread::Stop()
{
    if (!m_thread.joinable())
        return;
    m_stop.store(true);
    Wake();
    m_thread.join();
}

void TComThread::Wake()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_wakeFd, &one, sizeof one);
}

void TComThread::Run()
{
    const bool sampleLines = Wants(TComEvent::evCTS) || Wants(TComEvent::evDSR)
            || Wants(TComEvent::evRLSD) || Wants(TComEvent::evRing);
    bool lost = false;
    while (!m_stop.load() && !lost) {
        const bool full = m_queue->WaitForRoomIfFull();
        // A full queue leaves the device out of the wait: a hung-up device would otherwise
        // report itself ready again and again.
        pollfd fds[2] = {{m_wakeFd, POLLIN, 0}, {full ? -1 : m_device.Descriptor(), POLLIN, 0}};
        if (::poll(fds, 2, sampleLines ? kModemLinePollMs : -1) < 0 && errno != EINTR)
            break;
        if (fds[0].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] const auto n = ::read(m_wakeFd, &count, sizeof count);
        }
        if (m_stop.load())
            break;
        std::uint32_t flags = 0;
        std::uint64_t generation = m_queue->Generation();
        std::size_t moved = 0;
        if (fds[1].revents != 0)
            lost = !MoveInput(flags, generation, moved);
        if (!lost) {
            CheckErrors(flags);
            if (sampleLines)
                CheckModemLines(flags);
        }
        flags &= m_events.Bits();
        if (lost)
            flags |= DeviceLost;
        if (flags != 0)
            m_notify(flags, generation);
        if (!lost && moved > 0 && Trickles(moved))
            Gather();
    }
    if (!lost) {
        m_device.Purge(true, true);
        bool unused = false;
        m_queue->Clear(unused);
    }
    m_finished.store(true);
}

// Whether the bytes of this round, arrived since the last round, make a trickle.
bool TComThread::Trickles(std::size_t moved)
{
    const auto now = std::chrono::steady_clock::now();
    const auto since = now - m_lastRound;
    m_lastRound = now;
    if (since > kRecentRound)
        return false;
    const auto sinceUs = std::chrono::duration_cast<std::chrono::microseconds>(since).count();
    return double(moved) * kGatherMs * 1000.0 < double(kTrickleBytes) * double(sinceUs);
}

// Waits kGatherMs for the wake-up descriptor only; Stop and Wake end the wait early.
void TComThread::Gather()
{
    pollfd wake {m_wakeFd, POLLIN, 0};
    if (::poll(&wake, 1, kGatherMs) > 0 && (wake.revents & POLLIN)) {
        std::uint64_t count = 0;
        [[maybe_unused]] const auto n = ::read(m_wakeFd, &count, sizeof count);
    }
}

// Reads until the device has nothing more or the queue is full; false when the device is gone.
// generation ends as the one the receive flags belong to: a purge meanwhile voids the earlier.
// moved counts the bytes taken into the queue.
bool TComThread::MoveInput(std::uint32_t &flags, std::uint64_t &generation, std::size_t &moved)
{
    for (;;) {
        const std::size_t room = std::min(m_queue->Free(), m_chunk.size());
        if (room == 0)
            break;
        // Taken before the read: a purge between read and push drops what was read.
        const std::uint64_t readGeneration = m_queue->Generation();
        const long n = m_device.Read(m_chunk.data(), room);
        if (n == 0)
            break;
        if (n < 0)
            return false;
        std::size_t size = std::size_t(n);
        if (m_discardNull.load())
            size = std::size_t(std::remove(m_chunk.begin(), m_chunk.begin() + n, '\0')
                               - m_chunk.begin());
        if (size == 0)
            continue;
        std::size_t fill = 0;
        if (m_queue->Push(m_chunk.data(), size, readGeneration, fill) == 0)
            continue; // read before a purge: gone with it
        moved += size;
        if (readGeneration != generation) {
            generation = readGeneration;
            flags &= ~kReceiveFlags;
            m_warned80 = false;
        }
        if (std::memchr(m_chunk.data(), m_eventChar.load(), size))
            flags |= EventFlag(TComEvent::evRxFlag);
        flags |= EventFlag(TComEvent::evRxChar);
        const bool above80 = fill * 5 >= m_queue->Capacity() * 4;
        if (above80 && !m_warned80)
            flags |= EventFlag(TComEvent::evRx80Full);
        m_warned80 = above80;
    }
    return true;
}

void TComThread::CheckErrors(std::uint32_t &flags)
{
    if (!Wants(TComEvent::evError) && !Wants(TComEvent::evBreak))
        return;
    SerialErrorCounts now;
    if (m_device.ErrorCounts(now) != 0 || now == *m_errorCounts)
        return;
    if (now.brk != m_errorCounts->brk)
        flags |= EventFlag(TComEvent::evBreak);
    if (now.frame != m_errorCounts->frame || now.parity != m_errorCounts->parity
        || now.overrun != m_errorCounts->overrun
        || now.bufferOverrun != m_errorCounts->bufferOverrun)
        flags |= EventFlag(TComEvent::evError);
    *m_errorCounts = now;
}

void TComThread::CheckModemLines(std::uint32_t &flags)
{
    unsigned now = 0;
    if (m_device.ModemLines(now) != 0 || now == m_lines)
        return;
    const unsigned changed = now ^ m_lines;
    if (changed & kModemCts)
        flags |= EventFlag(TComEvent::evCTS);
    if (changed & kModemDsr)
        flags |= EventFlag(TComEvent::evDSR);
    if (changed & kModemRlsd)
        flags |= EventFlag(TComEvent::evRLSD);
    if (changed & now & kModemRing)
        flags |= EventFlag(TComEvent::evRing);
    m_lines = now;
}
