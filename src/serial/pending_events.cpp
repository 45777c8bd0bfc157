#include "serial/pending_events.h"

namespace {

std::uint64_t Merge(std::uint64_t pending, std::uint32_t flags, std::uint32_t generation)
{
    const auto pendingFlags = std::uint32_t(pending);
    const auto pendingGeneration = std::uint32_t(pending >> 32);
    std::uint32_t merged = pendingFlags | flags;
    std::uint32_t mergedGeneration = generation;
    if (pendingFlags != 0 && pendingGeneration != generation) {
        // Generations only grow (modulo 2^32): the newer one's receive events win.
        if (std::int32_t(generation - pendingGeneration) > 0) {
            merged = (pendingFlags & ~kReceiveFlags) | flags;
        } else {
            merged = pendingFlags | (flags & ~kReceiveFlags);
            mergedGeneration = pendingGeneration;
        }
    }
    return (std::uint64_t(mergedGeneration) << 32) | merged;
}

} // namespace

bool PendingEvents::Add(std::uint32_t flags, std::uint64_t generation)
{
    std::uint64_t pending = m_word.load();
    while (!m_word.compare_exchange_weak(pending,
                                         Merge(pending, flags, std::uint32_t(generation)))) { }
    return std::uint32_t(pending) == 0;
}

std::uint32_t PendingEvents::Take(std::uint64_t currentGeneration)
{
    const std::uint64_t pending = m_word.exchange(0);
    std::uint32_t flags = std::uint32_t(pending);
    if (std::uint32_t(pending >> 32) != std::uint32_t(currentGeneration))
        flags &= ~kReceiveFlags;
    return flags;
}
