#include "chart/chart_model.h"

#include <algorithm>
#include <cmath>
#include <limits>

// The scale half of the chart model: the layers' scale settings, the plot geometry, the view
// notifications and the standard layouts. Ranges and the mapping
// between user coordinates and pixels are in chart_ranges.cpp.

namespace {

constexpr TColor LayerColors[]
        = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray};

} // namespace

TChartModel::TChartModel()
    : m_joints(*this)
{
    m_classVisible.set();
    m_layerVisible.set();
    for (int i = 0; i < LayerCount; ++i) {
        m_scaleX[i].SetColorScale(LayerColors[i % 8]);
        m_scaleY[i].SetColorScale(LayerColors[i % 8]);
        m_scaleX[i].SetScalePos(30 * (i / 2));
        m_scaleY[i].SetScalePos(50 * (i / 2));
        m_scaleX[i].OnChange = [this](TScaleProps *) { ScalePropsChanged(); };
        m_scaleY[i].OnChange = [this](TScaleProps *) { ScalePropsChanged(); };
    }
    ApplyStandardLayout(m_standardLayout);
    UpdateMapping();
}

TChartModel::~TChartModel()
{
    DetachUsers();
}

int TChartModel::ClampLayer(int layer)
{
    return std::clamp(layer, 1, LayerCount);
}

TScalePropsHoriz &TChartModel::ScaleX(int layer)
{
    return m_scaleX[static_cast<size_t>(ClampLayer(layer) - 1)];
}

TScalePropsVert &TChartModel::ScaleY(int layer)
{
    return m_scaleY[static_cast<size_t>(ClampLayer(layer) - 1)];
}

const TScalePropsHoriz &TChartModel::ScaleX(int layer) const
{
    return m_scaleX[static_cast<size_t>(ClampLayer(layer) - 1)];
}

const TScalePropsVert &TChartModel::ScaleY(int layer) const
{
    return m_scaleY[static_cast<size_t>(ClampLayer(layer) - 1)];
}

const TLayerMapping &TChartModel::Mapping(int layer) const
{
    return m_mapping[static_cast<size_t>(ClampLayer(layer) - 1)];
}

// ---- View notifications -------------------------------------------------------------------

void TChartModel::Paint()
{
    if (m_view)
        m_view->Paint();
}

void TChartModel::ScalesChanged()
{
    if (m_view)
        m_view->ScalesChanged();
}

void TChartModel::ScaleRangesChanged(int layer)
{
    if (m_view)
        m_view->ScaleRangesChanged(layer);
}

void TChartModel::SuppressPaint(bool suppress)
{
    if (suppress == m_paintSuppressed)
        return;
    m_paintSuppressed = suppress;
    if (!suppress)
        Paint();
}

void TChartModel::SetLoading(bool value)
{
    if (value == m_loading)
        return;
    m_loading = value;
    if (!value) {
        ScalesChanged();
        UpdateMapping();
        Paint();
    }
}

// ---- Geometry -----------------------------------------------------------------------------

bool TChartModel::InPlotArea(int x, int y) const
{
    return x >= m_marginLeft && x <= m_width - m_marginRight - m_shadowWidth && y >= m_marginTop
            && y <= m_height - m_marginBottom - m_shadowWidth;
}

QSize TChartModel::SetChartSize(int width, int height)
{
    width = std::max(width, MinimumChartWidth());
    height = std::max(height, MinimumChartHeight());
    if (width != m_width || height != m_height) {
        m_width = width;
        m_height = height;
        GeometryChanged();
    }
    return QSize(m_width, m_height);
}

void TChartModel::SetMarginLeft(int value)
{
    if (value == m_marginLeft)
        return;
    m_marginLeft = value;
    GeometryChanged();
}

void TChartModel::SetMarginRight(int value)
{
    if (value == m_marginRight)
        return;
    m_marginRight = value;
    GeometryChanged();
}

