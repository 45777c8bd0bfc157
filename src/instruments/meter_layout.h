#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class TAbSBevel;

// Geometry of the meter and the value indicator as plain functions of measured text sizes,
// bevels and options; the controls only paint what these place.

// The value box: a value bevel of sample width plus margins, centred with the unit beside it.
struct TValueBoxLayout
{
    QRect Bevel; // the rectangle the value bevel paints into
    QPoint Unit; // top-left of the unit text
    QRect Text; // where the value text goes (right-aligned)
    int Height = 0; // what the box takes from the top of the area
};

// area: the free rectangle whose top the box takes.
TValueBoxLayout LayoutValueBox(const QRect &area, int textHeight, int sampleWidth, int unitWidth,
                               const TAbSBevel &valueBevel);

// Text sizes a layout is computed from.
struct TInstrumentTexts
{
    QSize Name1; // in Font
    QSize Name2; // in Font
    int ValueHeight = 0; // value text height in FontValue
    int SampleWidth = 0; // width of SampleText in FontValue
    int UnitWidth = 0; // width of ValueUnit in FontValue; 0 without the unit
};

struct TInstrumentParts
{
    bool BevelOuter = false;
    bool BevelInner = false;
    bool Value = false;
    bool Name1 = false;
    bool Name2 = false;
    bool Unit = false;
};

// Names at the bottom (Name2 lowest), then the value box at the top and the inner bevel below
// it (the meter), or the inner bevel with the value box at the top of its content (valueInside,
// the value indicator).
struct TPanelLayout
{
    QPoint Name1;
    QPoint Name2;
    TValueBoxLayout ValueBox;
    QRect Inner; // the rectangle the inner bevel paints into (content if none)
    QRect Content; // what is left inside the inner bevel
    bool ValueInside = false;
};

TPanelLayout LayoutPanel(const QSize &client, const TInstrumentParts &parts,
                         const TInstrumentTexts &texts, const TAbSBevel &outer,
                         const TAbSBevel &inner, const TAbSBevel &value, bool valueInside);

// The meter's scale and pointer in the panel's content.
struct TScaleLayout
{
    QRect Area; // the scale area: snapshot and redraw region
    bool NoRoom = true;
    QRect Scale; // the rectangle handed to the scale painter
    int LineX = 0; // x of the scale line
    int PointerBaseX = 0;
    int PointerTipX = 0;
    int PointerHalf = 0;
    int Top = 0; // y of the top major tick
    int Bottom = 0; // y of the bottom major tick

    // y of the pointer for a per-mille position 0 .. 1000.
    int PointerY(int perMille) const;
    // The pixels the pointer triangle (outline included) covers at a per-mille position.
    QRect PointerBounds(int perMille) const;
};

// The scale is centred in the whole control width.
TScaleLayout LayoutScale(const QRect &content, int controlWidth, int scaleWidth, int majorLen,
                         bool posLeftTop);

// The value indicator's own size for its texts and options.
QSize ValueIndicatorSize(const TInstrumentParts &parts, const TInstrumentTexts &texts,
                         int outerBorder, int innerBorder, int valueBorder);
