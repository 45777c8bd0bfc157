#include "chart/chart_painting.h"
#include "chart/pixel_lines.h"
#include "chart/rchart.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace {

// Draws the items of one RenderItems run: pen and brush change only when an item's attributes
// differ from the cached ones, and connected lines go out as polylines of up to 200 points.
// One-pixel solid pens are written straight into the image; other pens go through the painter,
// whose pen is set only when it draws.
class ItemPainter
{
public:
    ItemPainter(QPainter &painter, PixelLines *pixels, TColor chartColor, int lineWidth)
        : m_painter(painter)
        , m_pixels(pixels)
        , m_color(chartColor)
        , m_fill(chartColor)
        , m_width(lineWidth)
    {
        m_painter.setBrush(ToQColor(m_fill));
        Changed();
    }

    void SetWidth(int width)
    {
        if (width != m_width) {
            Flush();
            m_width = width;
            Changed();
        }
    }

    // Lines drawn pixel by pixel go through this mask (see BlackWhitePattern).
    void SetPattern(std::uint16_t pattern)
    {
        if (pattern != m_pattern) {
            Flush();
            m_pattern = pattern;
        }
    }

    void MoveTo(QPoint p)
    {
        Flush();
        m_current = p;
    }

    void LineTo(QPoint p, TColor color, TPenStyle style, TColor fill)
    {
        if (color != m_color || style != m_style || fill != m_fill) {
            Flush();
            SetAttributes(color, style, fill);
        }
        if (m_count == 0) {
            m_points[m_count++] = m_current;
        }
        m_points[m_count++] = p;
        if (m_count == MaxPoints) {
            Flush();
            m_points[m_count++] = p;
        }
    }

    void Line(QPoint a, QPoint b, TColor color, TPenStyle style, TColor fill)
    {
        Flush();
        SetAttributes(color, style, fill);
        if (a == b) {
            if (m_pixels) {
                m_pixels->SetPixel(a, m_rgb);
            } else {
                m_painter.fillRect(QRect(a, QSize(1, 1)), ToQColor(color));
            }
        } else if (m_direct) {
            m_pixels->Line(a, b, m_rgb, m_pattern);
        } else if (m_visible) {
            PreparePainter();
            m_painter.drawLine(a, b);
        }
        m_current = b;
    }

    void Flush()
    {
        if (m_count == 0) {
            return;
        }
        if (m_count >= 2 && m_direct) {
            for (int i = 1; i < m_count; ++i) {
                m_pixels->Line(m_points[i - 1], m_points[i], m_rgb, m_pattern);
            }
        } else if (m_count >= 2 && m_visible) {
            PreparePainter();
            if (m_width <= 1) {
                m_painter.drawPolyline(m_points, m_count);
            } else {
                // A wide pen outlines a whole polyline as one shape: far too slow.
                m_segments.clear();
                for (int i = 1; i < m_count; ++i) {
                    m_segments.emplace_back(m_points[i - 1], m_points[i]);
                }
                m_painter.drawLines(m_segments.data(), static_cast<int>(m_segments.size()));
            }
        }
        m_current = m_points[m_count - 1];
        m_count = 0;
    }

private:
    static constexpr int MaxPoints = 200;

    void SetAttributes(TColor color, TPenStyle style, TColor fill)
    {
        if (color != m_color || style != m_style) {
            m_color = color;
            m_style = style;
            Changed();
        }
        if (fill != m_fill) {
            m_fill = fill;
            m_painter.setBrush(ToQColor(m_fill));
        }
    }

    void Changed()
    {
        m_penDirty = true;
        m_rgb = ToQColor(m_color).rgb();
        m_visible = m_style != TPenStyle::psClear;
        m_direct = m_pixels && m_width <= 1
                && (m_style == TPenStyle::psSolid || m_style == TPenStyle::psInsideFrame);
    }

    void PreparePainter()
    {
        if (m_penDirty) {
            m_painter.setPen(ChartPen(m_color, m_width, m_style));
            m_penDirty = false;
        }
    }

    QPainter &m_painter;
    PixelLines *m_pixels;
    TColor m_color;
    TPenStyle m_style = TPenStyle::psSolid;
    TColor m_fill;
    int m_width;
    QRgb m_rgb = 0;
    bool m_visible = true;
    bool m_direct = false;
    bool m_penDirty = true;
    std::uint16_t m_pattern = PixelLines::Solid;
    QPoint m_current {0, 0};
    QPoint m_points[MaxPoints];
    int m_count = 0;
    std::vector<QLine> m_segments;
};

constexpr double RoundingMagic = 6755399441055744.0; // 1.5 * 2^52: adding it rounds to even

// The chart's rounding (ties to even, in extended precision), limited to the clamp range.
int RoundClamped(long double v)
{
    if (std::isnan(v)) {
        return 0;
    }
    return static_cast<int>(std::nearbyint(std::clamp(v, -30000.0L, 30000.0L)));
}

