#include "instruments/trend_layout.h"

#include "platform/rounding.h"

#include <algorithm>

int TrendBottomReserve(TTrendOptions options, int labelHeight, int leftScaleCh, int absScaleCh)
{
    int reserve = 0;
    if (options.Contains(TTrendOption::opDate))
        reserve += 4 + labelHeight;
    if (options.Contains(TTrendOption::opTime))
        reserve += 4 + labelHeight;
    if (reserve > 0)
        return reserve;
    const bool leftLabel = options.Contains(TTrendOption::opLeftScale) && leftScaleCh > 0;
    const bool rightLabel = options.Contains(TTrendOption::opRightScale) && absScaleCh > 0;
    return leftLabel || rightLabel ? labelHeight + 4 : 0;
}

TTrendFrameLayout ComputeTrendFrame(const TTrendFrameInput &in)
{
    TTrendFrameLayout out;
    TTrendRect a = in.Content;
    out.CaptionY = a.Top;
    if (in.Options.Contains(TTrendOption::opCaption))
        a.Top += in.CaptionHeight + in.OuterSpacing;
    else if (in.Options.Contains(TTrendOption::opLeftScale)
             || in.Options.Contains(TTrendOption::opRightScale))
        a.Top += in.XHeight;

    out.Tick = std::clamp(in.OuterSpacing, 2, 8);
    out.Gap = std::clamp(out.Tick + out.Tick / 2, 4, 12);
    out.OuterRight = a.Right;
    if (in.Options.Contains(TTrendOption::opLeftScale))
        a.Left += in.LeftLabelWidth + out.Gap;
    if (in.Options.Contains(TTrendOption::opRightScale))
        a.Right -= in.RightLabelWidth + out.Gap;
    out.ScaleArea = a;

    out.PlotTop = a.Top + in.InnerBorderSize;
    out.UnitY = out.PlotTop - in.RightLabelHeight;
    out.Plot = {a.Left + in.InnerInsets.Left, a.Top + in.InnerInsets.Top,
                a.Right - in.InnerInsets.Right, a.Bottom - in.InnerInsets.Bottom};
    out.BottomReserve
            = TrendBottomReserve(in.Options, in.LeftLabelHeight, in.LeftScaleCh, in.AbsScaleCh);
    out.ZeroY = out.Plot.Height() - 1 - out.BottomReserve;
    out.PixelsPerMille = out.ZeroY / 1000.0;
    return out;
}

int TrendGridY(int t, int steps, double pixelsPerMille)
{
    return static_cast<int>(Round(t * pixelsPerMille * (1000.0 / steps)));
}

int TrendLimitY(int zeroY, double percent)
{
    return zeroY - static_cast<int>(Round(percent * (zeroY / 100.0)));
}

int TrendCursorBottom(TTrendOptions options, int plotHeight, int labelHeight)
{
    const int rows = (options.Contains(TTrendOption::opDate) ? 1 : 0)
            + (options.Contains(TTrendOption::opTime) ? 1 : 0);
    if (rows == 0)
        return plotHeight;
    return plotHeight - rows * labelHeight - 2;
}

TTrendPass ComputeTrendPass(int first, int last, int count, int plotWidth, int visibleRecords)
{
    TTrendPass pass;
    pass.First = std::max(first, 0);
    pass.Last = std::min(last, count - 1);
    pass.FirstDisplayedRec = pass.First;
    pass.LastDisplayedRec = std::min(visibleRecords + pass.First, pass.Last);
    pass.LastX = std::min(plotWidth, pass.Last - pass.First);
    return pass;
}

TTrendStrip TrendCursorStrip(int cursorX, int prevCursorX, int plotWidth)
{
    const int from = std::clamp(std::min(cursorX, prevCursorX), 0, plotWidth);
    const int to = std::clamp(std::max(cursorX, prevCursorX) + 1, 0, plotWidth);
    return {from, to};
}

int TrendScrolledViewStart(int viewStart, int delta, int count, int gridXPixel)
{
    long long start = static_cast<long long>(viewStart) + delta;
    if (count < start)
        start = static_cast<long long>(count) - 1 - gridXPixel;
    return static_cast<int>(std::max<long long>(start, 0));
}

int TrendFollowedViewStart(int viewStart, int plotWidth, int count, int gridXPixel)
{
    const long long behind = static_cast<long long>(count) - 1 - plotWidth - viewStart;
    if (behind <= 0)
        return viewStart;
    const long long steps = (behind + gridXPixel - 1) / gridXPixel;
    return static_cast<int>(viewStart + steps * gridXPixel);
}

int TrendTrimCount(int count, int maxRecords, int gridXPixel)
{
    if (count - 1 < maxRecords)
        return 0;
    // Never more than all but the newest record, so the limit holds for any grid width.
    return std::min(count - 1 + gridXPixel - maxRecords, count - 1);
}
