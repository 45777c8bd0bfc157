#pragma once

#include "instruments/trend_options.h"
#include "platform/rounding.h"

#include <cstdint>

// Geometry of the trend, computed without pixels: the frame with its scales, the vertical
// mapping of record words, the columns a drawing pass covers and the cursor strip.

// A rectangle with exclusive right and bottom edges (Width = Right - Left).
struct TTrendRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TTrendRect &, const TTrendRect &) = default;
};

// What the frame layout is computed from: the area inside the outer bevel and measured texts.
struct TTrendFrameInput
{
    TTrendOptions Options;
    TTrendRect Content; // inside the outer bevel
    int OuterSpacing = 10; // spacing of the outer bevel, also the tick length
    TTrendRect InnerInsets; // per-side inset of the inner bevel (border and offset)
    int InnerBorderSize = 0;
    int CaptionHeight = 0; // caption text in its font
    int XHeight = 0; // "X" in the label font: room for the unit row
    int LeftLabelWidth = 0; // widest left scale label
    int LeftLabelHeight = 0;
    int RightLabelWidth = 0;
    int RightLabelHeight = 0;
    int LeftScaleCh = 0;
    int AbsScaleCh = 1;
};

struct TTrendFrameLayout
{
    int CaptionY = 0; // top of the caption text
    TTrendRect ScaleArea; // between the scales, holding the inner bevel
    int OuterRight = 0; // right edge of the content: the right labels align here
    int Tick = 0;
    int Gap = 0;
    int PlotTop = 0; // control y of the plot's first row, where the scales start
    int UnitY = 0; // middle of the unit labels
    TTrendRect Plot;
    int BottomReserve = 0;
    int ZeroY = 0; // plot row of relative digit 0
    double PixelsPerMille = 0.0;
};

TTrendFrameLayout ComputeTrendFrame(const TTrendFrameInput &input);

// Rows kept free below the zero line for the time/date labels or the channel label row.
int TrendBottomReserve(TTrendOptions options, int labelHeight, int leftScaleCh, int absScaleCh);

// Plot row of grid line (or scale tick) t of steps, measured from the plot's top.
int TrendGridY(int t, int steps, double pixelsPerMille);

// Plot row of a record word.
inline int TrendWordY(int zeroY, double pixelsPerDigit, std::uint16_t word)
{
    return zeroY - static_cast<int>(Round(word * pixelsPerDigit));
}

// Plot row of a limit given in percent of the plot height.
int TrendLimitY(int zeroY, double percent);

// Last row of the cursor line: it stops above the time and date labels.
int TrendCursorBottom(TTrendOptions options, int plotHeight, int labelHeight);

inline bool IsTrendTimeLabelColumn(int x, int gridXPixel)
{
    return x > 0 && x % gridXPixel == 0;
}

// The records and columns one drawing pass covers.
struct TTrendPass
{
    int First = 0;
    int Last = -1;
    int LastX = -1; // last column drawn
    int FirstDisplayedRec = 0;
    int LastDisplayedRec = 0;
};

TTrendPass ComputeTrendPass(int first, int last, int count, int plotWidth, int visibleRecords);

// Columns [From, To) of the plot that a cursor move repaints: the old and the new line and
// everything between them.
struct TTrendStrip
{
    int From = 0;
    int To = 0;
};

TTrendStrip TrendCursorStrip(int cursorX, int prevCursorX, int plotWidth);

// Navigation.
int TrendScrolledViewStart(int viewStart, int delta, int count, int gridXPixel);
// The view start that brings the newest record into view, moving in whole grid columns.
int TrendFollowedViewStart(int viewStart, int plotWidth, int count, int gridXPixel);
// Records to drop before appending in flow mode (0 when the list is below the limit).
int TrendTrimCount(int count, int maxRecords, int gridXPixel);
