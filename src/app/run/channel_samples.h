#pragma once

#include "chart/chart_item.h"

#include <optional>
#include <vector>

// The samples of one channel as the fast display holds them, in item order: the point of every
// move-to and line-to item on the channel's layer, the end point of every line item, and the
// start point of the layer's first line item unless it lies left of X = 0 (the flat lead-in of
// a trend run). Other items and other layers are skipped.
std::vector<double> LayerSamples(const TChartItem *items, int count, int layer);

// The value of the channel on the layer at the sample nearest to x, read from the item that
// ends there (or from the start of a line that begins there); none where the layer has no
// sample. The items must be in sample order, as the packet decoder appends them.
std::optional<double> LayerValueAt(const TChartItem *items, int count, int layer, double x);
