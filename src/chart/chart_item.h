#pragma once

#include "platform/color.h"
#include "platform/drawing_types.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <ostream>
#include <type_traits>

// One display-list item: a plain 104-byte record, held in memory exactly as it is written to
// the fast display file (little-endian, IEEE doubles), so lists are copied, shared and saved
// byte for byte. The chart appends items through its Add* operations and reads them back for
// drawing; the application reads Y1 / Y2 for the CSV export and the statistics.

enum class TItemKind : std::uint8_t {
    ikNone = 0,
    ikDot = 1,
    ikLine = 2,
    ikLineTo = 3,
    ikMark = 4,
    ikRect = 5,
    ikEllipse = 6,
    ikFilledRect = 7,
    ikMoveTo = 8,
    ikText = 9,
    ikTransparentRect = 12,
    ikArc = 13,
    ikPolygon = 14,
    ikFilledEllipse = 15,
    ikBitmap = 16
};

// An 8-bit ordinal field that reads as its enumeration and compares with plain numbers, so
// both `item.Kind == TItemKind::ikLine` and `item.Kind == 2` hold; `switch (item.Kind)` works.
template<typename Enum>
struct TOrdinalByte
{
    std::uint8_t Value;

    TOrdinalByte() = default;
    constexpr TOrdinalByte(Enum e)
        : Value(static_cast<std::uint8_t>(e))
    { }
    constexpr TOrdinalByte(int v)
        : Value(static_cast<std::uint8_t>(v))
    { }

    constexpr operator Enum() const { return static_cast<Enum>(Value); }
    constexpr explicit operator int() const { return Value; }

    friend constexpr bool operator==(TOrdinalByte a, int b) { return a.Value == b; }
    friend constexpr bool operator==(TOrdinalByte a, Enum b)
    {
        return a.Value == static_cast<std::uint8_t>(b);
    }
    friend std::ostream &operator<<(std::ostream &os, TOrdinalByte a) { return os << int(a.Value); }
};

struct TChartItem
{
    double X1;
    double Y1;
    double X2;
    double Y2;
    TColor Color;
    TColor FillColor;
    std::uint8_t Unused40[8];
    TOrdinalByte<TPenStyle> PenStyle;
    std::uint8_t Padding49[3];
    std::uint32_t Reserved;
    std::uint32_t LineWidth;
    std::uint8_t ItemClass;
    TOrdinalByte<TItemKind> Kind;
    std::uint8_t Padding62[2];
    std::int32_t Layer;
    std::uint8_t Unused68[36];
};

static_assert(sizeof(double) == 8 && std::numeric_limits<double>::is_iec559);
static_assert(std::endian::native == std::endian::little, "items are stored little-endian");
static_assert(std::is_trivially_copyable_v<TChartItem> && std::is_standard_layout_v<TChartItem>);
static_assert(sizeof(TChartItem) == 104);
static_assert(offsetof(TChartItem, X1) == 0);
static_assert(offsetof(TChartItem, Y1) == 8);
static_assert(offsetof(TChartItem, X2) == 16);
static_assert(offsetof(TChartItem, Y2) == 24);
static_assert(offsetof(TChartItem, Color) == 32);
static_assert(offsetof(TChartItem, FillColor) == 36);
static_assert(offsetof(TChartItem, PenStyle) == 48);
static_assert(offsetof(TChartItem, Reserved) == 52);
static_assert(offsetof(TChartItem, LineWidth) == 56);
static_assert(offsetof(TChartItem, ItemClass) == 60);
static_assert(offsetof(TChartItem, Kind) == 61);
static_assert(offsetof(TChartItem, Layer) == 64);
