#include "chart/chart_model.h"
#include "chart/rchart.h"

#include <gtest/gtest.h>

namespace {

// A model whose view counts the paints that would draw.
class PaintCountingChart : public TChartModel, private TChartView
{
public:
    PaintCountingChart() { SetView(this); }
    int Paints = 0;

private:
    void Paint() override
    {
        if (!PaintSuppressed())
            ++Paints;
    }
    void DataAreaCleared() override { }
    void PlotAreaChanged() override { }
    void ScalesChanged() override { }
    void ScaleRangesChanged(int) override { }
};

// The fast display's geometry: 708 x 384, margins 80/20/30/45, shadow 1.
void FastDisplayGeometry(TChartModel &chart)
{
    chart.SetChartSize(708, 384);
    chart.SetMarginLeft(80);
    chart.SetMarginRight(20);
    chart.SetMarginTop(30);
    chart.SetMarginBottom(45);
    chart.SetShadowWidth(1);
}

void ExpectRange(const TScaleProps &scale, double low, double high)
{
    EXPECT_DOUBLE_EQ(scale.RangeLow(), low);
    EXPECT_DOUBLE_EQ(scale.RangeHigh(), high);
}

} // namespace

TEST(ChartMapping, MapsTheFastDisplayPlotArea)
{
    TRChart chart; // the axis controls belong to the control
    FastDisplayGeometry(chart.Model());
    chart.SetRange(1, 0, 0, 1000, 10);
    ExpectRange(chart.Scale1X(), 0, 1000);
    ExpectRange(chart.Scale1Y(), 0, 10);
    EXPECT_EQ(chart.PlotWidth(), 607);
    EXPECT_EQ(chart.PlotHeight(), 308);

    struct Case
    {
        double x, y;
        int px, py;
    } cases[] = {{0, 0, 80, 338}, {1000, 10, 687, 30}, {500, 5, 384, 184}};
    for (const Case &c : cases) {
        EXPECT_EQ(chart.UserToPixel(1, c.x, c.y), QPoint(c.px, c.py)) << c.x << "," << c.y;
        const QPointF back = chart.PixelToUser(1, c.px, c.py);
        EXPECT_NEAR(back.x(), c.x, 1000.0 / 607);
        EXPECT_NEAR(back.y(), c.y, 10.0 / 308);
    }
    // The axis controls map the same way and put their lines on the plot edges.
    EXPECT_EQ(chart.AxisX(1).ScaleType(), TScaleType::sctXT);
    EXPECT_EQ(chart.AxisX(1).ValueToPixel(0), 80);
    EXPECT_EQ(chart.AxisX(1).ValueToPixel(1000), 687);
    EXPECT_EQ(chart.AxisX(1).MarginTop(), 338);
    EXPECT_EQ(chart.AxisY(1).ScaleType(), TScaleType::sctYR);
    EXPECT_EQ(chart.AxisY(1).ValueToPixel(0), 338);
    EXPECT_EQ(chart.AxisY(1).ValueToPixel(10), 30);
    EXPECT_EQ(chart.AxisY(1).Width() - chart.AxisY(1).MarginRight() - 1, 80);
}

TEST(ChartMapping, AxisLinesMoveOutwardsByScalePos)
{
    TRChart chart; // the axis controls belong to the control
    FastDisplayGeometry(chart.Model());
    chart.SetMarginLeft(160);
    chart.Scale2Y().SetScalePos(80);
    chart.Scale2X().SetScaleLocation(THorizScaleLocation::slTop);
    chart.Scale2X().SetScalePos(5);
    chart.Scale3Y().SetScaleLocation(TVertScaleLocation::slRight);
    chart.Scale3Y().SetScalePos(10);
    const TScale &y2 = chart.AxisY(2);
    EXPECT_EQ(y2.Width() - y2.MarginRight() - 1, 80);
    const TScale &x2 = chart.AxisX(2);
    EXPECT_EQ(x2.ScaleType(), TScaleType::sctXB);
    EXPECT_EQ(x2.Height() - x2.MarginBottom() - 1, 25);
    const TScale &y3 = chart.AxisY(3);
    EXPECT_EQ(y3.ScaleType(), TScaleType::sctYL);
    EXPECT_EQ(y3.MarginLeft(), 708 - 20 - 1 + 10);
}

// A layer's scale settings reach its axis controls as the setters left them, copies of a
// layer's settings included, and only that layer's axes change.
TEST(ChartMapping, AxesFollowTheLayersScaleSettings)
{
    TRChart chart;
    FastDisplayGeometry(chart.Model());
    const TAxisSettings layer3 = chart.AxisY(3).AxisSettings();
    TScaleProps &y = chart.Scale2Y();
    y.SetCaption(QStringLiteral("mV"));
    y.SetLabelType(TFigType::ftTime); // also DecPlaces 4
    TFont font;
    font.Height = -20;
    y.SetFont(font);
    y.SetColorScale(clRed);
    y.SetVisible(true);
    chart.Scale2X().Assign(chart.Scale1X());
    chart.Scale2X().SetRangeHigh(50);

    const TAxisSettings &axis = chart.AxisY(2).AxisSettings();
    EXPECT_EQ(axis, y.AxisSettings());
    EXPECT_EQ(axis.Caption, QStringLiteral("mV"));
    EXPECT_EQ(axis.DecPlaces, 4);
    EXPECT_EQ(axis.Font.Height, -20);
    EXPECT_EQ(chart.AxisX(2).AxisSettings(), chart.Scale2X().AxisSettings());
    EXPECT_EQ(chart.AxisX(2).RangeHigh(), 50);
    EXPECT_EQ(chart.AxisY(3).AxisSettings(), layer3);
}

