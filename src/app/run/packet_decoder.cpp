#include "app/run/packet_decoder.h"

#include "app/run/channel_colors.h"
#include "app/run/run_settings.h"
#include "app/run/sample_sink.h"
#include "chart/chart_model.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// A whole number far enough from 2^53 that adding a block's steps stays exact.
bool Whole(double value)
{
    return std::fabs(value) < 0x1p52 && std::trunc(value) == value;
}

} // namespace

PacketDecoder::PacketDecoder(AcquisitionState &state, TChartModel &chart, Ties ties)
    : m_state(state)
    , m_chart(chart)
    , m_ties(std::move(ties))
{ }

void PacketDecoder::BeginRun(const RunSettings &settings, std::vector<SampleSink *> sinks)
{
    static_cast<DecodeSettings &>(m_state) = settings.Decode;
    SetChannelCount(settings.Decode.ChannelCount);
    const RunSettings::FastDisplay &fast = settings.Fast;
    m_state.TrendMode = fast.TrendMode;
    m_state.MaxSamples = fast.MaxSamples;
    m_state.XMax = static_cast<float>(fast.XMax);
    m_state.YMax1 = static_cast<float>(fast.YMax1);
    m_state.YMin1 = static_cast<float>(fast.YMin1);
    m_state.YMax2 = static_cast<float>(fast.YMax2);
    m_state.YMin2 = static_cast<float>(fast.YMin2);
    m_fastDisplay = settings.Page == TDisplayPage::dpFastDisplay;
    m_sinks = std::move(sinks);

    m_state.Stopped = false;
    m_state.SampleCount = 0;
    m_state.TrendShift = 0;
    m_state.Prev1 = m_state.Prev2 = 0.0f;
    m_state.PrevMore = {};
    m_gap = false;
    m_pendingScroll = 0;
    m_block.clear();
    m_blockBegun = false;
}

void PacketDecoder::SetChannelCount(int channels)
{
    m_state.ChannelCount = channels;
    m_state.ChannelLimit = ChannelLimitFor(channels);
}

void PacketDecoder::Halt()
{
    m_state.Stopped = true;
    BlockEnd();
}

void PacketDecoder::BlockEnd()
{
    ApplyScroll();
    HandOverBlock();
}

void PacketDecoder::Clear()
{
    m_chart.ClearItems();
    m_state.SampleCount = 0;
}

void PacketDecoder::TakeSample(const Sample &sample)
{
    if (m_state.Stopped)
        return;
    if (sample.Kind == SampleKind::ClearCommand) {
        Clear();
        return;
    }
    m_state.TakeValues(sample);
    if (m_fastDisplay)
        FastDisplayStep();
    // The sample beyond a normal run's limit is not taken: the run has halted on it.
    if (!m_state.Stopped)
        Collect(sample);
}

void PacketDecoder::Collect(const Sample &sample)
{
    if (!m_blockBegun) {
        m_blockBegun = true;
        m_blockWanted = std::any_of(m_sinks.begin(), m_sinks.end(),
                                    [](const SampleSink *sink) { return sink->Wants(); });
        if (m_blockWanted)
            m_blockTime = RecordingFormat::Clock::now();
    }
    if (!m_blockWanted)
        return;
    for (int k = 0; k < sample.Count; ++k)
        m_block.push_back(sample.Values[size_t(k)]);
}

void PacketDecoder::HandOverBlock()
{
    m_blockBegun = false;
    if (m_block.empty())
        return;
    const SampleBlockView block {m_blockTime, Channels(), m_block};
    for (SampleSink *sink : m_sinks) {
        if (sink->Wants())
            sink->Take(block);
    }
    m_block.clear();
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
    ++m_pendingScroll; // nothing draws or reads the ranges before the block ends
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
