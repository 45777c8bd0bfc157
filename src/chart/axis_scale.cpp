#include "chart/axis_scale.h"

#include "platform/store_if_changed.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double TinyPositive = 1e-100;

int ClampToPixel(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::nearbyint(std::clamp(v, -2147483647.0, 2147483647.0)));
}

} // namespace

TScale::TScale(QWidget *parent)
    : QWidget(parent)
{
    // On its own the control shows a range of 100 and its axis, the caption off the corner.
    m_axis.RangeHigh = 100.0;
    m_axis.CaptionPosX = 4;
    m_axis.CaptionPosY = 4;
    m_axis.Visible = true;
    resize(m_width, m_height);
    UpdateMapping();
}

void TScale::Changed()
{
    UpdateMapping();
    Paint();
}

void TScale::UpdateMapping()
{
    if (m_axis.RangeLow == m_axis.RangeHigh)
        return;
    const bool horizontal = Horizontal();
    const double n = horizontal ? m_width - m_marginLeft - m_marginRight - 1
                                : m_height - m_marginTop - m_marginBottom - 1;
    if (n <= 0) {
        m_k = 0;
        m_o = m_width / 2.0;
        return;
    }
    double low = m_axis.RangeLow;
    double high = m_axis.RangeHigh;
    if (m_axis.Logarithmic) {
        if (low <= 0 || high <= 0)
            return; // the chart reports the error; the previous mapping stays
        low = std::log(low);
        high = std::log(high);
    }
    if (horizontal) {
        m_k = n / (high - low);
        m_o = m_marginLeft - low * m_k;
    } else {
        m_k = n / (low - high);
        m_o = m_marginTop - high * m_k;
    }
}

int TScale::ValueToPixel(double value) const
{
    if (m_axis.Logarithmic) {
        if (value <= TinyPositive)
            return m_axis.RangeHigh >= m_axis.RangeLow ? 0 : m_width;
        return ClampToPixel(m_k * std::log(value) + m_o);
    }
    return ClampToPixel(m_k * value + m_o);
}

double TScale::TickValue(int i) const
{
    if (i < 1 || i > NumTicks())
        return 0.0;
    return m_tickList[static_cast<size_t>(i - 1)];
}

void TScale::SetAxisSettings(const TAxisSettings &value)
{
    if (StoreIfChanged(m_axis, value))
        Changed();
}

void TScale::SetScaleType(TScaleType value)
{
    if (StoreIfChanged(m_scaleType, value))
        Changed();
}

void TScale::SetRangeLow(double value)
{
    if (StoreIfChanged(m_axis.RangeLow, value))
        Changed();
}

void TScale::SetRangeHigh(double value)
{
    if (StoreIfChanged(m_axis.RangeHigh, value))
        Changed();
}

void TScale::SetRange(double low, double high)
{
    if (low == m_axis.RangeLow && high == m_axis.RangeHigh)
        return;
    m_axis.RangeLow = low;
    m_axis.RangeHigh = high;
    Changed();
}

void TScale::SetLogarithmic(bool value)
{
    if (StoreIfChanged(m_axis.Logarithmic, value))
        Changed();
}

void TScale::SetDecPlaces(int value)
{
    if (StoreIfChanged(m_axis.DecPlaces, value))
        Changed();
}

void TScale::SetLabelType(TFigType value)
{
    if (StoreIfChanged(m_axis.LabelType, value))
        Changed();
}

void TScale::SetShowBaseLine(bool value)
{
    if (StoreIfChanged(m_showBaseLine, value))
        Changed();
}

void TScale::SetTransparent(bool value)
{
    if (StoreIfChanged(m_transparent, value))
        Changed();
}

void TScale::SetMarginTop(int value)
{
    if (StoreIfChanged(m_marginTop, value))
        Changed();
}

void TScale::SetMarginBottom(int value)
{
    if (StoreIfChanged(m_marginBottom, value))
        Changed();
}

void TScale::SetMarginLeft(int value)
{
    if (StoreIfChanged(m_marginLeft, value))
        Changed();
}

void TScale::SetMarginRight(int value)
{
    if (StoreIfChanged(m_marginRight, value))
        Changed();
}

void TScale::SetMargins(int left, int top, int right, int bottom)
{
    if (left == m_marginLeft && top == m_marginTop && right == m_marginRight
        && bottom == m_marginBottom)
        return;
    m_marginLeft = left;
    m_marginTop = top;
    m_marginRight = right;
    m_marginBottom = bottom;
    Changed();
}

void TScale::SetSize(int width, int height)
{
    if (width == m_width && height == m_height)
        return;
    m_width = width;
    m_height = height;
    resize(std::max(width, 0), std::max(height, 0));
    Changed();
}

void TScale::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (width() == m_width && height() == m_height)
        return;
    m_width = width();
    m_height = height();
    Changed();
}

void TScale::SetColorBackGnd(TColor value)
{
    if (StoreIfChanged(m_colorBackGnd, value))
        Changed();
}

void TScale::SetFrameStyle(TFrameStyle value)
{
    if (StoreIfChanged(m_frameStyle, value))
        Changed();
}

void TScale::SetColorScheme(TColorScheme value)
{
    if (StoreIfChanged(m_colorScheme, value))
        Changed();
}

void TScale::SuppressPaint(bool suppress)
{
    if (suppress == m_paintSuppressed)
        return;
    m_paintSuppressed = suppress;
    if (!suppress)
        Paint();
}

void TScale::Paint()
{
    if (!m_axis.Visible || m_paintSuppressed)
        return;
    if (m_target) {
        QPainter painter(m_target);
        DrawOn(painter);
    } else {
        DrawControlImage();
        update();
    }
}
