#include "app/run/channel_samples.h"

#include <gtest/gtest.h>

namespace {

TChartItem Item(TItemKind kind, int layer, double x1, double y1, double x2 = 0, double y2 = 0)
{
    TChartItem item {};
    item.Kind = kind;
    item.Layer = layer;
    item.X1 = x1;
    item.Y1 = y1;
    item.X2 = x2;
    item.Y2 = y2;
    return item;
}

using K = TItemKind;

TEST(LayerSamples, OneChannelPointsInOrder)
{
    const std::vector<TChartItem> items
            = {Item(K::ikMoveTo, 1, 0, 2), Item(K::ikLineTo, 1, 2, 3), Item(K::ikLineTo, 1, 3, 4)};
    EXPECT_EQ(LayerSamples(items.data(), 3, 1), (std::vector<double> {2, 3, 4}));
}

TEST(LayerSamples, TwoChannelLinesGiveTheStartPointOnceAndNeverMix)
{
    const std::vector<TChartItem> items
            = {Item(K::ikLine, 1, 0, 1, 1, 2), Item(K::ikLine, 2, 0, 10, 1, 20),
               Item(K::ikLine, 1, 1, 2, 2, 3), Item(K::ikLine, 2, 1, 20, 2, 30),
               Item(K::ikText, 1, 5, 99, 5, 99)};
    EXPECT_EQ(LayerSamples(items.data(), 5, 1), (std::vector<double> {1, 2, 3}));
    EXPECT_EQ(LayerSamples(items.data(), 5, 2), (std::vector<double> {10, 20, 30}));
}

TEST(LayerSamples, TrendLeadInLeftOfZeroIsNoSample)
{
    const std::vector<TChartItem> items
            = {Item(K::ikLine, 1, -1, 0, 0, 5), Item(K::ikLine, 1, 0, 5, 1, 6)};
    EXPECT_EQ(LayerSamples(items.data(), 2, 1), (std::vector<double> {5, 6}));
    EXPECT_TRUE(LayerSamples(items.data(), 0, 1).empty());
}

} // namespace
