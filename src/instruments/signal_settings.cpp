#include "instruments/signal_settings.h"

#include "instruments/saturate.h"

TSignalSettings::TSignalSettings()
    : m_name1(QStringLiteral("SignalName1"))
    , m_name2(QStringLiteral("SignalName2"))
    , m_valueFormat(QStringLiteral("##0.0"))
    , m_valueUnit(QStringLiteral("%"))
{
    UpdateDerived();
}

void TSignalSettings::SetValueFrom(double v)
{
    auto value = static_cast<float>(v);
    if (value == 0.0f)
        value = 1.0e-6f;
    if (value == m_valueFrom || value == m_valueTo)
        return;
    m_valueFrom = value;
    Changed();
}

void TSignalSettings::SetValueTo(double v)
{
    const auto value = static_cast<float>(v);
    if (value == m_valueFrom || value == m_valueTo)
        return;
    m_valueTo = value;
    Changed();
}

void TSignalSettings::Assign(const TSignalSettings &source)
{
    m_digitalFrom = source.m_digitalFrom;
    m_digitalTo = source.m_digitalTo;
    m_name1 = source.m_name1;
    m_name2 = source.m_name2;
    m_valueFormat = source.m_valueFormat;
    m_valueFrom = source.m_valueFrom;
    m_valueTo = source.m_valueTo;
    m_valueUnit = source.m_valueUnit;
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
    if (m_valueFrom < 0 || m_valueTo > 0)
        m_span = static_cast<double>(m_valueTo) - static_cast<double>(m_valueFrom);
    if (m_digitalFrom < 0 || m_digitalTo > 0)
        m_digitalRange = SaturateToInt(static_cast<double>(m_digitalTo)
                                       - static_cast<double>(m_digitalFrom));
    else
        m_digitalRange = 0;
    if (m_digitalRange > 0)
        m_valuePerDigit = m_span / m_digitalRange;
    if (m_span > 0) {
        m_digitsPerValue = m_digitalRange / m_span;
        m_perMillePerValue = 1000.0 / m_span;
    }

    const qsizetype at = m_valueFormat.indexOf(QLatin1Char(';'));
    if (at < 0) {
        m_sampleText = m_valueFormat;
    } else {
        const QString before = m_valueFormat.left(at);
        const QString after = m_valueFormat.mid(at + 1);
        m_sampleText = before.size() > after.size() ? before : after;
    }
}

int TSignalSettings::PerMille(double v) const
{
    return RoundSaturated((v - m_valueFrom) * m_perMillePerValue);
}

int TSignalSettings::DigitOf(double v) const
{
    return RoundSaturated((v - m_valueFrom) * m_digitsPerValue + m_digitalFrom);
}

double TSignalSettings::ValueOfDigit(std::int64_t d) const
{
    return static_cast<double>(d - m_digitalFrom) * m_valuePerDigit + m_valueFrom;
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
    m_color = source.m_color;
    m_visible = source.m_visible;
    m_penWidth = source.m_penWidth;
    TSignalSettings::Assign(source);
}
