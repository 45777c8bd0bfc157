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

    // The ranges are taken in single precision, as the run keeps them. Channels 3 to 8 are drawn
    // against channel 1's axis.
    const auto single = [](double value) { return double(float(value)); };
    const RunSettings::FastDisplay &fast = settings.Fast;
    const double xMax = single(fast.XMax);
    for (int layer = 1; layer <= kMaxChannels; ++layer) {
        const bool second = layer == 2;
        chart.SetRange(layer, 0, single(second ? fast.YMin2 : fast.YMin1), xMax,
                       single(second ? fast.YMax2 : fast.YMax1));
    }
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