TEST(ChartMapping, SetRangeRules)
{
    TChartModel chart;
    FastDisplayGeometry(chart);

    chart.SetRange(0, -1, -2, 3, 4);
    for (int layer = 1; layer <= 16; ++layer) {
        ExpectRange(chart.ScaleX(layer), -1, 3);
        ExpectRange(chart.ScaleY(layer), -2, 4);
    }

    // Too narrow for MinRange: X keeps its range, Y takes the new one.
    chart.SetRange(1, 0, 0, 1e-11, 10);
    ExpectRange(chart.Scale1X(), -1, 3);
    ExpectRange(chart.Scale1Y(), 0, 10);

    // Equal bounds are widened to MinRange and applied.
    chart.SetRange(1, 5, 0, 5, 10);
    EXPECT_NEAR(chart.Scale1X().RangeLow(), 5 - 5e-11, 1e-14);
    EXPECT_NEAR(chart.Scale1X().RangeHigh(), 5 + 5e-11, 1e-14);

    // A reversed range mirrors the axis.
    chart.SetRange(1, 1000, 0, 0, 10);
    EXPECT_EQ(chart.UserToPixel(1, 0, 0), QPoint(687, 338));
    EXPECT_EQ(chart.UserToPixel(1, 1000, 0), QPoint(80, 338));
}

TEST(ChartMapping, LogarithmicScales)
{
    TChartModel chart;
    FastDisplayGeometry(chart);
    chart.SetRange(1, 1, 1, 100, 100);
    chart.Scale1X().SetLogarithmic(true);
    chart.Scale1Y().SetLogarithmic(true);
    ASSERT_TRUE(chart.Scale1X().Logarithmic());

    EXPECT_EQ(chart.UserToPixel(1, 10, 10), QPoint(384, 184)); // 383.5 rounds to even
    EXPECT_EQ(chart.UserToPixel(1, 0, 0), QPoint(0, 384)); // no error for zero

    chart.SetRange(1, 5, 2, 5, 2);
    ExpectRange(chart.Scale1X(), 5 / 1.1, 5 * 1.1);
    ExpectRange(chart.Scale1Y(), 2 / 1.1, 2 * 1.1);

    // Bounds below 1e-100 are ignored one by one.
    chart.SetRange(1, -1, 1, 50, 20);
    ExpectRange(chart.Scale1X(), 5 / 1.1, 50);

    // Switching on needs positive bounds.
    chart.SetRange(2, 0, 0, 10, 10);
    chart.Scale2X().SetLogarithmic(true);
    EXPECT_FALSE(chart.Scale2X().Logarithmic());
}

TEST(ChartMapping, NegativeLogarithmicRangeRaisesAndKeepsTheFactors)
{
    TChartModel chart;
    chart.SetRange(1, 1, 1, 10, 10);
    chart.Scale1X().SetLogarithmic(true);
    const TLayerMapping before = chart.Mapping(1);
    try {
        chart.Scale1X().SetMinRange(100); // re-centres to -44.5 .. 55.5
        FAIL() << "no error";
    } catch (const EChartError &e) {
        EXPECT_EQ(e.Message(), "Logarithmic axis must not be negative.");
    }
    ExpectRange(chart.Scale1X(), -44.5, 55.5);
    EXPECT_EQ(chart.Mapping(1).KX, before.KX);
    EXPECT_EQ(chart.Mapping(1).OX, before.OX);
}

TEST(ChartMapping, ScalePropertyRules)
{
    TScalePropsHoriz scale;
    int changes = 0;
    scale.OnChange = [&](TScaleProps *) { ++changes; };

    scale.SetRangeHigh(10);
    scale.SetRangeLow(10); // closer than MinRange to the high bound
    ExpectRange(scale, 10, 10 + 1e-10);
    scale.SetRangeLow(2);
    scale.SetRangeHigh(2 + 1e-12);
    ExpectRange(scale, 2 + 1e-12 - 1e-10, 2 + 1e-12);

    scale.SetMinRange(1e-101);
    EXPECT_EQ(scale.MinRange(), 1e-10);
    scale.SetRangeLow(0);
    scale.SetRangeHigh(4);
    scale.SetMinRange(10); // wider than the range: re-centred
    ExpectRange(scale, -3, 7);

    scale.SetDecPlaces(20);
    EXPECT_EQ(scale.DecPlaces(), 12);
    scale.SetDecPlaces(-9);
    EXPECT_EQ(scale.DecPlaces(), -3);

    scale.SetLabelType(TFigType::ftTime);
    EXPECT_EQ(scale.DecPlaces(), 4);
    scale.SetRangeLow(1);
    scale.SetLogarithmic(true);
    EXPECT_TRUE(scale.Logarithmic());
    scale.SetLabelType(TFigType::ftDateTime);
    EXPECT_FALSE(scale.Logarithmic());
    scale.SetLogarithmic(true);
    EXPECT_FALSE(scale.Logarithmic());

    const int before = changes;
    scale.SetCaption("x");
    scale.SetCaption("x");
    EXPECT_EQ(changes, before + 1);
}

