// The packet framer over any configuration and any split of the stream into received blocks.
#include "fuzz_input.h"
#include "fuzz_support.h"

#include "serial/data_packet.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    TComDataPacket framer;
    const std::string start = input.TakeText(4);
    const std::string stop = input.TakeText(4);
    framer.SetStartString(start);
    framer.SetStopString(stop);
    framer.SetSize(input.TakeInt(-2, 40));
    framer.SetCaseInsensitive(input.TakeBool());
    framer.SetIncludeStrings(input.TakeBool());
    const int maxBuffer = input.TakeInt(-1, 64);
    framer.SetMaxBufferSize(maxBuffer);
    const bool custom = input.TakeBool();
    const int customAt = input.TakeInt(-3, 12);

    std::size_t delivered = 0;
    framer.OnPacket
            = [&](TComDataPacket *, const std::string &packet) { delivered += packet.size(); };
    framer.OnDiscard = [&](TComDataPacket *, const std::string &text) { delivered += text.size(); };
    if (custom) {
        // Callbacks that move the position anywhere, inside the text or not.
        framer.OnCustomStart
                = [&](TComDataPacket *, const std::string &, int &pos) { pos = customAt; };
        framer.OnCustomStop
                = [&](TComDataPacket *, const std::string &, int &pos) { pos = customAt - 1; };
    }

    std::size_t fed = 0;
    while (input.Remaining() > 0) {
        const std::string block = input.TakeText(32);
        fed += block.size();
        framer.AppendReceived(nullptr, block);
        if (input.Take<std::uint8_t>() == 0xFF)
            framer.FlushBuffer();
    }
    framer.FlushBuffer();
    // Packets and discards are cut from the stream: together they can never hold more
    // bytes than were received, markers included.
    if (delivered > fed)
        std::abort();
    return 0;
}
