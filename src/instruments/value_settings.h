#pragma once

#include "instruments/persistent.h"
#include "platform/date_time.h"

// Three coloured bands in per mille of a signal's range.
class TSectorSettings : public TAbPersistent
{
public:
    TColor Sector1Color() const { return m_color[0]; }
    int Sector1From() const { return m_from[0]; }
    int Sector1To() const { return m_to[0]; }
    TColor Sector2Color() const { return m_color[1]; }
    int Sector2From() const { return m_from[1]; }
    int Sector2To() const { return m_to[1]; }
    TColor Sector3Color() const { return m_color[2]; }
    int Sector3From() const { return m_from[2]; }
    int Sector3To() const { return m_to[2]; }
    int Offset() const { return m_offset; }
    int WidthOffset() const { return m_widthOffset; }

    void SetSector1Color(TColor v) { SetField(m_color[0], v); }
    void SetSector1From(int v) { SetField(m_from[0], v); }
    void SetSector1To(int v) { SetField(m_to[0], v); }
    void SetSector2Color(TColor v) { SetField(m_color[1], v); }
    void SetSector2From(int v) { SetField(m_from[1], v); }
    void SetSector2To(int v) { SetField(m_to[1], v); }
    void SetSector3Color(TColor v) { SetField(m_color[2], v); }
    void SetSector3From(int v) { SetField(m_from[2], v); }
    void SetSector3To(int v) { SetField(m_to[2], v); }
    void SetOffset(int v) { SetField(m_offset, v); }
    void SetWidthOffset(int v) { SetField(m_widthOffset, v); }
    void Assign(const TSectorSettings &source);

    // Sector k = 1 .. 3.
    TColor SectorColor(int k) const { return m_color[k - 1]; }
    int SectorFrom(int k) const { return m_from[k - 1]; }
    int SectorTo(int k) const { return m_to[k - 1]; }

    // The colour of the first sector with From <= perMille <= To; false when none matches.
    bool ColorAt(int perMille, TColor &color) const;

private:
    TColor m_color[3] = {0x00FFFF, 0x008000, 0x0000FF};
    int m_from[3] = {0, 334, 667};
    int m_to[3] = {333, 666, 1000};
    int m_offset = 0;
    int m_widthOffset = 0;
};

// The extremes a control has shown, with the time each was reached.
class TMinMax : public TAbPersistent
{
public:
    float Max() const { return m_max; }
    float Min() const { return m_min; }
    TDateTime MaxDateTime() const { return m_maxDateTime; }
    TDateTime MinDateTime() const { return m_minDateTime; }
    TColor MaxColor() const { return m_maxColor; }
    TColor MinColor() const { return m_minColor; }
    bool UseSectorCol() const { return m_useSectorCol; }
    bool MinVisible() const { return m_minVisible; }
    bool MaxVisible() const { return m_maxVisible; }

    // Also stamp MaxDateTime / MinDateTime with the current time.
    void SetMax(double v);
    void SetMin(double v);
    void SetMaxColor(TColor v) { SetField(m_maxColor, v); }
    void SetMinColor(TColor v) { SetField(m_minColor, v); }
    void SetUseSectorCol(bool v) { SetField(m_useSectorCol, v); }
    void SetMinVisible(bool v) { SetField(m_minVisible, v); }
    void SetMaxVisible(bool v) { SetField(m_maxVisible, v); }
    void Assign(const TMinMax &source);

    // Stores a new extreme without reporting it (the owning control reports once for both).
    void StoreMax(float v, TDateTime at);
    void StoreMin(float v, TDateTime at);

private:
    float m_max = -9999999.0f;
    float m_min = 9999999.0f;
    TDateTime m_maxDateTime = 0;
    TDateTime m_minDateTime = 0;
    TColor m_maxColor = 0xFFFF00;
    TColor m_minColor = 0xFFFF00;
    bool m_useSectorCol = true;
    bool m_minVisible = true;
    bool m_maxVisible = true;
};

enum class TDampingMode { dmLinear, dmLowpass };

// Damping of value changes; every instrument here takes new values at once (Enabled False).
class TAbDamping : public TAbPersistent
{
public:
    bool Enabled() const { return m_enabled; }
    float Factor() const { return m_factor; }
    TDampingMode Mode() const { return m_mode; }
    void SetEnabled(bool v) { SetField(m_enabled, v); }
    // Clamped to 0.1 .. 100.
    void SetFactor(double v);
    void SetMode(TDampingMode v) { SetField(m_mode, v); }
    void Assign(const TAbDamping &source);

private:
    bool m_enabled = false;
    float m_factor = 1.0f;
    TDampingMode m_mode = TDampingMode::dmLowpass;
};
