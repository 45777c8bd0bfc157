#include "instruments/trend_settings.h"

void TTrendLimit::SetValue(float v)
{
    if (v == m_value)
        return;
    m_value = v;
    Changed();
    if (OnValueChange)
        OnValueChange(this);
}

void TTrendLimit::Assign(const TTrendLimit &source)
{
    m_value = source.m_value;
    m_color = source.m_color;
    m_filled = source.m_filled;
    m_enabled = source.m_enabled;
    Changed();
}
