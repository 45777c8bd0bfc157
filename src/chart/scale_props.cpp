#include "chart/scale_props.h"

#include "platform/store_if_changed.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double TinyPositive = 1e-100;

} // namespace

TScaleProps::TScaleProps(bool horizontal)
    : m_horizontal(horizontal)
{ }

TScaleProps::TScaleProps(const TScaleProps &other)
    : m_horizontal(other.m_horizontal)
{
    CopySettings(other);
}

TScaleProps &TScaleProps::operator=(const TScaleProps &other)
{
    if (this != &other)
        CopySettings(other);
    return *this;
}

void TScaleProps::CopySettings(const TScaleProps &source)
{
    m_farSide = source.m_farSide;
    m_rangeLow = source.m_rangeLow;
    m_rangeHigh = source.m_rangeHigh;
    m_minRange = source.m_minRange;
    m_logarithmic = source.m_logarithmic;
    m_labelType = source.m_labelType;
    m_decPlaces = source.m_decPlaces;
    m_minTicks = source.m_minTicks;
    m_shortTicks = source.m_shortTicks;
    m_caption = source.m_caption;
    m_captionPosX = source.m_captionPosX;
    m_captionPosY = source.m_captionPosY;
    m_captionAlignment = source.m_captionAlignment;
    m_captionAnchor = source.m_captionAnchor;
    m_colorScale = source.m_colorScale;
    m_font = source.m_font;
    m_dateFormat = source.m_dateFormat;
    m_scaleInscript = source.m_scaleInscript;
    m_userTickText = source.m_userTickText;
    m_scalePos = source.m_scalePos;
    m_visible = source.m_visible;
}

void TScaleProps::Assign(const TScaleProps &source)
{
    if (this == &source)
        return;
    CopySettings(source);
    Changed();
}

void TScaleProps::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TScaleProps::StoreRange(double low, double high)
{
    m_rangeLow = low;
    m_rangeHigh = high;
}

void TScaleProps::SetRangeLow(double value)
{
    if (value == m_rangeLow)
        return;
    if (std::fabs(m_rangeHigh - value) < m_minRange) {
        m_rangeLow = value;
        m_rangeHigh = value + m_minRange;
    } else if (m_logarithmic && value < TinyPositive) {
        return;
    } else {
        m_rangeLow = value;
    }
    Changed();
}

void TScaleProps::SetRangeHigh(double value)
{
    if (value == m_rangeHigh)
        return;
    if (std::fabs(m_rangeLow - value) < m_minRange) {
        m_rangeHigh = value;
        m_rangeLow = value - m_minRange;
    } else if (m_logarithmic && value < TinyPositive) {
        return;
    } else {
        m_rangeHigh = value;
    }
    Changed();
}

void TScaleProps::SetMinRange(double value)
{
    if (value <= TinyPositive || value == m_minRange)
        return;
    m_minRange = value;
    if (std::fabs(m_rangeHigh - m_rangeLow) < value) {
        // Re-centre, keeping the direction of the axis.
        const double middle = (m_rangeLow + m_rangeHigh) / 2;
        const double half = m_rangeHigh >= m_rangeLow ? value / 2 : -value / 2;
        m_rangeLow = middle - half;
        m_rangeHigh = middle + half;
    }
    Changed();
}

void TScaleProps::SetLogarithmic(bool value)
{
    if (value == m_logarithmic)
        return;
    if (value
        && (m_rangeLow < TinyPositive || m_rangeHigh < TinyPositive
            || m_labelType == TFigType::ftDateTime))
        return;
    m_logarithmic = value;
    Changed();
}

void TScaleProps::SetLabelType(TFigType value)
{
    if (value == m_labelType)
        return;
    m_labelType = value;
    if (value == TFigType::ftDateTime)
        m_logarithmic = false;
    if (value == TFigType::ftTime)
        m_decPlaces = 4;
    Changed();
}

void TScaleProps::SetDecPlaces(int value)
{
    value = std::clamp(value, -3, 12);
    if (value == m_decPlaces)
        return;
    m_decPlaces = value;
    Changed();
}

void TScaleProps::SetMinTicks(int value)
{
    if (StoreIfChanged(m_minTicks, value))
        Changed();
}

void TScaleProps::SetShortTicks(bool value)
{
    if (StoreIfChanged(m_shortTicks, value))
        Changed();
}

void TScaleProps::SetCaption(const QString &value)
{
    if (StoreIfChanged(m_caption, value))
        Changed();
}

void TScaleProps::SetCaptionPosX(int value)
{
    if (StoreIfChanged(m_captionPosX, value))
        Changed();
}

void TScaleProps::SetCaptionPosY(int value)
{
    if (StoreIfChanged(m_captionPosY, value))
        Changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment value)
{
    if (StoreIfChanged(m_captionAlignment, value))
        Changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor value)
{
    if (StoreIfChanged(m_captionAnchor, value))
        Changed();
}

void TScaleProps::SetColorScale(TColor value)
{
    if (StoreIfChanged(m_colorScale, value))
        Changed();
}

void TScaleProps::SetFont(const TFont &value)
{
    if (StoreIfChanged(m_font, value))
        Changed();
}

void TScaleProps::SetDateFormat(const TDTLabel &value)
{
    if (StoreIfChanged(m_dateFormat, value))
        Changed();
}

void TScaleProps::SetScaleInscript(const QString &value)
{
    if (StoreIfChanged(m_scaleInscript, value))
        Changed();
}

void TScaleProps::SetUserTickText(const QString &value)
{
    if (StoreIfChanged(m_userTickText, value))
        Changed();
}

void TScaleProps::SetScalePos(int value)
{
    if (StoreIfChanged(m_scalePos, value))
        Changed();
}

void TScaleProps::SetVisible(bool value)
{
    if (StoreIfChanged(m_visible, value))
        Changed();
}

void TScaleProps::SetFarSide(bool value)
{
    if (StoreIfChanged(m_farSide, value))
        Changed();
}
