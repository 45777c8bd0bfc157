#include "instruments/signal_settings.h"

#include "instruments/saturate.h"

TSignalSettings::TSignalSettings()
{
    UpdateDerived();
}

void TSignalSettings::SetValueFrom(double v)
{
    auto value = static_cast<float>(v);
    if (value == 0.0f)
        value = 1.0e-6f;
    if (value == m_values.ValueFrom || value == m_values.ValueTo)
        return;
    m_values.ValueFrom = value;
    Changed();
}

void TSignalSettings::SetValueTo(double v)
{
    const auto value = static_cast<float>(v);
    if (value == m_values.ValueFrom || value == m_values.ValueTo)
        return;
    m_values.ValueTo = value;
    Changed();
}

void TSignalSettings::Assign(const TSignalSettings &source)
{
    m_values = source.m_values;
    Changed();
}

void TSignalSettings::Changed()
{
    UpdateDerived();
    TAbPersistent::Changed();
}

void TSignalSettings::UpdateDerived()
{
    // An empty or inverted range keeps the previous span.
    if (m_values.ValueFrom < 0 || m_values.ValueTo > 0)
        m_span = static_cast<double>(m_values.ValueTo) - static_cast<double>(m_values.ValueFrom);
    if (m_values.DigitalFrom < 0 || m_values.DigitalTo > 0)
        m_digitalRange = SaturateToInt(static_cast<double>(m_values.DigitalTo)
                                       - static_cast<double>(m_values.DigitalFrom));
    else
        m_digitalRange = 0;
    if (m_digitalRange > 0)
        m_valuePerDigit = m_span / m_digitalRange;
    if (m_span > 0) {
        m_digitsPerValue = m_digitalRange / m_span;
        m_perMillePerValue = 1000.0 / m_span;
    }

    const qsizetype at = m_values.ValueFormat.indexOf(QLatin1Char(';'));
    if (at < 0) {
        m_sampleText = m_values.ValueFormat;
    } else {
        const QString before = m_values.ValueFormat.left(at);
        const QString after = m_values.ValueFormat.mid(at + 1);
        m_sampleText = before.size() > after.size() ? before : after;
    }
}

int TSignalSettings::PerMille(double v) const
{
    return RoundSaturated((v - m_values.ValueFrom) * m_perMillePerValue);
}

int TSignalSettings::DigitOf(double v) const
{
    return RoundSaturated((v - m_values.ValueFrom) * m_digitsPerValue + m_values.DigitalFrom);
}

double TSignalSettings::ValueOfDigit(std::int64_t d) const
{
    return static_cast<double>(d - m_values.DigitalFrom) * m_valuePerDigit + m_values.ValueFrom;
}

void TChSettings::SetValue(double v)
{
    const auto value = static_cast<float>(v);
    if (value == m_value)
        return;
    m_digit = DigitOf(value);
    m_value = value;
    ValueWritten();
}

void TChSettings::SetDigit(int d)
{
    if (d == m_digit)
        return;
    m_digit = d;
    m_value = static_cast<float>(ValueOfDigit(d));
    ValueWritten();
}

void TChSettings::ValueWritten()
{
    m_relDigit = SaturateToInt(static_cast<double>(m_digit) - DigitalFrom());
    if (OnValueChange)
        OnValueChange(this);
}

float TChSettings::ValueOfRelDigit(std::int64_t relDigit) const
{
    return static_cast<float>(static_cast<double>(relDigit) * ValuePerDigit() + ValueFrom());
}

void TChSettings::Assign(const TChSettings &source)
{
    m_pen = source.m_pen;
    TSignalSettings::Assign(source);
}
