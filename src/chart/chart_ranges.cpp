#include "chart/chart_model.h"

#include <cmath>
#include <limits>

// Ranges of the layers and the mapping between user coordinates and pixels.

namespace {

constexpr double TinyPositive = 1e-100;

int RoundPixel(long double v)
{
    if (std::isnan(v))
        return 0;
    if (v > 2147483647.0L)
        v = 2147483647.0L;
    else if (v < -2147483647.0L)
        v = -2147483647.0L;
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

void TChartModel::SetRange(int layer, double xLow, double yLow, double xHigh, double yHigh)
{
    const int first = layer == 0 ? 1 : ClampLayer(layer);
    const int last = layer == 0 ? LayerCount : first;
    for (int l = first; l <= last; ++l) {
        double xl = xLow;
        double yl = yLow;
        double xh = xHigh;
        double yh = yHigh;
        WidenEqualBounds(l, xl, yl, xh, yh);
        if (m_isometric)
            MakeIsometric(l, xl, xh, yl, yh);
        const bool previous = m_paintSuppressed;
        SuppressPaint(true);
        try {
            ApplyLayerRange(l, xl, yl, xh, yh);
        } catch (...) {
            m_paintSuppressed = previous; // a repaint now would only raise the error again
            throw;
        }
        SuppressPaint(previous);
    }
    RepaintIfAutoRedraw();
}

void TChartModel::WidenEqualBounds(int layer, double &xLow, double &yLow, double &xHigh,
                                   double &yHigh) const
{
    auto widen = [](const TScaleProps &scale, double &low, double &high) {
        if (low != high)
            return;
        if (scale.Logarithmic()) {
            low /= 1.1;
            high *= 1.1;
        } else {
            low -= scale.MinRange() / 2;
            high += scale.MinRange() / 2;
        }
    };
    widen(ScaleX(layer), xLow, xHigh);
    widen(ScaleY(layer), yLow, yHigh);
}

void TChartModel::MakeIsometric(int layer, double xLow, double xHigh, double &yLow,
                                double &yHigh) const
{
    // Square pixels: one user unit gets the same length on both axes; the Y centre stays.
    (void)layer;
    const int pw = PlotWidth();
    const int ph = PlotHeight();
    if (pw <= 0 || ph <= 0)
        return;
    const double half = std::fabs(xHigh - xLow) * ph / pw / 2;
    const double middle = (yLow + yHigh) / 2;
    const double dir = yHigh >= yLow ? 1.0 : -1.0;
    yLow = middle - dir * half;
    yHigh = middle + dir * half;
}

void TChartModel::ApplyLayerRange(int layer, double xLow, double yLow, double xHigh, double yHigh)
{
    layer = ClampLayer(layer);
    if (m_joints.XControlledBy(layer) != layer) {
        xLow = ScaleX(layer).RangeLow();
        xHigh = ScaleX(layer).RangeHigh();
    }
    if (m_joints.YControlledBy(layer) != layer) {
        yLow = ScaleY(layer).RangeLow();
        yHigh = ScaleY(layer).RangeHigh();
    }
    SetLayerRange(layer, xLow, yLow, xHigh, yHigh);
    for (int other = 1; other <= LayerCount; ++other) {
        if (other == layer)
            continue;
        const int xBy = m_joints.XControlledBy(other);
        const int yBy = m_joints.YControlledBy(other);
        if (xBy != layer && yBy != layer)
            continue;
        SetLayerRange(other, ScaleX(xBy).RangeLow(), ScaleY(yBy).RangeLow(),
                      ScaleX(xBy).RangeHigh(), ScaleY(yBy).RangeHigh());
    }
}

bool TChartModel::WideEnough(const TScaleProps &scale, double low, double high)
{
    // Bounds widened from equal values have a width of MinRange up to the rounding of the
    // bounds; that much is let through.
    const double slack = 4 * std::numeric_limits<double>::epsilon()
            * std::max(std::fabs(low), std::fabs(high));
    return std::fabs(high - low) >= scale.MinRange() - slack;
}

void TChartModel::StoreLayerRange(TScaleProps &scale, double low, double high)
{
    if (!WideEnough(scale, low, high))
        return;
    if (scale.Logarithmic()) {
        if (low < TinyPositive)
            low = scale.RangeLow();
        if (high < TinyPositive)
            high = scale.RangeHigh();
    }
    scale.StoreRange(low, high);
}

void TChartModel::SetLayerRange(int layer, double xLow, double yLow, double xHigh, double yHigh)
{
    layer = ClampLayer(layer);
    StoreLayerRange(ScaleX(layer), xLow, xHigh);
    StoreLayerRange(ScaleY(layer), yLow, yHigh);
    ScaleRangesChanged(layer);
    UpdateLayerMapping(layer);
}

void TChartModel::FollowJoints(int layer)
{
    const int xBy = m_joints.XControlledBy(layer);
    const int yBy = m_joints.YControlledBy(layer);
    if (xBy != layer)
        ScaleX(layer).StoreRange(ScaleX(xBy).RangeLow(), ScaleX(xBy).RangeHigh());
    if (yBy != layer)
        ScaleY(layer).StoreRange(ScaleY(yBy).RangeLow(), ScaleY(yBy).RangeHigh());
    if (xBy != layer || yBy != layer)
        ScaleRangesChanged(layer);
}

// ---- Mapping ------------------------------------------------------------------------------

void TChartModel::UpdateMapping()
{
    for (int layer = 1; layer <= LayerCount; ++layer)
        UpdateLayerMapping(layer);
}

void TChartModel::UpdateLayerMapping(int layer)
{
    if (m_loading)
        return;
    const TScaleProps &sx = ScaleX(layer);
    const TScaleProps &sy = ScaleY(layer);
    // Both directions are checked before anything is stored, so an error leaves the factors.
    if ((sx.Logarithmic() && (sx.RangeLow() <= 0 || sx.RangeHigh() <= 0))
        || (sy.Logarithmic() && (sy.RangeLow() <= 0 || sy.RangeHigh() <= 0)))
        throw EChartError(QStringLiteral("Logarithmic axis must not be negative."));
    TLayerMapping &m = m_mapping[static_cast<size_t>(layer - 1)];
    const long double pw = PlotWidth();
    const long double ph = PlotHeight();
    const long double right = m_width - m_marginRight - m_shadowWidth;
    const long double bottom = m_height - m_marginBottom - m_shadowWidth;
    auto bounds = [](const TScaleProps &s, long double &lo, long double &hi) {
        lo = s.RangeLow();
        hi = s.RangeHigh();
        if (s.Logarithmic()) {
            lo = std::log(lo);
            hi = std::log(hi);
        }
    };
    long double lo = 0;
    long double hi = 0;
    if (pw <= 0) {
        m.KX = 0;
        m.OX = m_width / 2.0L;
    } else {
        bounds(sx, lo, hi);
        m.KX = pw / (hi - lo);
        m.OX = (m_marginLeft * hi - right * lo) / (hi - lo);
    }
    if (ph <= 0) {
        m.KY = 0;
        m.OY = m_height / 2.0L;
    } else {
        bounds(sy, lo, hi);
        m.KY = -ph / (hi - lo);
        m.OY = (bottom * hi - m_marginTop * lo) / (hi - lo);
    }
}

void TChartModel::UserToPixel(int layer, double x, double y, int &px, int &py) const
{
    layer = ClampLayer(layer);
    const TLayerMapping &m = m_mapping[static_cast<size_t>(layer - 1)];
    const TScaleProps &sx = m_scaleX[static_cast<size_t>(layer - 1)];
    const TScaleProps &sy = m_scaleY[static_cast<size_t>(layer - 1)];
    if (!sx.Logarithmic())
        px = RoundPixel(m.KX * x + m.OX);
    else if (x > TinyPositive)
        px = RoundPixel(m.KX * std::log(static_cast<long double>(x)) + m.OX);
    else
        px = sx.RangeHigh() >= sx.RangeLow() ? 0 : m_width;
    if (!sy.Logarithmic())
        py = RoundPixel(m.KY * y + m.OY);
    else if (y > TinyPositive)
        py = RoundPixel(m.KY * std::log(static_cast<long double>(y)) + m.OY);
    else
        py = sy.RangeHigh() >= sy.RangeLow() ? m_height : 0;
}

QPoint TChartModel::UserToPixel(int layer, double x, double y) const
{
    int px = 0;
    int py = 0;
    UserToPixel(layer, x, y, px, py);
    return QPoint(px, py);
}

void TChartModel::PixelToUser(int layer, int px, int py, double &x, double &y) const
{
    layer = ClampLayer(layer);
    const TLayerMapping &m = m_mapping[static_cast<size_t>(layer - 1)];
    const TScaleProps &sx = m_scaleX[static_cast<size_t>(layer - 1)];
    const TScaleProps &sy = m_scaleY[static_cast<size_t>(layer - 1)];
    // A plot without width or height has no inverse; its range start stands in.
    if (m.KX == 0) {
        x = sx.RangeLow();
    } else {
        const long double u = (px - m.OX) / m.KX;
        x = static_cast<double>(sx.Logarithmic() ? std::exp(u) : u);
    }
    if (m.KY == 0) {
        y = sy.RangeLow();
    } else {
        const long double v = (py - m.OY) / m.KY;
        y = static_cast<double>(sy.Logarithmic() ? std::exp(v) : v);
    }
}

QPointF TChartModel::PixelToUser(int layer, int px, int py) const
{
    double x = 0;
    double y = 0;
    PixelToUser(layer, px, py, x, y);
    return QPointF(x, y);
}
