#pragma once

#include "serial/com_types.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class InputQueue;
class SerialDevice;
struct SerialErrorCounts;

// The event thread of an open port. It waits with poll() on the device and on its wake-up
// descriptor, moves everything the device holds into the input queue (reading until the device
// has nothing more), and reports what happened through notify as a mask of TComEvent bits
// (bit n = ordinal n) restricted to the port's Events, plus DeviceLost, together with the input
// queue's generation the receive events belong to (see InputQueue). It touches only the
// device's reads, error counters and modem lines, the queue and its own descriptor; it never
// waits for the user-interface thread.
//
// A device that hangs up or fails (adapter pulled, far side of a pseudo-terminal closed) is
// reported once with DeviceLost and the thread then ends: it does not wait on the device again.
class TComThread
{
public:
    static constexpr std::uint32_t DeviceLost = 1u << 31;
    using Notify = std::function<void(std::uint32_t flags, std::uint64_t generation)>;

    TComThread(SerialDevice &device, std::shared_ptr<InputQueue> queue, TComEvents events,
               Notify notify);
    ~TComThread();
    TComThread(const TComThread &) = delete;
    TComThread &operator=(const TComThread &) = delete;

    // Sets the stop flag, wakes the wait and joins. On a normal stop the device's queues and
    // the input queue are discarded.
    void Stop();
    // Wakes the thread after the queue made room while it waited for some.
    void Wake();
    bool Finished() const { return m_finished.load(); }

    void SetEventChar(char value) { m_eventChar.store(value); }
    void SetDiscardNull(bool value) { m_discardNull.store(value); }

private:
    void Run();
    bool Trickles(std::size_t moved);
    void Gather();
    bool MoveInput(std::uint32_t &flags, std::uint64_t &generation, std::size_t &moved);
    void CheckErrors(std::uint32_t &flags);
    void CheckModemLines(std::uint32_t &flags);
    bool Wants(TComEvent event) const { return m_events.Contains(event); }

    SerialDevice &m_device;
    std::shared_ptr<InputQueue> m_queue;
    TComEvents m_events;
    Notify m_notify;
    int m_wakeFd = -1;
    std::atomic<bool> m_stop {false};
    std::atomic<bool> m_finished {false};
    std::atomic<char> m_eventChar {0};
    std::atomic<bool> m_discardNull {false};
    bool m_warned80 = false;
    std::chrono::steady_clock::time_point m_lastRound;
    unsigned m_lines = 0;
    std::unique_ptr<SerialErrorCounts> m_errorCounts;
    std::vector<char> m_chunk;
    std::thread m_thread;
};
