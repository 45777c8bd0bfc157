#include "serial/input_queue.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The event thread takes the generation, reads the device, then pushes: a purge in between
// must drop what it read, since the device held those bytes before the purge.
TEST(InputQueue, BytesReadBeforeAPurgeAreDroppedAfterIt)
{
    InputQueue queue(16);
    std::size_t fill = 0;
    const std::uint64_t before = queue.Generation();
    EXPECT_EQ(queue.Push("ab", 2, before, fill), 2u);
    bool wake = false;
    queue.Clear(wake);
    EXPECT_EQ(queue.Push("cd", 2, before, fill), 0u);
    EXPECT_EQ(fill, 0u);
    EXPECT_EQ(queue.Push("ef", 2, queue.Generation(), fill), 2u);
    char out[8] = {};
    EXPECT_EQ(queue.Pop(out, sizeof out, wake), 2u);
    EXPECT_EQ(std::string(out, 2), "ef");
}

} // namespace
