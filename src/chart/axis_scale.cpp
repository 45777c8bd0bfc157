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
    if (m_rangeLow == m_rangeHigh)
        return;
    const bool horizontal = Horizontal();
    const double n = horizontal ? m_width - m_marginLeft - m_marginRight - 1
                                : m_height - m_marginTop - m_marginBottom - 1;
    if (n <= 0) {
        m_k = 0;
        m_o = m_width / 2.0;
        return;
    }
    double low = m_rangeLow;
    double high = m_rangeHigh;
    if (m_logarithmic) {
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
    if (m_logarithmic) {
        if (value <= TinyPositive)
            return m_rangeHigh >= m_rangeLow ? 0 : m_width;
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

void TScale::SetScaleType(TScaleType value)
{
    if (StoreIfChanged(m_scaleType, value))
        Changed();
}

void TScale::SetRangeLow(double value)
{
    if (StoreIfChanged(m_rangeLow, value))
        Changed();
}

void TScale::SetRangeHigh(double value)
{
    if (StoreIfChanged(m_rangeHigh, value))
        Changed();
}

void TScale::SetRange(double low, double high)
{
    if (low == m_rangeLow && high == m_rangeHigh)
        return;
    m_rangeLow = low;
    m_rangeHigh = high;
    Changed();
}

void TScale::SetLogarithmic(bool value)
{
    if (StoreIfChanged(m_logarithmic, value))
        Changed();
}

void TScale::SetMinTicks(int value)
{
    if (StoreIfChanged(m_minTicks, value))
        Changed();
}

void TScale::SetShortTicks(bool value)
{
    if (StoreIfChanged(m_shortTicks, value))
        Changed();
}

void TScale::SetDecPlaces(int value)
{
    if (StoreIfChanged(m_decPlaces, value))
        Changed();
}

void TScale::SetLabelType(TFigType value)
{
    if (StoreIfChanged(m_labelType, value))
        Changed();
}

void TScale::SetUserTickText(const QString &value)
{
    if (StoreIfChanged(m_userTickText, value))
        Changed();
}

void TScale::SetScaleInscript(const QString &value)
{
    if (StoreIfChanged(m_scaleInscript, value))
        Changed();
}

void TScale::SetDateFormat(const TDTLabel &value)
{
    if (StoreIfChanged(m_dateFormat, value))
        Changed();
}

void TScale::SetCaption(const QString &value)
{
    if (StoreIfChanged(m_caption, value))
        Changed();
}

void TScale::SetCaptionPosX(int value)
{
    if (StoreIfChanged(m_captionPosX, value))
        Changed();
}

void TScale::SetCaptionPosY(int value)
{
    if (StoreIfChanged(m_captionPosY, value))
        Changed();
}

void TScale::SetCaptionAlignment(TAlignment value)
{
    if (StoreIfChanged(m_captionAlignment, value))
        Changed();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor value)
{
    if (StoreIfChanged(m_captionAnchor, value))
        Changed();
}

void TScale::SetColorScale(TColor value)
{
    if (StoreIfChanged(m_colorScale, value))
        Changed();
}

void TScale::SetFont(const TFont &value)
{
    if (StoreIfChanged(m_font, value))
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

void TScale::SetVisible(bool value)
{
    if (StoreIfChanged(m_visible, value))
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
    if (!m_visible || m_paintSuppressed)
        return;
    if (m_target) {
        QPainter painter(m_target);
        DrawOn(painter);
    } else {
        DrawControlImage();
        update();
    }
}
