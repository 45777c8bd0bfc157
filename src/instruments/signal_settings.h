#pragma once

#include "instruments/persistent.h"

#include <cstdint>

// The value range of one signal and the values derived from it. The derived values are
// recomputed by Changed() before OnChange fires. A range end can never be written equal to
// either current end, and ValueFrom 0 is stored as 1.0e-6.
class TSignalSettings : public TAbPersistent
{
public:
    TSignalSettings();

    int DigitalFrom() const { return m_values.DigitalFrom; }
    int DigitalTo() const { return m_values.DigitalTo; }
    QString Name1() const { return m_values.Name1; }
    QString Name2() const { return m_values.Name2; }
    QString ValueFormat() const { return m_values.ValueFormat; }
    float ValueFrom() const { return m_values.ValueFrom; }
    float ValueTo() const { return m_values.ValueTo; }
    QString ValueUnit() const { return m_values.ValueUnit; }

    void SetDigitalFrom(int v) { SetField(m_values.DigitalFrom, v); }
    void SetDigitalTo(int v) { SetField(m_values.DigitalTo, v); }
    void SetName1(const QString &v) { SetField(m_values.Name1, v); }
    void SetName2(const QString &v) { SetField(m_values.Name2, v); }
    void SetValueFormat(const QString &v) { SetField(m_values.ValueFormat, v); }
    void SetValueFrom(double v);
    void SetValueTo(double v);
    void SetValueUnit(const QString &v) { SetField(m_values.ValueUnit, v); }
    void Assign(const TSignalSettings &source);

    void Changed() override;

    // Derived values.
    double Span() const { return m_span; }
    int DigitalRange() const { return m_digitalRange; }
    double ValuePerDigit() const { return m_valuePerDigit; }
    double DigitsPerValue() const { return m_digitsPerValue; }
    double PerMillePerValue() const { return m_perMillePerValue; }
    // The text that measures the widest value: the longer section of ValueFormat.
    QString SampleText() const { return m_sampleText; }

    // round((v - ValueFrom) * PerMillePerValue), saturated to the integer range.
    int PerMille(double v) const;
    // round((v - ValueFrom) * DigitsPerValue + DigitalFrom), saturated to the integer range.
    int DigitOf(double v) const;
    // (d - DigitalFrom) * ValuePerDigit + ValueFrom.
    double ValueOfDigit(std::int64_t d) const;

protected:
    void UpdateDerived();

private:
    struct Values
    {
        int DigitalFrom = 0;
        int DigitalTo = 1000;
        QString Name1 = QStringLiteral("SignalName1");
        QString Name2 = QStringLiteral("SignalName2");
        QString ValueFormat = QStringLiteral("##0.0");
        float ValueFrom = 0.0f;
        float ValueTo = 100.0f;
        QString ValueUnit = QStringLiteral("%");
    };
    Values m_values;

    double m_span = 100.0;
    int m_digitalRange = 1000;
    double m_valuePerDigit = 0.1;
    double m_digitsPerValue = 10.0;
    double m_perMillePerValue = 10.0;
    QString m_sampleText;
};

// One trend channel: a signal range plus its latest value, colour and line width. Writing
// Value or Digit fires OnValueChange (not OnChange: a new value needs no repaint).
class TChSettings : public TSignalSettings
{
public:
    float Value() const { return m_value; }
    int Digit() const { return m_digit; }
    TColor Color() const { return m_pen.Color; }
    bool Visible() const { return m_pen.Visible; }
    int PenWidth() const { return m_pen.Width; }

    void SetValue(double v);
    void SetDigit(int d);
    void SetColor(TColor v) { SetField(m_pen.Color, v); }
    void SetVisible(bool v) { SetField(m_pen.Visible, v); }
    void SetPenWidth(int v) { SetField(m_pen.Width, v); }
    void Assign(const TChSettings &source);

    // Digit - DigitalFrom.
    int RelDigit() const { return m_relDigit; }
    // The value a stored relative digit stands for, rounded to single precision.
    float ValueOfRelDigit(std::int64_t relDigit) const;
    // Written by the trend's layout.
    float PixelsPerDigit() const { return m_pixelsPerDigit; }
    void SetPixelsPerDigit(float v) { m_pixelsPerDigit = v; }

    std::function<void(TChSettings *sender)> OnValueChange;

private:
    void ValueWritten();

    float m_value = 0.0f;
    int m_digit = 0;
    struct Pen
    {
        TColor Color = clBlack;
        bool Visible = true;
        int Width = 1;
    };
    Pen m_pen;
    int m_relDigit = 0;
    float m_pixelsPerDigit = 0.0f;
};
