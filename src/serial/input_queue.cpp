#include "serial/input_queue.h"

#include <algorithm>
#include <cstring>

InputQueue::InputQueue(std::size_t capacity)
    : m_ring(std::max<std::size_t>(capacity, 1))
{ }

std::size_t InputQueue::Capacity() const
{
    std::lock_guard lock(m_mutex);
    return m_ring.size();
}

std::size_t InputQueue::Count() const
{
    std::lock_guard lock(m_mutex);
    return m_count;
}

std::size_t InputQueue::Free() const
{
    std::lock_guard lock(m_mutex);
    return m_ring.size() - m_count;
}

std::uint64_t InputQueue::Generation() const
{
    std::lock_guard lock(m_mutex);
    return m_generation;
}

std::size_t InputQueue::Push(const char *data, std::size_t size, std::uint64_t generation,
                             std::size_t &fill)
{
    std::lock_guard lock(m_mutex);
    fill = m_count;
    if (generation != m_generation)
        return 0;
    const std::size_t capacity = m_ring.size();
    const std::size_t taken = std::min(size, capacity - m_count);
    std::size_t tail = (m_head + m_count) % capacity;
    const std::size_t first = std::min(taken, capacity - tail);
    std::memcpy(m_ring.data() + tail, data, first);
    std::memcpy(m_ring.data(), data + first, taken - first);
    m_count += taken;
    fill = m_count;
    return taken;
}

std::size_t InputQueue::Pop(char *buffer, std::size_t size, bool &wakeProducer)
{
    std::lock_guard lock(m_mutex);
    const std::size_t capacity = m_ring.size();
    const std::size_t taken = std::min(size, m_count);
    const std::size_t first = std::min(taken, capacity - m_head);
    std::memcpy(buffer, m_ring.data() + m_head, first);
    std::memcpy(buffer + first, m_ring.data(), taken - first);
    m_head = (m_head + taken) % capacity;
    m_count -= taken;
    wakeProducer = taken > 0 && TakeWaiter();
    return taken;
}

void InputQueue::Clear(bool &wakeProducer)
{
    std::lock_guard lock(m_mutex);
    m_head = 0;
    m_count = 0;
    ++m_generation;
    wakeProducer = TakeWaiter();
}

void InputQueue::Resize(std::size_t capacity, bool &wakeProducer)
{
    capacity = std::max<std::size_t>(capacity, 1);
    std::lock_guard lock(m_mutex);
    std::vector<char> ring(capacity);
    const std::size_t kept = std::min(m_count, capacity);
    for (std::size_t i = 0; i < kept; ++i)
        ring[i] = m_ring[(m_head + i) % m_ring.size()];
    m_ring.swap(ring);
    m_head = 0;
    m_count = kept;
    wakeProducer = m_count < capacity && TakeWaiter();
}

bool InputQueue::WaitForRoomIfFull()
{
    std::lock_guard lock(m_mutex);
    m_producerWaiting = m_count == m_ring.size();
    return m_producerWaiting;
}

bool InputQueue::TakeWaiter()
{
    const bool waiting = m_producerWaiting;
    m_producerWaiting = false;
    return waiting;
}
