#include "app/channel_samples.h"

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
