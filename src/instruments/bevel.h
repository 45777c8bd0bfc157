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

    TBevelStyle Style() const { return m_values.Style; }
    int Spacing() const { return m_values.Spacing; }
    TBevelLine BevelLine() const { return m_values.BevelLine; }
    int Width() const { return m_values.Width; }
    TColor Color() const { return m_values.Color; }
    TAbOffset &Offset() { return m_offset; }
    const TAbOffset &Offset() const { return m_offset; }
    TColor ColorShadowFrom() const { return m_values.ShadowFrom; }
    TColor ColorShadowTo() const { return m_values.ShadowTo; }
    TColor ColorHighLightFrom() const { return m_values.HighlightFrom; }
    TColor ColorHighLightTo() const { return m_values.HighlightTo; }
    TColor PenColor() const { return m_values.PenColor; }
    TAbGradSettings &SurfaceGrad() { return m_surfaceGrad; }
    const TAbGradSettings &SurfaceGrad() const { return m_surfaceGrad; }

    void SetStyle(TBevelStyle v) { SetField(m_values.Style, v); }
    void SetSpacing(int v) { SetField(m_values.Spacing, v); }
    void SetBevelLine(TBevelLine v) { SetField(m_values.BevelLine, v); }
    void SetWidth(int v);
    void SetColor(TColor v) { SetField(m_values.Color, v); }
    void SetColorShadowFrom(TColor v) { SetField(m_values.ShadowFrom, v); }
    void SetColorShadowTo(TColor v) { SetField(m_values.ShadowTo, v); }
    void SetColorHighLightFrom(TColor v) { SetField(m_values.HighlightFrom, v); }
    void SetColorHighLightTo(TColor v) { SetField(m_values.HighlightTo, v); }
    void SetPenColor(TColor v) { SetField(m_values.PenColor, v); }
    void Assign(const TAbSBevel &source);

    // Spacing + Width + the one-pixel lines: the inset Paint applies when Offset is zero.
    int BorderSize() const;

    // rect inset by BorderSize and Offset: where Paint leaves it.
    QRect ContentRect(const QRect &rect) const;
    // Paints the bevel into rect and shrinks rect to the content area.
    void Paint(QPainter &painter, QRect &rect) const;

private:
    struct Values
    {
        TBevelStyle Style = TBevelStyle::bsRaised;
        int Spacing = 5;
        TBevelLine BevelLine = TBevelLine::blNone;
        int Width = 2;
        TColor Color = clBtnFace;
        TColor ShadowFrom = clBtnShadow;
        TColor ShadowTo = clBtnShadow;
        TColor HighlightFrom = clBtnHighlight;
        TColor HighlightTo = clBtnHighlight;
        TColor PenColor = clBlack;
    };
    Values m_values;
    TAbOffset m_offset;
    TAbGradSettings m_surfaceGrad;
};
