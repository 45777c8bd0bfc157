#include "instruments/bevel.h"

#include "instruments/draw_helpers.h"

#include <QPainter>

TAbSBevel::TAbSBevel()
{
    m_offset.OnChange = [this](TAbPersistent *) { Changed(); };
    m_surfaceGrad.OnChange = [this](TAbPersistent *) { Changed(); };
}

void TAbSBevel::SetWidth(int v)
{
    if (v < 0)
        return;
    SetField(m_width, v);
}

void TAbSBevel::Assign(const TAbSBevel &source)
{
    m_style = source.m_style;
    m_spacing = source.m_spacing;
    m_bevelLine = source.m_bevelLine;
    m_width = source.m_width;
    m_color = source.m_color;
    m_shadowFrom = source.m_shadowFrom;
    m_shadowTo = source.m_shadowTo;
    m_highlightFrom = source.m_highlightFrom;
    m_highlightTo = source.m_highlightTo;
    m_penColor = source.m_penColor;
    m_offset.Assign(source.m_offset);
    m_surfaceGrad.Assign(source.m_surfaceGrad);
    Changed();
}

int TAbSBevel::BorderSize() const
{
    int size = m_spacing + m_width;
    if (m_bevelLine == TBevelLine::blOuter || m_bevelLine == TBevelLine::blInner)
        size += 1;
    else if (m_bevelLine == TBevelLine::blBoth)
        size += 2;
    return size;
}

QRect TAbSBevel::ContentRect(const QRect &rect) const
{
    const int inset = BorderSize();
    return m_offset.Apply(rect.adjusted(inset, inset, -inset, -inset));
}

void TAbSBevel::Paint(QPainter &painter, QRect &rect) const
{
    painter.fillRect(rect, ToQColor(m_color));
    const QRect outer = rect;
    const bool outerLine = m_bevelLine == TBevelLine::blOuter || m_bevelLine == TBevelLine::blBoth;
    const bool innerLine = m_bevelLine == TBevelLine::blInner || m_bevelLine == TBevelLine::blBoth;
    if (outerLine)
        rect.adjust(1, 1, -1, -1);

    for (int i = 1; i <= m_width; ++i) {
        TColor a;
        TColor b;
        if (m_style == TBevelStyle::bsRaised) {
            a = BlendColor(m_highlightFrom, m_highlightTo, m_width, i);
            b = BlendColor(m_shadowFrom, m_shadowTo, m_width, i);
        } else {
            a = BlendColor(m_shadowTo, m_shadowFrom, m_width, i);
            b = BlendColor(m_highlightTo, m_highlightFrom, m_width, i);
        }
        DrawFrame3D(painter, rect, a, b);
        rect.adjust(1, 1, -1, -1);
    }

    if (innerLine) {
        FrameRectangle(painter, rect, m_penColor);
        rect.adjust(1, 1, -1, -1);
    }
    if (outerLine)
        FrameRectangle(painter, outer, m_penColor);

    rect.adjust(m_spacing, m_spacing, -m_spacing, -m_spacing);
    rect = m_offset.Apply(rect);
}
