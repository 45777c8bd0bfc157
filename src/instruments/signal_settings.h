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

    int DigitalFrom() const { return m_digitalFrom; }
    int DigitalTo() const { return m_digitalTo; }
    QString Name1() const { return m_name1; }
    QString Name2() const { return m_name2; }
    QString ValueFormat() const { return m_valueFormat; }
    float ValueFrom() const { return m_valueFrom; }
    float ValueTo() const { return m_valueTo; }
    QString ValueUnit() const { return m_valueUnit; }

    void SetDigitalFrom(int v) { SetField(m_digitalFrom, v); }
    void SetDigitalTo(int v) { SetField(m_digitalTo, v); }
    void SetName1(const QString &v) { SetField(m_name1, v); }
    void SetName2(const QString &v) { SetField(m_name2, v); }
    void SetValueFormat(const QString &v) { SetField(m_valueFormat, v); }
    void SetValueFrom(double v);
    void SetValueTo(double v);
    void SetValueUnit(const QString &v) { SetField(m_valueUnit, v); }
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
    int m_digitalFrom = 0;
    int m_digitalTo = 1000;
    QString m_name1;
    QString m_name2;
    QString m_valueFormat;
    float m_valueFrom = 0.0f;
    float m_valueTo = 100.0f;
    QString m_valueUnit;

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
    TColor Color() const { return m_color; }
    bool Visible() const { return m_visible; }
    int PenWidth() const { return m_penWidth; }

    void SetValue(double v);
    void SetDigit(int d);
    void SetColor(TColor v) { SetField(m_color, v); }
    void SetVisible(bool v) { SetField(m_visible, v); }
    void SetPenWidth(int v) { SetField(m_penWidth, v); }
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
    TColor m_color = clBlack;
    bool m_visible = true;
    int m_penWidth = 1;
    int m_relDigit = 0;
    float m_pixelsPerDigit = 0.0f;
};
