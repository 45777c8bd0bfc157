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
    : TCommonAxisSettings(other)
    , m_horizontal(other.m_horizontal)
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
    m_minRange = source.m_minRange;
    m_scalePos = source.m_scalePos;
    m_axis = source.m_axis;
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
    m_axis.RangeLow = low;
    m_axis.RangeHigh = high;
}

void TScaleProps::SetRangeLow(double value)
{
    if (value == m_axis.RangeLow)
        return;
    if (std::fabs(m_axis.RangeHigh - value) < m_minRange) {
        m_axis.RangeLow = value;
        m_axis.RangeHigh = value + m_minRange;
    } else if (m_axis.Logarithmic && value < TinyPositive) {
        return;
    } else {
        m_axis.RangeLow = value;
    }
    Changed();
}

void TScaleProps::SetRangeHigh(double value)
{
    if (value == m_axis.RangeHigh)
        return;
    if (std::fabs(m_axis.RangeLow - value) < m_minRange) {
        m_axis.RangeHigh = value;
        m_axis.RangeLow = value - m_minRange;
    } else if (m_axis.Logarithmic && value < TinyPositive) {
        return;
    } else {
        m_axis.RangeHigh = value;
    }
    Changed();
}

void TScaleProps::SetMinRange(double value)
{
    if (value <= TinyPositive || value == m_minRange)
        return;
    m_minRange = value;
    if (std::fabs(m_axis.RangeHigh - m_axis.RangeLow) < value) {
        // Re-centre, keeping the direction of the axis.
        const double middle = (m_axis.RangeLow + m_axis.RangeHigh) / 2;
        const double half = m_axis.RangeHigh >= m_axis.RangeLow ? value / 2 : -value / 2;
        m_axis.RangeLow = middle - half;
        m_axis.RangeHigh = middle + half;
    }
    Changed();
}

void TScaleProps::SetLogarithmic(bool value)
{
    if (value == m_axis.Logarithmic)
        return;
    if (value
        && (m_axis.RangeLow < TinyPositive || m_axis.RangeHigh < TinyPositive
            || m_axis.LabelType == TFigType::ftDateTime))
        return;
    m_axis.Logarithmic = value;
    Changed();
}

void TScaleProps::SetLabelType(TFigType value)
{
    if (value == m_axis.LabelType)
        return;
    m_axis.LabelType = value;
    if (value == TFigType::ftDateTime)
        m_axis.Logarithmic = false;
    if (value == TFigType::ftTime)
        m_axis.DecPlaces = 4;
    Changed();
}

void TScaleProps::SetDecPlaces(int value)
{
    value = std::clamp(value, -3, 12);
    if (value == m_axis.DecPlaces)
        return;
    m_axis.DecPlaces = value;
    Changed();
}

void TScaleProps::SetScalePos(int value)
{
    if (StoreIfChanged(m_scalePos, value))
        Changed();
}

void TScaleProps::SetFarSide(bool value)
{
    if (StoreIfChanged(m_farSide, value))
        Changed();
}