void TChartModel::SetMarginTop(int value)
{
    if (value == m_marginTop)
        return;
    m_marginTop = value;
    GeometryChanged();
}

void TChartModel::SetMarginBottom(int value)
{
    if (value == m_marginBottom)
        return;
    m_marginBottom = value;
    GeometryChanged();
}

void TChartModel::SetShadowWidth(int value)
{
    value = std::clamp(value, 0, 32);
    if (value == m_shadowWidth)
        return;
    m_shadowWidth = value;
    GeometryChanged();
}

void TChartModel::GeometryChanged()
{
    if (m_view)
        m_view->PlotAreaChanged();
    ScalesChanged();
    UpdateMapping();
    RepaintIfAutoRedraw();
}

void TChartModel::ScalePropsChanged()
{
    if (m_scaleNotifyDepth > 0)
        return;
    ScalesChanged();
    // Re-apply the ranges: controlled layers follow their controlling layers.
    for (int layer = 1; layer <= LayerCount; ++layer)
        FollowJoints(layer);
    UpdateMapping();
    Paint();
}

void TChartModel::SetIsometric(bool value)
{
    if (value == m_isometric)
        return;
    m_isometric = value;
    RepaintIfAutoRedraw();
}

// ---- Standard layouts ---------------------------------------------------------------------

void TChartModel::SetStandardLayout(TrcLayout value)
{
    m_standardLayout = value;
    ApplyStandardLayout(value);
    ScalePropsChanged();
    GeometryChanged();
}

void TChartModel::ApplyStandardLayout(TrcLayout layout)
{
    // The presets place the axes of layers 1 to 4; every other axis is hidden.
    ++m_scaleNotifyDepth;
    for (int i = 0; i < LayerCount; ++i) {
        m_scaleX[i].SetVisible(false);
        m_scaleY[i].SetVisible(false);
    }
    int yAxes = 1;
    bool yBoth = false;
    int xAxes = 1;
    bool xBoth = false;
    switch (layout) {
    case TrcLayout::rcl_X1Bottom_Y1Left:
        break;
    case TrcLayout::rcl_X1Bottom_Y2Left:
        yAxes = 2;
        break;
    case TrcLayout::rcl_X1Bottom_Y3Left:
        yAxes = 3;
        break;
    case TrcLayout::rcl_X1Bottom_Y4Left:
        yAxes = 4;
        break;
    case TrcLayout::rcl_X1Bottom_Y2Both:
        yAxes = 2;
        yBoth = true;
        break;
    case TrcLayout::rcl_X2Bottom_Y2Left:
        xAxes = 2;
        yAxes = 2;
        break;
    case TrcLayout::rcl_X2Both_Y2Both:
        xAxes = 2;
        yAxes = 2;
        xBoth = true;
        yBoth = true;
        break;
    }
    for (int i = 0; i < xAxes; ++i) {
        m_scaleX[i].SetVisible(true);
        const bool top = xBoth && i == 1;
        m_scaleX[i].SetScaleLocation(top ? THorizScaleLocation::slTop
                                         : THorizScaleLocation::slBottom);
        m_scaleX[i].SetScalePos(top ? 0 : 30 * i);
    }
    for (int i = 0; i < yAxes; ++i) {
        m_scaleY[i].SetVisible(true);
        const bool right = yBoth && i == 1;
        m_scaleY[i].SetScaleLocation(right ? TVertScaleLocation::slRight
                                           : TVertScaleLocation::slLeft);
        m_scaleY[i].SetScalePos(right ? 0 : 50 * i);
    }
    --m_scaleNotifyDepth;
    m_marginLeft = 50 * (yAxes - (yBoth ? 1 : 0));
    m_marginRight = yBoth ? 50 : 10;
    m_marginTop = xBoth ? 32 : 16;
    m_marginBottom = 32 + 30 * (xAxes - (xBoth ? 1 : 0) - 1);
}
