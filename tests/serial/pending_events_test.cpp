#include "serial/pending_events.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr std::uint32_t kRx = EventFlag(TComEvent::evRxChar);
constexpr std::uint32_t kRx80 = EventFlag(TComEvent::evRx80Full);
constexpr std::uint32_t kCts = EventFlag(TComEvent::evCTS);

struct Addition
{
    std::uint32_t Flags;
    std::uint64_t Generation;
};

// A purge starts a new generation of the input queue: the receive events of an older one went
// with its bytes, everything else is still to be handled.
TEST(PendingEvents, APurgeVoidsTheReceiveEventsRaisedBeforeIt)
{
    const struct
    {
        const char *Name;
        Addition First;
        Addition Second; // {0, 0}: none
        std::uint64_t QueueGeneration;
        std::uint32_t Taken;
    } cases[] = {
            {.Name = "same generation",
             .First = {kRx, 3},
             .Second = {kRx80, 3},
             .QueueGeneration = 3,
             .Taken = kRx | kRx80},
            {.Name = "purged before the hand-over",
             .First = {kRx | kRx80 | kCts, 3},
             .Second = {0, 0},
             .QueueGeneration = 4,
             .Taken = kCts},
            {.Name = "newer generation joins an older one",
             .First = {kRx80 | kCts, 3},
             .Second = {kRx, 4},
             .QueueGeneration = 4,
             .Taken = kRx | kCts},
            {.Name = "older generation arrives late",
             .First = {kRx, 4},
             .Second = {kRx80 | kCts, 3},
             .QueueGeneration = 4,
             .Taken = kRx | kCts},
            {.Name = "generation counter wraps",
             .First = {kRx80, 0xFFFFFFFFu},
             .Second = {kRx, 0x100000000u},
             .QueueGeneration = 0x100000000u,
             .Taken = kRx},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        PendingEvents pending;
        EXPECT_TRUE(pending.Add(c.First.Flags, c.First.Generation)) << "first asks for a hand-over";
        if (c.Second.Flags != 0) {
            EXPECT_FALSE(pending.Add(c.Second.Flags, c.Second.Generation)) << "joins the first";
        }
        EXPECT_EQ(pending.Take(c.QueueGeneration), c.Taken);
        EXPECT_EQ(pending.Take(c.QueueGeneration), 0u) << "taken once";
        EXPECT_TRUE(pending.Add(kCts, c.QueueGeneration)) << "an empty word hands over again";
    }
}

} // namespace
