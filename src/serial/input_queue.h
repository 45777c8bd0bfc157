#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

// The port's input queue: a ring of fixed capacity that the event thread fills from the device
// and the user-interface thread empties. When the ring is full the event thread stops reading
// (the device's own buffer then holds back the sender) and asks to be woken once room is made.
// Every Clear() (a purge) starts a new generation: the filler takes the generation before it
// reads the device and hands it to Push, so bytes it read before a purge are dropped instead of
// entering the queue behind it. All members are thread-safe.
class InputQueue
{
public:
    explicit InputQueue(std::size_t capacity);

    std::size_t Capacity() const;
    std::size_t Count() const;
    std::size_t Free() const;

    std::uint64_t Generation() const;
    // Appends what fits, or nothing when the queue was cleared since `generation`; returns the
    // bytes taken and stores the fill level after it.
    std::size_t Push(const char *data, std::size_t size, std::uint64_t generation,
                     std::size_t &fill);
    // Takes up to size bytes; wakeProducer tells whether the filler waits for room.
    std::size_t Pop(char *buffer, std::size_t size, bool &wakeProducer);
    void Clear(bool &wakeProducer);
    // Keeps the oldest bytes that fit the new capacity (at least 1).
    void Resize(std::size_t capacity, bool &wakeProducer);

    // Called by the filler: true (and remembered) when the ring is full.
    bool WaitForRoomIfFull();

private:
    bool TakeWaiter();

    mutable std::mutex m_mutex;
    std::vector<char> m_ring;
    std::size_t m_head = 0; // oldest byte
    std::size_t m_count = 0;
    std::uint64_t m_generation = 0;
    bool m_producerWaiting = false;
};
