#include "instruments/trend_settings.h"

void TTrendLimit::SetValue(float v)
{
    if (v == m_values.Value)
        return;
    m_values.Value = v;
    Changed();
    if (OnValueChange)
        OnValueChange(this);
}

void TTrendLimit::Assign(const TTrendLimit &source)
{
    m_values = source.m_values;
    Changed();
}
