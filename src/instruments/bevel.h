#pragma once

#include "instruments/persistent.h"

class QPainter;

enum class TBevelStyle { bsLowered, bsRaised };
enum class TBevelLine { blNone, blOuter, blInner, blBoth };

// A framed panel: a filled area with a graded 3D frame, optional one-pixel lines outside and
// inside the frame, and an empty margin. The sub-objects report through the bevel's Changed.
class TAbSBevel : public TAbPersistent
{
public:
    TAbSBevel();

    TBevelStyle Style() const { return m_style; }
    int Spacing() const { return m_spacing; }
    TBevelLine BevelLine() const { return m_bevelLine; }
    int Width() const { return m_width; }
    TColor Color() const { return m_color; }
    TAbOffset &Offset() { return m_offset; }
    const TAbOffset &Offset() const { return m_offset; }
    TColor ColorShadowFrom() const { return m_shadowFrom; }
    TColor ColorShadowTo() const { return m_shadowTo; }
    TColor ColorHighLightFrom() const { return m_highlightFrom; }
    TColor ColorHighLightTo() const { return m_highlightTo; }
    TColor PenColor() const { return m_penColor; }
    TAbGradSettings &SurfaceGrad() { return m_surfaceGrad; }
    const TAbGradSettings &SurfaceGrad() const { return m_surfaceGrad; }

    void SetStyle(TBevelStyle v) { SetField(m_style, v); }
    void SetSpacing(int v) { SetField(m_spacing, v); }
    void SetBevelLine(TBevelLine v) { SetField(m_bevelLine, v); }
    void SetWidth(int v);
    void SetColor(TColor v) { SetField(m_color, v); }
    void SetColorShadowFrom(TColor v) { SetField(m_shadowFrom, v); }
    void SetColorShadowTo(TColor v) { SetField(m_shadowTo, v); }
    void SetColorHighLightFrom(TColor v) { SetField(m_highlightFrom, v); }
    void SetColorHighLightTo(TColor v) { SetField(m_highlightTo, v); }
    void SetPenColor(TColor v) { SetField(m_penColor, v); }
    void Assign(const TAbSBevel &source);

    // Spacing + Width + the one-pixel lines: the inset Paint applies when Offset is zero.
    int BorderSize() const;

    // rect inset by BorderSize and Offset: where Paint leaves it.
    QRect ContentRect(const QRect &rect) const;
    // Paints the bevel into rect and shrinks rect to the content area.
    void Paint(QPainter &painter, QRect &rect) const;

private:
    TBevelStyle m_style = TBevelStyle::bsRaised;
    int m_spacing = 5;
    TBevelLine m_bevelLine = TBevelLine::blNone;
    int m_width = 2;
    TColor m_color = clBtnFace;
    TAbOffset m_offset;
    TColor m_shadowFrom = clBtnShadow;
    TColor m_shadowTo = clBtnShadow;
    TColor m_highlightFrom = clBtnHighlight;
    TColor m_highlightTo = clBtnHighlight;
    TColor m_penColor = clBlack;
    TAbGradSettings m_surfaceGrad;
};
