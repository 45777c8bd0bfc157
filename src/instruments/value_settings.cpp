#include "instruments/value_settings.h"

#include <algorithm>
#include <cmath>

void TSectorSettings::Assign(const TSectorSettings &source)
{
    m_values = source.m_values;
    Changed();
}

bool TSectorSettings::ColorAt(int perMille, TColor &color) const
{
    for (int k = 0; k < 3; ++k) {
        if (m_values.From[k] <= perMille && perMille <= m_values.To[k]) {
            color = m_values.Color[k];
            return true;
        }
    }
    return false;
}

void TMinMax::SetMax(double v)
{
    const auto value = static_cast<float>(v);
    if (value == m_values.Max)
        return;
    StoreMax(value, Now());
    Changed();
}

void TMinMax::SetMin(double v)
{
    const auto value = static_cast<float>(v);
    if (value == m_values.Min)
        return;
    StoreMin(value, Now());
    Changed();
}

void TMinMax::StoreMax(float v, TDateTime at)
{
    m_values.Max = v;
    m_values.MaxDateTime = at;
}

void TMinMax::StoreMin(float v, TDateTime at)
{
    m_values.Min = v;
    m_values.MinDateTime = at;
}

void TMinMax::Assign(const TMinMax &source)
{
    m_values = source.m_values;
    Changed();
}

void TAbDamping::SetFactor(double v)
{
    if (std::isnan(v))
        return;
    SetField(m_values.Factor, static_cast<float>(std::clamp(v, 0.1, 100.0)));
}

void TAbDamping::Assign(const TAbDamping &source)
{
    m_values = source.m_values;
    Changed();
}
