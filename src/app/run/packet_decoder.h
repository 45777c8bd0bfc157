#pragma once

#include "app/run/acquisition_state.h"
#include "app/run/display_page.h"

#include "app/run/sample_recorder.h"

#include <functional>
#include <optional>
#include <string>

class SampleRecorder;
class SlowDisplayFeed;
class TComDataPacket;
class TRChart;

// The sink of the framer's packets: decodes each one with DecodePacket and hands the sample to
// the fast display chart (appending, counting, enforcing the sample limits, scrolling in trend
// mode), the port LEDs and the slow display. It is the only writer of the run's counters in
// AcquisitionState. Its only ties to its host are the page question and the sample limit, so
// any host can drive it. User-interface thread only.
class PacketDecoder
{
public:
    struct Ties
    {
        std::function<TDisplayPage()> ActivePage;
        // A normal-mode run went beyond its sample limit; the decoder has halted.
        std::function<void()> SampleLimitReached;
    };

    // Takes the framer's OnBlockDelivered until destroyed.
    PacketDecoder(AcquisitionState &state, TRChart &chart, TComDataPacket &framer, Ties ties,
                  SlowDisplayFeed *feed = nullptr);
    ~PacketDecoder();
    PacketDecoder(const PacketDecoder &) = delete;
    PacketDecoder &operator=(const PacketDecoder &) = delete;

    // The framer's OnPacket.
    void ComDataPacket1Packet(TComDataPacket *sender, const std::string &packet);

    // A run begins: packets count from 0 again and are no longer ignored.
    void BeginRun();
    // The run ends: packets are ignored from now on.
    void Halt();
    // The fast display's samples are gone: counting starts from 0.
    void Clear();
    // The port was lost and comes back: the next sample starts a new line on the fast display
    // instead of joining the last one across the gap.
    void MarkGap() { m_gap = true; }
    // Every sample taken from now on also goes to the recorder while it records: the samples
    // of one framer block as one SampleBlock, stamped with the time of the block's first one.
    void SetRecorder(SampleRecorder *recorder) { m_recorder = recorder; }

private:
    void FastDisplayStep();
    bool LimitExceeded();
    void AppendNormal();
    void AppendTrend();
    void ScrollTrend();
    void ApplyScroll();
    void AddLines(bool gap);
    void Record(const Sample &sample);
    void HandOverRecorded();
    void BlockDelivered();
    TDisplayPage Page();
    int Channels() const;

    AcquisitionState &m_state;
    TRChart &m_chart;
    TComDataPacket &m_framer;
    Ties m_ties;
    SlowDisplayFeed *m_feed;
    // Trend steps whose range shift waits for the end of the framer's block: one range
    // change per block instead of one per sample, with the same resulting ranges.
    std::int64_t m_pendingScroll = 0;
    bool m_gap = false;
    std::optional<TDisplayPage> m_blockPage; // the page of the block being delivered
    SampleRecorder *m_recorder = nullptr;
    SampleBlock m_recorded; // the samples of the block being delivered
};
