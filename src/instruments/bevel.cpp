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
    SetField(m_values.Width, v);
}

void TAbSBevel::Assign(const TAbSBevel &source)
{
    m_values = source.m_values;
    m_offset.Assign(source.m_offset);
    m_surfaceGrad.Assign(source.m_surfaceGrad);
    Changed();
}

int TAbSBevel::BorderSize() const
{
    int size = m_values.Spacing + m_values.Width;
    if (m_values.BevelLine == TBevelLine::blOuter || m_values.BevelLine == TBevelLine::blInner)
        size += 1;
    else if (m_values.BevelLine == TBevelLine::blBoth)
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
    painter.fillRect(rect, ToQColor(m_values.Color));
    const QRect outer = rect;
    const bool outerLine
            = m_values.BevelLine == TBevelLine::blOuter || m_values.BevelLine == TBevelLine::blBoth;
    const bool innerLine
            = m_values.BevelLine == TBevelLine::blInner || m_values.BevelLine == TBevelLine::blBoth;
    if (outerLine)
        rect.adjust(1, 1, -1, -1);

    for (int i = 1; i <= m_values.Width; ++i) {
        TColor a;
        TColor b;
        if (m_values.Style == TBevelStyle::bsRaised) {
            a = BlendColor(m_values.HighlightFrom, m_values.HighlightTo, m_values.Width, i);
            b = BlendColor(m_values.ShadowFrom, m_values.ShadowTo, m_values.Width, i);
        } else {
            a = BlendColor(m_values.ShadowTo, m_values.ShadowFrom, m_values.Width, i);
            b = BlendColor(m_values.HighlightTo, m_values.HighlightFrom, m_values.Width, i);
        }
        DrawFrame3D(painter, rect, a, b);
        rect.adjust(1, 1, -1, -1);
    }

    if (innerLine) {
        FrameRectangle(painter, rect, m_values.PenColor);
        rect.adjust(1, 1, -1, -1);
    }
    if (outerLine)
        FrameRectangle(painter, outer, m_values.PenColor);

    rect.adjust(m_values.Spacing, m_values.Spacing, -m_values.Spacing, -m_values.Spacing);
    rect = m_offset.Apply(rect);
}
