#include "app/run/fast_display_view.h"

#include "app/run/acquisition_state.h"
#include "app/run/channel_colors.h"
#include "app/run/run_settings.h"
#include "chart/rchart.h"

#include <algorithm>

FastDisplayView::FastDisplayView(TRChart &chart)
    : m_chart(chart)
{ }

void FastDisplayView::BeginRun(const RunSettings &settings)
{
    TRChart &chart = m_chart;
    chart.ClearItems();
    chart.SetDataColor(ChannelColor(1));
    chart.Scale1Y().SetCaption(settings.Channels[0].Name);
    chart.Scale2Y().SetCaption(settings.Channels[1].Name);
    chart.SetCaption(settings.Fast.Caption);
    chart.SetActiveLayer(1);

    const RunSettings::FastDisplay &fast = settings.Fast;
    SetChannelRanges(chart, fast.XMax, {fast.YMin1, fast.YMax1, fast.YMin2, fast.YMax2});
    // The items up to the sample limit find their room ready: a first write to fresh memory
    // costs far more than the item, and while data streams that would fill the input queue.
    const int channels = settings.ChannelCount();
    const std::uint32_t samples = std::min(ChannelLimitFor(channels), fast.MaxSamples) + 1;
    chart.ReserveItems(static_cast<int>(samples) * channels);
    chart.UpdateChart();
}

void FastDisplayView::HoldPaint()
{
    m_chart.SuppressPaint(true);
}

void FastDisplayView::Present()
{
    m_chart.SuppressPaint(false);
    m_chart.UpdateChart();
    m_chart.SuppressPaint(true);
}

void FastDisplayView::EndRun()
{
    m_chart.SetActiveLayer(1);
    m_chart.SuppressPaint(false);
    m_chart.Redraw();
}

void SetChannelRanges(TRChart &chart, double xMax, const SlowDisplayFeed::Ranges &y)
{
    const auto single = [](double value) { return double(float(value)); };
    for (int layer = 1; layer <= kMaxChannels; ++layer) {
        const bool second = layer == 2;
        chart.SetRange(layer, 0, single(second ? y.YMin2 : y.YMin1), single(xMax),
                       single(second ? y.YMax2 : y.YMax1));
    }
}