// One axis of a linear layer. Double precision decides every pixel that is not close to a tie;
// near a tie, or far outside, the chart's extended precision decides, so the result is always
// the chart's own mapping.
struct AxisMap
{
    long double k = 0;
    long double o = 0;
    double kd = 0;
    double od = 0;

    int operator()(double u) const
    {
        const double v = kd * u + od;
        if (v > -30000 && v < 30000) {
            const double r = (v + RoundingMagic) - RoundingMagic;
            if (std::fabs(v - r) < 0.4999) {
                return static_cast<int>(r);
            }
        }
        return RoundClamped(k * u + o);
    }
};

// The mapping of every layer, read once per run; logarithmic layers ask the chart.
class PointMapper
{
public:
    PointMapper(const TChartModel &chart, QPoint shift)
        : m_chart(chart)
        , m_shift(shift)
    {
        for (int layer = 1; layer <= TChartModel::LayerCount; ++layer) {
            const auto i = static_cast<size_t>(layer - 1);
            m_linear[i] = !chart.ScaleX(layer).Logarithmic() && !chart.ScaleY(layer).Logarithmic();
            const TLayerMapping &m = chart.Mapping(layer);
            m_x[i] = {m.KX, m.OX, static_cast<double>(m.KX), static_cast<double>(m.OX)};
            m_y[i] = {m.KY, m.OY, static_cast<double>(m.KY), static_cast<double>(m.OY)};
        }
    }

    QPoint operator()(int layer, double x, double y) const
    {
        const auto i = static_cast<size_t>(std::clamp(layer, 1, TChartModel::LayerCount) - 1);
        if (m_linear[i]) {
            return QPoint(m_x[i](x), m_y[i](y)) + m_shift;
        }
        const QPoint p = m_chart.UserToPixel(layer, x, y);
        return QPoint(ClampPixel(p.x()), ClampPixel(p.y())) + m_shift;
    }

private:
    const TChartModel &m_chart;
    QPoint m_shift;
    std::array<bool, TChartModel::LayerCount> m_linear {};
    std::array<AxisMap, TChartModel::LayerCount> m_x {};
    std::array<AxisMap, TChartModel::LayerCount> m_y {};
};

// Grid positions along one axis: the axis's tick values, or multiples of the spacing; a
// position at or beyond the upper bound ends the sequence, as do 1000 positions.
std::vector<double> GridPositions(const std::vector<double> &ticks, double spacing, double a,
                                  double b)
{
    const double low = std::min(a, b);
    const double high = std::max(a, b);
    std::vector<double> positions;
    if (spacing > 0) {
        for (double v = std::ceil(low / spacing) * spacing; v < high && positions.size() < 1000;
             v += spacing) {
            positions.push_back(v);
        }
        return positions;
    }
    if (ticks.empty()) {
        if (low < high) {
            positions.push_back(low);
        }
        return positions;
    }
    for (double v : ticks) {
        if (v >= high || positions.size() >= 1000) {
            break;
        }
        positions.push_back(v);
    }
    return positions;
}

// Where the pen stands after the visible items before next: the end of the last one that moves
// it, or the corner where every run starts.
QPoint ResumePoint(const TChartModel &chart, const PointMapper &map, const TChartItem *next)
{
    for (const TChartItem *item = next; item != chart.Items();) {
        --item;
        if (!chart.ItemVisible(*item)) {
            continue;
        }
        switch (static_cast<TItemKind>(item->Kind)) {
        case TItemKind::ikMoveTo:
        case TItemKind::ikLineTo:
            return map(item->Layer, item->X1, item->Y1);
        case TItemKind::ikLine:
            return map(item->Layer, item->X2, item->Y2);
        default:
            break;
        }
    }
    return QPoint(0, 0);
}

} // namespace

void TCustomRChart::SetBlackWhitePattern(int layer, std::uint16_t pattern)
{
    if (layer >= 1 && layer <= LayerCount) {
        m_blackWhitePatterns[static_cast<size_t>(layer - 1)] = pattern;
    }
}

void TCustomRChart::RenderItems(QImage &canvas, int xOffset, int yOffset, bool blackWhite,
                                int gridIndex)
{
    RenderItemRange(canvas, xOffset, yOffset, blackWhite, gridIndex == 0, 0);
}

