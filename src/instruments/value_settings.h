#pragma once

#include "instruments/persistent.h"
#include "platform/date_time.h"

// Three coloured bands in per mille of a signal's range.
class TSectorSettings : public TAbPersistent
{
public:
    TColor Sector1Color() const { return m_values.Color[0]; }
    int Sector1From() const { return m_values.From[0]; }
    int Sector1To() const { return m_values.To[0]; }
    TColor Sector2Color() const { return m_values.Color[1]; }
    int Sector2From() const { return m_values.From[1]; }
    int Sector2To() const { return m_values.To[1]; }
    TColor Sector3Color() const { return m_values.Color[2]; }
    int Sector3From() const { return m_values.From[2]; }
    int Sector3To() const { return m_values.To[2]; }
    int Offset() const { return m_values.Offset; }
    int WidthOffset() const { return m_values.WidthOffset; }

    void SetSector1Color(TColor v) { SetField(m_values.Color[0], v); }
    void SetSector1From(int v) { SetField(m_values.From[0], v); }
    void SetSector1To(int v) { SetField(m_values.To[0], v); }
    void SetSector2Color(TColor v) { SetField(m_values.Color[1], v); }
    void SetSector2From(int v) { SetField(m_values.From[1], v); }
    void SetSector2To(int v) { SetField(m_values.To[1], v); }
    void SetSector3Color(TColor v) { SetField(m_values.Color[2], v); }
    void SetSector3From(int v) { SetField(m_values.From[2], v); }
    void SetSector3To(int v) { SetField(m_values.To[2], v); }
    void SetOffset(int v) { SetField(m_values.Offset, v); }
    void SetWidthOffset(int v) { SetField(m_values.WidthOffset, v); }
    void Assign(const TSectorSettings &source);

    // Sector k = 1 .. 3.
    TColor SectorColor(int k) const { return m_values.Color[k - 1]; }
    int SectorFrom(int k) const { return m_values.From[k - 1]; }
    int SectorTo(int k) const { return m_values.To[k - 1]; }

    // The colour of the first sector with From <= perMille <= To; false when none matches.
    bool ColorAt(int perMille, TColor &color) const;

private:
    struct Values
    {
        TColor Color[3] = {0x00FFFF, 0x008000, 0x0000FF};
        int From[3] = {0, 334, 667};
        int To[3] = {333, 666, 1000};
        int Offset = 0;
        int WidthOffset = 0;
    };
    Values m_values;
};

// The extremes a control has shown, with the time each was reached.
class TMinMax : public TAbPersistent
{
public:
    float Max() const { return m_values.Max; }
    float Min() const { return m_values.Min; }
    TDateTime MaxDateTime() const { return m_values.MaxDateTime; }
    TDateTime MinDateTime() const { return m_values.MinDateTime; }
    TColor MaxColor() const { return m_values.MaxColor; }
    TColor MinColor() const { return m_values.MinColor; }
    bool UseSectorCol() const { return m_values.UseSectorCol; }
    bool MinVisible() const { return m_values.MinVisible; }
    bool MaxVisible() const { return m_values.MaxVisible; }

    // Also stamp MaxDateTime / MinDateTime with the current time.
    void SetMax(double v);
    void SetMin(double v);
    void SetMaxColor(TColor v) { SetField(m_values.MaxColor, v); }
    void SetMinColor(TColor v) { SetField(m_values.MinColor, v); }
    void SetUseSectorCol(bool v) { SetField(m_values.UseSectorCol, v); }
    void SetMinVisible(bool v) { SetField(m_values.MinVisible, v); }
    void SetMaxVisible(bool v) { SetField(m_values.MaxVisible, v); }
    void Assign(const TMinMax &source);

    // Stores a new extreme without reporting it (the owning control reports once for both).
    void StoreMax(float v, TDateTime at);
    void StoreMin(float v, TDateTime at);

private:
    struct Values
    {
        float Max = -9999999.0f;
        float Min = 9999999.0f;
        TDateTime MaxDateTime = 0;
        TDateTime MinDateTime = 0;
        TColor MaxColor = 0xFFFF00;
        TColor MinColor = 0xFFFF00;
        bool UseSectorCol = true;
        bool MinVisible = true;
        bool MaxVisible = true;
    };
    Values m_values;
};

enum class TDampingMode { dmLinear, dmLowpass };

// Damping of value changes; every instrument here takes new values at once (Enabled False).
class TAbDamping : public TAbPersistent
{
public:
    bool Enabled() const { return m_values.Enabled; }
    float Factor() const { return m_values.Factor; }
    TDampingMode Mode() const { return m_values.Mode; }
    void SetEnabled(bool v) { SetField(m_values.Enabled, v); }
    // Clamped to 0.1 .. 100.
    void SetFactor(double v);
    void SetMode(TDampingMode v) { SetField(m_values.Mode, v); }
    void Assign(const TAbDamping &source);

private:
    struct Values
    {
        bool Enabled = false;
        float Factor = 1.0f;
        TDampingMode Mode = TDampingMode::dmLowpass;
    };
    Values m_values;
};
