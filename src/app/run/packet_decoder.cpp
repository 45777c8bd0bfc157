#include "app/run/packet_decoder.h"

#include "app/run/channel_colors.h"
#include "app/run/slow_display_feed.h"
#include "chart/rchart.h"
#include "serial/data_packet.h"

#include <cmath>
#include <utility>

namespace {

// A whole number far enough from 2^53 that adding a block's steps stays exact.
bool Whole(double value)
{
    return std::fabs(value) < 0x1p52 && std::trunc(value) == value;
}

} // namespace

PacketDecoder::PacketDecoder(AcquisitionState &state, TRChart &chart, TComDataPacket &framer,
                             Ties ties, SlowDisplayFeed *feed)
    : m_state(state)
    , m_chart(chart)
    , m_framer(framer)
    , m_ties(std::move(ties))
    , m_feed(feed)
{
    m_framer.OnBlockDelivered = [this](TComDataPacket *) { BlockDelivered(); };
}

PacketDecoder::~PacketDecoder()
{
    m_framer.OnBlockDelivered = nullptr;
}

void PacketDecoder::BeginRun()
{
    m_state.Stopped = false;
    m_state.SampleCount = 0;
    m_state.TrendShift = 0;
    m_state.Prev1 = m_state.Prev2 = 0.0f;
    m_state.PrevMore = {};
    m_gap = false;
    m_blockPage.reset();
}

void PacketDecoder::Halt()
{
    m_state.Stopped = true;
    m_blockPage.reset();
    ApplyScroll();
    HandOverRecorded();
}

void PacketDecoder::BlockDelivered()
{
    m_blockPage.reset();
    ApplyScroll();
    HandOverRecorded();
}

// The page cannot change while the framer delivers a block: it is asked once per block.
TDisplayPage PacketDecoder::Page()
{
    if (!m_framer.Delivering())
        return m_ties.ActivePage();
    if (!m_blockPage)
        m_blockPage = m_ties.ActivePage();
    return *m_blockPage;
}

void PacketDecoder::Clear()
{
    m_chart.ClearItems();
    m_state.SampleCount = 0;
}

void PacketDecoder::ComDataPacket1Packet(TComDataPacket *, const std::string &packet)
{
    if (m_state.Stopped)
        return;
    const Sample sample = DecodePacket(packet, m_state);
    if (sample.Kind == SampleKind::ClearCommand) {
        Clear();
        return;
    }
    m_state.TakeValues(sample);
    if (m_feed)
        m_feed->LedStep(m_state.Value1);

    const TDisplayPage page = Page();
    if (page == TDisplayPage::dpFastDisplay)
        FastDisplayStep();
    if (page == TDisplayPage::dpSlowDisplay && m_feed)
        m_feed->SlowDisplayStep(sample);
    // The sample beyond a normal run's limit is not taken: the run has halted on it.
    if (!m_state.Stopped)
        Record(sample);
}

void PacketDecoder::Record(const Sample &sample)
{
    if (!m_recorder || !m_recorder->Recording())
        return;
    if (m_recorded.values.empty())
        m_recorded.readTime = RecordingFormat::Clock::now();
    for (int k = 0; k < sample.Count; ++k)
        m_recorded.values.push_back(sample.Values[size_t(k)]);
}

void PacketDecoder::HandOverRecorded()
{
    if (m_recorded.values.empty())
        return;
    const size_t size = m_recorded.values.size();
    if (m_recorder)
        m_recorder->Append(std::move(m_recorded));
    // The next block is likely as large: its values find their room at once.
    m_recorded.values = {};
    m_recorded.values.reserve(size);
}

void PacketDecoder::FastDisplayStep()
{
    if (LimitExceeded())
        return;
    if (m_state.TrendMode)
        AppendTrend();
    else
        AppendNormal();
    m_state.KeepAsPrevious();
    ++m_state.SampleCount;
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

    // The rest of the block and whatever follows is ignored.
    Halt();
    if (m_ties.SampleLimitReached)
        m_ties.SampleLimitReached();
    return true;
}

void PacketDecoder::AppendNormal()
{
    const double n = static_cast<double>(m_state.SampleCount);
    const bool gap = std::exchange(m_gap, false);
    if (Channels() == 1) {
        // Every sample is drawn at X = its count; the first one, and the first after a gap,
        // starts a line.
        if (m_state.SampleCount == 0 || gap) {
            m_chart.SetActiveLayer(1);
            m_chart.SetDataColor(ChannelColor(1));
            m_chart.AddMoveTo(n, m_state.Value1);
        } else {
            m_chart.AddLineTo(n, m_state.Value1);
        }
        return;
    }
    if (m_state.SampleCount == 0)
        return; // the first sample only provides the starting point
    AddLines(gap);
}

void PacketDecoder::AppendTrend()
{
    // One item per channel and sample, gap or not: the scrolling relies on it. A gap before
    // the first sample (after a clear command) is no gap.
    AddLines(std::exchange(m_gap, false) && m_state.SampleCount > 0);
    ScrollTrend();
}

// One line per channel from the previous sample to this one, channel 1 first. The segment of the
// second sample of a trend is flat (it starts at its own value); after a gap the line has no
// length, so that the sample is kept (export, statistics) and nothing spans the gap.
void PacketDecoder::AddLines(bool gap)
{
    const double n = static_cast<double>(m_state.SampleCount);
    const bool flat = gap || (m_state.TrendMode && m_state.SampleCount == 1);
    const double from = gap ? n : n - 1;
    for (int channel = 1, channels = Channels(); channel <= channels; ++channel) {
        const float value = m_state.Value(channel);
        m_chart.SetActiveLayer(channel);
        m_chart.SetDataColor(ChannelColor(channel));
        m_chart.AddLine(from, flat ? value : m_state.Prev(channel), n, value);
    }
}

int PacketDecoder::Channels() const
{
    return ChannelsRead(m_state.ChannelCount);
}

void PacketDecoder::ScrollTrend()
{
    // The window fills until its right end is 5 samples ahead; from then on every sample
    // moves it by one.
    if (static_cast<double>(m_state.XMax) - 5.0 >= static_cast<double>(m_state.TrendShift)) {
        ++m_state.TrendShift;
        return;
    }
    for (int channel = Channels(); channel > 0; --channel)
        m_chart.RemoveFirstItem();
    ++m_pendingScroll;
    // Nothing draws or reads the ranges while the framer delivers a block.
    if (!m_framer.Delivering())
        ApplyScroll();
}

// Moves the X range of the channels' layers right by one per pending step, adding 1 step by
// step as a range change per sample would.
void PacketDecoder::ApplyScroll()
{
    if (m_pendingScroll == 0)
        return;
    const std::int64_t steps = m_pendingScroll;
    m_pendingScroll = 0;
    for (int layer = 1, layers = Channels(); layer <= layers; ++layer) {
        double low = m_chart.ScaleX(layer).RangeLow();
        double high = m_chart.ScaleX(layer).RangeHigh();
        if (Whole(low) && Whole(high)) {
            low += double(steps); // exact, as every step would be
            high += double(steps);
        } else {
            for (std::int64_t i = 0; i < steps; ++i) {
                low += 1;
                high += 1;
            }
        }
        const TScaleProps &y = m_chart.ScaleY(layer);
        m_chart.SetRange(layer, low, y.RangeLow(), high, y.RangeHigh());
    }
}
