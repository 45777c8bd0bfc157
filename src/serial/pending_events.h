#pragma once

#include "serial/com_types.h"

#include <atomic>
#include <cstdint>

// The bit of a device event in the event thread's notifications (bit n = ordinal n).
constexpr std::uint32_t EventFlag(TComEvent event)
{
    return std::uint32_t(1) << int(event);
}

// The events that stand for received bytes: a purge of the input voids them with the bytes.
constexpr std::uint32_t kReceiveFlags = EventFlag(TComEvent::evRxChar)
        | EventFlag(TComEvent::evRxFlag) | EventFlag(TComEvent::evRx80Full);

// The device events that wait for the user-interface thread, as one word the event thread adds
// to and the user-interface thread takes. Receive events carry the input queue's generation
// they belong to (see InputQueue): the purge rule lives here. Receive events of an older
// generation than the one they meet, or than the queue's when taken, went with a purge and are
// dropped; every other event is kept. Thread-safe.
class PendingEvents
{
public:
    // Joins flags of a generation to the word; true when the word was empty, so that the
    // caller hands a dispatch over (later additions join that one).
    bool Add(std::uint32_t flags, std::uint64_t generation);
    // Empties the word; returns its flags without the receive events of a generation other
    // than the queue's current one.
    std::uint32_t Take(std::uint64_t currentGeneration);
    void Clear() { m_word.store(0); }

private:
    std::atomic<std::uint64_t> m_word {0}; // generation (low 32 bits) << 32 | flags
};