void TCustomRChart::RenderItemRange(QImage &canvas, int xOffset, int yOffset, bool blackWhite,
                                    bool grid, int first)
{
    if (canvas.isNull() || (first > 0 && first >= ItemCount() && !grid)) {
        return;
    }
    const bool direct
            = canvas.format() == QImage::Format_RGB32 || canvas.format() == QImage::Format_ARGB32;
    std::optional<PixelLines> pixels;
    if (direct) {
        pixels.emplace(canvas); // before the painter: the image must not detach later
    }
    QPainter painter(&canvas);
    if (OnBeforeRenderData) {
        const QPen pen = painter.pen();
        const QBrush brush = painter.brush();
        OnBeforeRenderData(this, painter, yOffset, xOffset);
        painter.setPen(pen);
        painter.setBrush(brush);
    }
    if (m_gridStyle != GridStyleType::gsNone && grid) {
        DrawGrid(painter, xOffset, yOffset);
    }
    const TChartPalette palette = blackWhite ? BlackWhitePalette() : LivePalette();
    ItemPainter items(painter, pixels ? &*pixels : nullptr, palette.Chart, LineWidth());
    const PointMapper map(m_model, QPoint(xOffset - MarginLeft(), yOffset - MarginTop()));
    const TChartItem *item = Items() + std::clamp(first, 0, ItemCount());
    if (first > 0) {
        items.MoveTo(ResumePoint(m_model, map, item));
    }
    for (const TChartItem *end = Items() + ItemCount(); item != end; ++item) {
        if (!ItemVisible(*item)) {
            continue;
        }
        const TColor color = blackWhite ? clBlack : item->Color;
        const TColor fill = blackWhite ? clSilver : item->FillColor;
        items.SetWidth(static_cast<int>(item->LineWidth));
        if (blackWhite) {
            items.SetPattern(BlackWhitePattern(item->Layer));
        }
        switch (static_cast<TItemKind>(item->Kind)) {
        case TItemKind::ikMoveTo:
            items.MoveTo(map(item->Layer, item->X1, item->Y1));
            break;
        case TItemKind::ikLineTo:
            items.LineTo(map(item->Layer, item->X1, item->Y1), color, item->PenStyle, fill);
            break;
        case TItemKind::ikLine:
            items.Line(map(item->Layer, item->X1, item->Y1), map(item->Layer, item->X2, item->Y2),
                       color, item->PenStyle, fill);
            break;
        default: // kinds this chart never creates are skipped
            break;
        }
    }
    items.Flush();
    if (OnDataRendered) {
        OnDataRendered(this, painter, yOffset, xOffset);
    }
    const QPoint o(xOffset, yOffset);
    const int pw = PlotWidth();
    const int ph = PlotHeight();
    painter.setPen(ChartPen(palette.ChartFrame));
    painter.drawPolyline(QPolygon({QPoint(0, 0) + o, QPoint(pw, 0) + o, QPoint(pw, ph) + o,
                                   QPoint(0, ph) + o, QPoint(0, 0) + o}));
}

void TCustomRChart::DrawGrid(QPainter &painter, int xOffset, int yOffset)
{
    const int layer = ActiveLayer();
    const TScaleProps &sx = ScaleX(layer);
    const TScaleProps &sy = ScaleY(layer);
    const std::vector<double> xs
            = GridPositions(AxisX(layer).TickList(), m_gridDx, sx.RangeLow(), sx.RangeHigh());
    const std::vector<double> ys
            = GridPositions(AxisY(layer).TickList(), m_gridDy, sy.RangeLow(), sy.RangeHigh());
    const QPoint shift(xOffset - MarginLeft(), yOffset - MarginTop());
    const auto map = [&](double x, double y) {
        const QPoint p = UserToPixel(layer, x, y);
        return QPoint(ClampPixel(p.x()), ClampPixel(p.y())) + shift;
    };
    const GridStyleType style = m_gridStyle;
    painter.setBrush(ToQColor(m_chartColor));
    if (style == GridStyleType::gsPoints) {
        int drawn = 0;
        for (double x : xs) {
            for (double y : ys) {
                if (drawn++ >= 1000) {
                    return;
                }
                painter.fillRect(QRect(map(x, y), QSize(1, 1)), ToQColor(m_gridColor));
            }
        }
        return;
    }
    const bool dotted = style == GridStyleType::gsHorizDotLines
            || style == GridStyleType::gsVertDotLines || style == GridStyleType::gsDotLines;
    painter.setPen(ChartPen(m_gridColor, 1, dotted ? TPenStyle::psDot : TPenStyle::psSolid));
    const bool vertical = style == GridStyleType::gsVertLines
            || style == GridStyleType::gsVertDotLines || style == GridStyleType::gsLines
            || style == GridStyleType::gsDotLines;
    const bool horizontal = style == GridStyleType::gsHorizLines
            || style == GridStyleType::gsHorizDotLines || style == GridStyleType::gsLines
            || style == GridStyleType::gsDotLines;
    if (vertical) {
        for (double x : xs) {
            painter.drawLine(map(x, sy.RangeLow()), map(x, sy.RangeHigh()));
        }
    }
    if (horizontal) {
        for (double y : ys) {
            painter.drawLine(map(sx.RangeLow(), y), map(sx.RangeHigh(), y));
        }
    }
    painter.setPen(ChartPen(m_gridColor));
}
