#include "app/decode_packet.h"

#include "app/number_reader.h"

#include <cmath>
#include <limits>

namespace {

// value × scale + offset in double, stored once as single precision. Magnitudes up to half a
// unit above FLT_MAX round to it; from there on they saturate to infinity explicitly, since an
// out-of-range conversion to float is undefined.
float Scaled(float value, float scale, float offset)
{
    constexpr double kFloatOverflow = 0x1.ffffffp127; // FLT_MAX + half its last unit
    constexpr float kMax = std::numeric_limits<float>::max();
    const double v = static_cast<double>(value) * scale + offset;
    if (std::fabs(v) >= kFloatOverflow)
        return v > 0 ? std::numeric_limits<float>::infinity()
                     : -std::numeric_limits<float>::infinity();
    if (std::fabs(v) > kMax)
        return v > 0 ? kMax : -kMax;
    return static_cast<float>(v);
}

} // namespace

Sample DecodePacket(std::string_view packet, const DecodeSettings &settings)
{
    if (packet == "clr" || packet == "CLR")
        return {SampleKind::ClearCommand};
    if (settings.ChannelCount != 2)
        return {SampleKind::OneValue,
                Scaled(ParseNumber(packet), settings.Scale1, settings.Offset1)};
    const size_t k = packet.find(settings.Separator);
    const std::string_view field1
            = k == std::string_view::npos ? std::string_view() : packet.substr(0, k);
    const std::string_view field2 = k == std::string_view::npos ? packet : packet.substr(k + 1);
    return {SampleKind::TwoValues, Scaled(ParseNumber(field1), settings.Scale1, settings.Offset1),
            Scaled(ParseNumber(field2), settings.Scale2, settings.Offset2)};
}
