#include "chart/rchart.h"

#include <algorithm>

// The chart control's axis controls, kept in step with the model's scale settings and geometry.

TScale &TCustomRChart::AxisX(int layer)
{
    return *m_axisX[static_cast<size_t>(std::clamp(layer, 1, LayerCount) - 1)];
}

TScale &TCustomRChart::AxisY(int layer)
{
    return *m_axisY[static_cast<size_t>(std::clamp(layer, 1, LayerCount) - 1)];
}

void TCustomRChart::SyncAxisGeometry(int layer)
{
    const size_t i = static_cast<size_t>(layer - 1);
    const int w = Width();
    const int h = Height();
    const int sw = ShadowWidth();
    const int left = MarginLeft();
    const int right = MarginRight();
    const int top = MarginTop();
    const int bottom = MarginBottom();
    TScale &x = *m_axisX[i];
    const TScalePropsHoriz &sx = m_model.ScaleX(layer);
    const int xPos = sx.ScalePos();
    x.SetSize(w, h);
    if (sx.FarSide()) { // top edge, labels above
        x.SetScaleType(TScaleType::sctXB);
        x.SetMargins(left, top, right + sw - 1, h - top + xPos - 1);
    } else { // bottom edge, labels below
        x.SetScaleType(TScaleType::sctXT);
        x.SetMargins(left, h - bottom - sw + xPos, right + sw - 1, bottom);
    }
    TScale &y = *m_axisY[i];
    const TScalePropsVert &sy = m_model.ScaleY(layer);
    const int yPos = sy.ScalePos();
    y.SetSize(w, h);
    if (sy.FarSide()) { // right edge, labels to the right
        y.SetScaleType(TScaleType::sctYL);
        y.SetMargins(w - right - sw + yPos, top, right, bottom + sw - 1);
    } else { // left edge, labels to the left
        y.SetScaleType(TScaleType::sctYR);
        y.SetMargins(left, top, w - left + yPos - 1, bottom + sw - 1);
    }
}

void TCustomRChart::ScalesChanged()
{
    ++m_look;
    for (int layer = 1; layer <= LayerCount; ++layer) {
        const size_t i = static_cast<size_t>(layer - 1);
        SyncAxisGeometry(layer);
        m_axisX[i]->SetAxisSettings(m_model.ScaleX(layer).AxisSettings());
        m_axisY[i]->SetAxisSettings(m_model.ScaleY(layer).AxisSettings());
    }
}

void TCustomRChart::ScaleRangesChanged(int layer)
{
    ++m_look;
    const size_t i = static_cast<size_t>(layer - 1);
    const TScaleProps &x = m_model.ScaleX(layer);
    const TScaleProps &y = m_model.ScaleY(layer);
    m_axisX[i]->SetRange(x.RangeLow(), x.RangeHigh());
    m_axisY[i]->SetRange(y.RangeLow(), y.RangeHigh());
}
