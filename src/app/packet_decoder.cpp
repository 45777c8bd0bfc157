#include "app/packet_decoder.h"

#include "app/number_reader.h"
#include "app/slow_display_feed.h"
#include "chart/rchart.h"
#include "platform/user_interface.h"
#include "serial/com_port.h"
#include "serial/data_packet.h"

#include <cmath>
#include <limits>

namespace {

constexpr TColor kChannel1Color = 0xFF0000; // blue
constexpr TColor kChannel2Color = 0x0000FF; // red

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

PacketDecoder::PacketDecoder(AcquisitionState &state, TRChart &chart, TComDataPacket &framer,
                             TCustomComPort &port, Ties ties, SlowDisplayFeed *feed)
    : m_state(state)
    , m_chart(chart)
    , m_framer(framer)
    , m_port(port)
    , m_ties(std::move(ties))
    , m_feed(feed)
{ }

void PacketDecoder::ComDataPacket1Packet(TComDataPacket *, const std::string &packet)
{
    if (m_state.Stopped)
        return;
    if (packet == "clr" || packet == "CLR") {
        m_chart.ClearItems();
        m_state.SampleCount = 0;
        return;
    }
    Decode(packet);
    if (m_feed)
        m_feed->LedStep(m_state.Value1);

    const TDisplayPage page = m_ties.ActivePage();
    if (page == TDisplayPage::dpFastDisplay) {
        if (LimitExceeded())
            return;
        if (m_state.TrendMode)
            AppendTrend();
        else
            AppendNormal();
        m_state.Prev1 = m_state.Value1;
        m_state.Prev2 = m_state.Value2;
        ++m_state.SampleCount;
    }
    if (page == TDisplayPage::dpSlowDisplay && m_feed)
        m_feed->SlowDisplayStep(m_state.Value1, m_state.Value2);
}

void PacketDecoder::Decode(const std::string &packet)
{
    if (m_state.ChannelCount != 2) {
        m_state.Value1 = Scaled(ParseNumber(packet), m_state.Scale1, m_state.Offset1);
        return;
    }
    const std::string_view text(packet);
    const size_t k = text.find(m_state.Separator);
    const std::string_view field1
            = k == std::string_view::npos ? std::string_view() : text.substr(0, k);
    const std::string_view field2 = k == std::string_view::npos ? text : text.substr(k + 1);
    m_state.Value1 = Scaled(ParseNumber(field1), m_state.Scale1, m_state.Offset1);
    m_state.Value2 = Scaled(ParseNumber(field2), m_state.Scale2, m_state.Offset2);
}

bool PacketDecoder::LimitExceeded()
{
    const std::int64_t count = m_state.SampleCount;
    if (count <= static_cast<std::int64_t>(m_state.ChannelLimit)
        && count <= static_cast<std::int64_t>(m_state.MaxSamples))
        return false;
    m_state.LimitCount = static_cast<std::int32_t>(count);
    if (m_state.TrendMode)
        return false;

    // Stop first, then tell: the packets that arrive while the message shows are ignored.
    m_framer.SetComPort(nullptr);
    m_port.SetConnected(false);
    m_ties.DisableActivityIndicator();
    m_state.Stopped = true;
    ShowInformation(QStringLiteral("Speicher-/Sample-Maximum erreicht"), QString());
    ProcessPendingEvents();
    m_ties.RunStop();
    return true;
}

void PacketDecoder::AppendNormal()
{
    const double n = static_cast<double>(m_state.SampleCount);
    if (m_state.ChannelCount != 2) {
        // Every sample is drawn at X = its count; the first one starts the line.
        if (m_state.SampleCount == 0) {
            m_chart.SetActiveLayer(1);
            m_chart.SetDataColor(kChannel1Color);
            m_chart.AddMoveTo(0.0, m_state.Value1);
        } else {
            m_chart.AddLineTo(n, m_state.Value1);
        }
        return;
    }
    if (m_state.SampleCount == 0)
        return; // the first pair only provides the starting point
    m_chart.SetActiveLayer(1);
    m_chart.SetDataColor(kChannel1Color);
    m_chart.AddLine(n - 1, m_state.Prev1, n, m_state.Value1);
    m_chart.SetActiveLayer(2);
    m_chart.SetDataColor(kChannel2Color);
    m_chart.AddLine(n - 1, m_state.Prev2, n, m_state.Value2);
}

void PacketDecoder::AppendTrend()
{
    const double n = static_cast<double>(m_state.SampleCount);
    const bool twoChannels = m_state.ChannelCount == 2;
    if (m_state.SampleCount == 1) {
        m_state.Prev1 = m_state.Value1;
        m_state.Prev2 = m_state.Value2;
    }
    m_chart.SetActiveLayer(1);
    m_chart.SetDataColor(kChannel1Color);
    m_chart.AddLine(n - 1, m_state.Prev1, n, m_state.Value1);
    if (twoChannels) {
        m_chart.SetActiveLayer(2);
        m_chart.SetDataColor(kChannel2Color);
        m_chart.AddLine(n - 1, m_state.Prev2, n, m_state.Value2);
    }

    if (static_cast<double>(m_state.XMax) - 5.0 >= static_cast<double>(m_state.TrendShift)) {
        ++m_state.TrendShift;
        return;
    }
    m_chart.RemoveFirstItem();
    const TScaleProps &x1 = m_chart.Scale1X();
    const TScaleProps &y1 = m_chart.Scale1Y();
    m_chart.SetRange(1, x1.RangeLow() + 1, y1.RangeLow(), x1.RangeHigh() + 1, y1.RangeHigh());
    if (twoChannels) {
        m_chart.RemoveFirstItem();
        const TScaleProps &x2 = m_chart.Scale2X();
        const TScaleProps &y2 = m_chart.Scale2Y();
        m_chart.SetRange(2, x2.RangeLow() + 1, y2.RangeLow(), x2.RangeHigh() + 1, y2.RangeHigh());
    }
}
