#include "app/run/packet_format.h"

#include "app/run/run_settings.h"
#include "app/run/text_line_format.h"

std::unique_ptr<PacketFormat> MakePacketFormat(const RunSettings &settings, TComDataPacket &framer,
                                               SampleReceiver &receiver)
{
    switch (settings.Format) {
    case RunSettings::PacketFormatKind::TextLines:
        break;
    }
    return std::make_unique<TextLineFormat>(framer, settings.Decode, receiver);
}
