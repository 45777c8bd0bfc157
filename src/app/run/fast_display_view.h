#pragma once

#include "app/run/slow_display_feed.h"

class TRChart;
struct RunSettings;

// The run's hold on the fast display chart: at Start it empties the chart and gives it the run's
// captions, ranges and room; during the run the chart paints only when Present() releases it (the
// update timer); afterwards it paints as usual again. The items themselves go into the chart's
// model, written by the decoder. User-interface thread.
class FastDisplayView
{
public:
    explicit FastDisplayView(TRChart &chart);

    void BeginRun(const RunSettings &settings);
    // From now on the chart paints only when Present() releases it.
    void HoldPaint();
    // Draws the items added since the last paint.
    void Present();
    void EndRun();

    TRChart &Chart() { return m_chart; }

private:
    TRChart &m_chart;
};

// The chart's X range and the Y ranges of channel 1 (drawn for channels 3 to 8 too) and channel
// 2, taken in single precision as a run keeps them.
void SetChannelRanges(TRChart &chart, double xMax, const SlowDisplayFeed::Ranges &y);
