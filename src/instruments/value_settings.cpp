#include "instruments/value_settings.h"

#include <algorithm>
#include <cmath>

void TSectorSettings::Assign(const TSectorSettings &source)
{
    for (int k = 0; k < 3; ++k) {
        m_color[k] = source.m_color[k];
        m_from[k] = source.m_from[k];
        m_to[k] = source.m_to[k];
    }
    m_offset = source.m_offset;
    m_widthOffset = source.m_widthOffset;
    Changed();
}

bool TSectorSettings::ColorAt(int perMille, TColor &color) const
{
    for (int k = 0; k < 3; ++k) {
        if (m_from[k] <= perMille && perMille <= m_to[k]) {
            color = m_color[k];
            return true;
        }
    }
    return false;
}

void TMinMax::SetMax(double v)
{
    const auto value = static_cast<float>(v);
    if (value == m_max)
        return;
    StoreMax(value, Now());
    Changed();
}

void TMinMax::SetMin(double v)
{
    const auto value = static_cast<float>(v);
    if (value == m_min)
        return;
    StoreMin(value, Now());
    Changed();
}

void TMinMax::StoreMax(float v, TDateTime at)
{
    m_max = v;
    m_maxDateTime = at;
}

void TMinMax::StoreMin(float v, TDateTime at)
{
    m_min = v;
    m_minDateTime = at;
}

void TMinMax::Assign(const TMinMax &source)
{
    m_max = source.m_max;
    m_min = source.m_min;
    m_maxDateTime = source.m_maxDateTime;
    m_minDateTime = source.m_minDateTime;
    m_maxColor = source.m_maxColor;
    m_minColor = source.m_minColor;
    m_useSectorCol = source.m_useSectorCol;
    m_minVisible = source.m_minVisible;
    m_maxVisible = source.m_maxVisible;
    Changed();
}

void TAbDamping::SetFactor(double v)
{
    if (std::isnan(v))
        return;
    SetField(m_factor, static_cast<float>(std::clamp(v, 0.1, 100.0)));
}

void TAbDamping::Assign(const TAbDamping &source)
{
    m_enabled = source.m_enabled;
    m_factor = source.m_factor;
    m_mode = source.m_mode;
    Changed();
}
