#pragma once

#include "platform/color.h"

#include <QString>

#include <cstdint>
#include <initializer_list>

enum class GridStyleType {
    gsNone,
    gsPoints,
    gsVertLines,
    gsHorizLines,
    gsLines,
    gsHorizDotLines,
    gsVertDotLines,
    gsDotLines
};

enum class TShadowStyle { ssFlying, ssBox };

enum class TCaptionAnchorHoriz {
    cahControlLeft,
    cahChartLeft,
    cahChartCenter,
    cahChartRight,
    cahControlRight
};

enum class TCaptionAnchorVert {
    cavControlTop,
    cavChartTop,
    cavChartCenter,
    cavChartBottom,
    cavControlBottom
};

enum class TMouseActMode {
    maNone,
    maPan,
    maPanHoriz,
    maPanVert,
    maRubberBand,
    maZoom,
    maZoomWind,
    maZoomWindPos,
    maZoomDrag,
    maDragCrossH,
    maDragLabel,
    maRotate,
    maRotAndZoom,
    maRotXOnly,
    maRotZOnly
};

enum class TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };

// The keys and mouse buttons held during a mouse event.
class TShiftState
{
public:
    TShiftState() = default;
    TShiftState(std::initializer_list<TShiftStateItem> items)
    {
        for (TShiftStateItem item : items) {
            Include(item);
        }
    }
    bool Contains(TShiftStateItem item) const { return (m_bits & Bit(item)) != 0; }
    void Include(TShiftStateItem item) { m_bits |= Bit(item); }
    bool operator==(const TShiftState &) const = default;

private:
    static std::uint8_t Bit(TShiftStateItem item)
    {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(item));
    }
    std::uint8_t m_bits = 0;
};

enum class TBkgFillMode { bfSimple, bfStretch, bfTile };
enum class TBkgAreaMode { bamNone, bamLeft, bamRight, bamTop, bamBottom, bamBetween, bamInside };

// The plot's background picture, or a coloured area given in layer 1's user coordinates.
struct TBakGndImg
{
    QString FileName;
    TBkgFillMode FillMode = TBkgFillMode::bfStretch;
    TBkgAreaMode AreaMode = TBkgAreaMode::bamNone;
    TColor AreaColor = 0xDDDDDD;
    double AreaLeft = -1;
    double AreaRight = 1;
    double AreaTop = 1;
    double AreaBottom = -1;
};
