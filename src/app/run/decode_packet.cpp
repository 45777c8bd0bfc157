#include "app/run/decode_packet.h"

#include "app/run/number_reader.h"

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

float Field(std::string_view text, const DecodeSettings &settings, int channel)
{
    return Scaled(ParseNumber(text), settings.Scale(channel), settings.Offset(channel));
}

} // namespace

void DecodeSettings::SetScale(int channel, float value)
{
    (channel == 1 ? Scale1 : channel == 2 ? Scale2 : ScaleMore[size_t(channel - 3)]) = value;
}

void DecodeSettings::SetOffset(int channel, float value)
{
    (channel == 1 ? Offset1 : channel == 2 ? Offset2 : OffsetMore[size_t(channel - 3)]) = value;
}

Sample DecodePacket(std::string_view packet, const DecodeSettings &settings)
{
    if (packet == "clr" || packet == "CLR")
        return {SampleKind::ClearCommand};
    Sample sample;
    const int count = ChannelsRead(settings.ChannelCount);
    if (count == 1) {
        sample.Count = 1;
        sample.Values[0] = Field(packet, settings, 1);
        return sample;
    }
    sample.Count = count;
    if (count == 2) {
        // A lone number belongs to channel 2.
        const size_t k = packet.find(settings.Separator);
        if (k == std::string_view::npos) {
            sample.Values[0] = Field({}, settings, 1);
            sample.Values[1] = Field(packet, settings, 2);
        } else {
            sample.Values[0] = Field(packet.substr(0, k), settings, 1);
            sample.Values[1] = Field(packet.substr(k + 1), settings, 2);
        }
        return sample;
    }
    std::string_view rest = packet;
    bool more = true; // a field is left, possibly empty
    for (int channel = 1; channel <= count; ++channel) {
        std::string_view field;
        if (more) {
            const size_t k
                    = channel < count ? rest.find(settings.Separator) : std::string_view::npos;
            field = rest.substr(0, k);
            if (k == std::string_view::npos)
                more = false;
            else
                rest.remove_prefix(k + 1);
        }
        sample.Values[size_t(channel - 1)] = Field(field, settings, channel);
    }
    return sample;
}