TEST(ChartMapping, JointLayersAndTheirErrors)
{
    TChartModel chart;
    chart.SetRange(1, 0, 0, 1000, 10);
    chart.SetRange(2, 0, 5, 50, 6);
    TJointLayers &joints = chart.JointLayers();

    joints.SetL02xControlledBy(1);
    ExpectRange(chart.Scale2X(), 0, 1000);
    chart.SetRange(1, 100, 0, 200, 10);
    ExpectRange(chart.Scale2X(), 100, 200);
    ExpectRange(chart.Scale2Y(), 5, 6);
    chart.SetRange(2, 7, 1, 8, 2); // X of a controlled layer is ignored, Y applies
    ExpectRange(chart.Scale2X(), 100, 200);
    ExpectRange(chart.Scale2Y(), 1, 2);

    joints.SetL05xControlledBy(1);
    const struct
    {
        std::function<void()> Join;
        const char *Message;
    } errors[] = {
            {[&] { joints.SetL03xControlledBy(17); }, "Destination layer 17 is out of range"},
            {[&] { joints.SetL03yControlledBy(0); }, "Destination layer 0 is out of range"},
            {[&] { joints.SetL03xControlledBy(2); }, "Destination layer 2 is already joined"},
            {[&] { joints.SetL01xControlledBy(3); }, "Layer 1 is joined by other layers (2, 5)"},
    };
    for (const auto &e : errors) {
        try {
            e.Join();
            ADD_FAILURE() << "no error for " << e.Message;
        } catch (const EChartError &error) {
            EXPECT_EQ(error.Message(), e.Message);
        }
    }
    EXPECT_EQ(joints.L03xControlledBy(), 3);
    EXPECT_EQ(joints.L01xControlledBy(), 1);

    joints.SetL02xControlledBy(2); // released
    chart.SetRange(2, 7, 1, 8, 2);
    ExpectRange(chart.Scale2X(), 7, 8);
}

TEST(ChartMapping, MinimumSizeAndMarginClamps)
{
    TChartModel chart;
    FastDisplayGeometry(chart);
    EXPECT_EQ(chart.SetChartSize(10, 10), QSize(80 + 20 + 1 + 80, 30 + 45 + 1 + 20));
    chart.SetShadowWidth(40);
    EXPECT_EQ(chart.ShadowWidth(), 32);
    chart.SetShadowWidth(-1);
    EXPECT_EQ(chart.ShadowWidth(), 0);
    chart.SetLRim(33);
    EXPECT_EQ(chart.MarginLeft(), 33);
}

TEST(ChartMapping, RangeChangesRepaintUnlessSuppressed)
{
    PaintCountingChart chart;
    chart.SuppressPaint(false);
    chart.Paints = 0;
    chart.SetRange(1, 0, 0, 10, 10); // lifting the suppression, then AutoRedraw
    EXPECT_EQ(chart.Paints, 2);

    chart.SetAutoRedraw(false);
    chart.Paints = 0;
    chart.SetRange(1, 0, 0, 20, 10);
    chart.Scale1Y().SetCaption("Volt");
    EXPECT_EQ(chart.Paints, 2);
    chart.SetActiveLayer(2);
    chart.SetMarginLeft(70);
    EXPECT_EQ(chart.Paints, 2);

    chart.SuppressPaint(true);
    chart.Paints = 0;
    chart.SetRange(1, 0, 0, 30, 10);
    chart.Scale1Y().SetCaption("Ampere");
    EXPECT_EQ(chart.Paints, 0);
    EXPECT_TRUE(chart.PaintSuppressed());
    chart.SuppressPaint(false);
    chart.SuppressPaint(false);
    EXPECT_EQ(chart.Paints, 1);
}

TEST(ChartMapping, ScaleSettingsReachTheAxisControls)
{
    TRChart chart; // the axis controls belong to the control
    TScalePropsVert settings;
    settings.SetCaption("Kanal 1");
    settings.SetMinTicks(6);
    settings.SetVisible(true);
    settings.SetColorScale(clMaroon);
    chart.SetScale1Y(settings);
    EXPECT_EQ(chart.Scale1Y().Caption(), "Kanal 1");
    const TScale &axis = chart.AxisY(1);
    EXPECT_EQ(axis.Caption(), "Kanal 1");
    EXPECT_EQ(axis.MinTicks(), 6);
    EXPECT_EQ(axis.ColorScale(), clMaroon);
    EXPECT_TRUE(axis.Visible());
    EXPECT_TRUE(axis.Transparent());
}
