#include "app/run/channel_samples.h"

#include <algorithm>
#include <cmath>

std::vector<double> LayerSamples(const TChartItem *items, int count, int layer)
{
    std::vector<double> samples;
    bool firstLine = true;
    for (int i = 0; i < count; ++i) {
        const TChartItem &item = items[i];
        if (item.Layer != layer)
            continue;
        switch (static_cast<TItemKind>(item.Kind)) {
        case TItemKind::ikMoveTo:
        case TItemKind::ikLineTo:
            samples.push_back(item.Y1);
            break;
        case TItemKind::ikLine:
            if (firstLine && item.X1 >= 0.0)
                samples.push_back(item.Y1);
            firstLine = false;
            samples.push_back(item.Y2);
            break;
        default:
            break;
        }
    }
    return samples;
}

namespace {

// The sample an item ends at: a line's end, a point's place.
double SamplePosition(const TChartItem &item)
{
    return item.Kind == TItemKind::ikLine ? item.X2 : item.X1;
}

} // namespace

std::optional<double> LayerValueAt(const TChartItem *items, int count, int layer, double x)
{
    if (!std::isfinite(x))
        return std::nullopt;
    const double sample = std::round(x);
    const TChartItem *end = items + count;
    const TChartItem *at = std::partition_point(
            items, end, [&](const TChartItem &item) { return SamplePosition(item) < sample; });
    for (const TChartItem *item = at; item != end; ++item) {
        if (item->Layer != layer)
            continue;
        if (SamplePosition(*item) == sample)
            return item->Kind == TItemKind::ikLine ? item->Y2 : item->Y1;
        // The next sample of the layer: a line from this one holds it as its start.
        if (item->Kind == TItemKind::ikLine && item->X1 == sample)
            return item->Y1;
        break;
    }
    return std::nullopt;
}
