#pragma once

#include "app/acquisition_state.h"

#include <functional>
#include <string>

class SlowDisplayFeed;
class TComDataPacket;
class TCustomComPort;
class TRChart;

enum class TDisplayPage { dpFastDisplay, dpSlowDisplay, dpTerminal };

// Turns each packet of the framer into one or two scaled values and feeds them to the fast
// display chart (appending, counting, enforcing the sample limits, scrolling in trend mode),
// the port LEDs and the slow display. Its only ties to the window are the page question and
// the two actions below, so any host can drive it. User-interface thread only.
class PacketDecoder
{
public:
    struct Ties
    {
        std::function<TDisplayPage()> ActivePage;
        std::function<void()> DisableActivityIndicator;
        std::function<void()> RunStop;
    };

    PacketDecoder(AcquisitionState &state, TRChart &chart, TComDataPacket &framer,
                  TCustomComPort &port, Ties ties, SlowDisplayFeed *feed = nullptr);

    // The framer's OnPacket.
    void ComDataPacket1Packet(TComDataPacket *sender, const std::string &packet);

private:
    void Decode(const std::string &packet);
    bool LimitExceeded();
    void AppendNormal();
    void AppendTrend();

    AcquisitionState &m_state;
    TRChart &m_chart;
    TComDataPacket &m_framer;
    TCustomComPort &m_port;
    Ties m_ties;
    SlowDisplayFeed *m_feed;
};
