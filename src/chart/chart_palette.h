#pragma once

#include "platform/color.h"

#include <optional>

// The colours a chart picture is drawn with. The window shows the chart's own colours; the
// black-and-white export draws with BlackWhitePalette() and leaves the chart's settings alone.
struct TChartPalette
{
    TColor Wind = clBtnFace;
    TColor Chart = clWhite;
    TColor ChartFrame = clBlack;
    TColor CaptionText = clBlack;
    TColor Shadow = clGrayText;
    TColor ShadowBak = clBtnFace;
    // Set: every axis, tick and axis text in this colour, every item black with silver fills.
    std::optional<TColor> Ink;
};

// White areas, black lines and texts, a silver shadow.
inline TChartPalette BlackWhitePalette()
{
    return {clWhite, clWhite, clBlack, clBlack, clSilver, clWhite, clBlack};
}
