#pragma once

#include "app/run/acquisition_state.h"
#include "app/run/packet_format.h"
#include "app/run/recording_format.h"

#include <functional>
#include <vector>

class SampleSink;
class TChartModel;
struct RunSettings;

// The run's sample side. It takes every sample the run's packet format decodes, keeps the run's
// settings, counters and last values (it is the one writer of AcquisitionState), draws the fast
// display's items into the chart's model (appending, counting, enforcing the sample limits,
// scrolling in trend mode) and hands the samples of each device read to the run's sinks as one
// block. Its one tie to its owner is the sample limit. User-interface thread only.
class PacketDecoder : public SampleReceiver
{
public:
    struct Ties
    {
        // A normal-mode run went beyond its sample limit; the decoder has halted.
        std::function<void()> SampleLimitReached;
    };

    PacketDecoder(AcquisitionState &state, TChartModel &chart, Ties ties);
    PacketDecoder(const PacketDecoder &) = delete;
    PacketDecoder &operator=(const PacketDecoder &) = delete;

    // A run begins: its settings become the state's, samples count from 0 again, are no longer
    // ignored and go to these sinks.
    void BeginRun(const RunSettings &settings, std::vector<SampleSink *> sinks);
    // The run ends: what the sinks have not had yet goes to them, samples are ignored from now on.
    void Halt();
    // The fast display's samples are gone: counting starts from 0.
    void Clear();
    // The port was lost and comes back: the next sample starts a new line on the fast display
    // instead of joining the last one across the gap.
    void MarkGap() { m_gap = true; }

    // Settings changed on the window while no run goes on.
    void SetChannelCount(int channels);
    void SetTrendMode(bool on) { m_state.TrendMode = on; }

    void TakeSample(const Sample &sample) override;
    void BlockEnd() override;

private:
    void FastDisplayStep();
    bool LimitExceeded();
    void AppendNormal();
    void AppendTrend();
    void ScrollTrend();
    void ApplyScroll();
    void AddLines(bool gap);
    void Collect(const Sample &sample);
    void HandOverBlock();
    int Channels() const;

    AcquisitionState &m_state;
    TChartModel &m_chart;
    Ties m_ties;
    bool m_fastDisplay = false; // the run shows the fast display page
    std::vector<SampleSink *> m_sinks;
    // Trend steps whose range shift waits for the end of the block: one range change per block
    // instead of one per sample, with the same resulting ranges.
    std::int64_t m_pendingScroll = 0;
    bool m_gap = false;
    // The samples of the block being delivered, for the sinks, gathered when one of them wants
    // the block (decided at its first sample).
    std::vector<float> m_block;
    bool m_blockBegun = false;
    bool m_blockWanted = false;
    RecordingFormat::Clock::time_point m_blockTime;
};
