#pragma once

#include "chart/scale_types.h"
#include "platform/store_if_changed.h"

// The settings of one axis as an axis control (TScale) and a chart layer's scale properties
// (TScaleProps) both hold them: every getter, and the setters whose rule the two share. Such a
// setter stores a value that differs and reports it through AxisChanged(); an equal value
// changes nothing. The range, Logarithmic, LabelType and DecPlaces follow different rules in
// the two owners, so their setters stay with each owner, which writes m_axis directly.
class TCommonAxisSettings
{
public:
    double RangeLow() const { return m_axis.RangeLow; }
    double RangeHigh() const { return m_axis.RangeHigh; }
    bool Logarithmic() const { return m_axis.Logarithmic; }
    TFigType LabelType() const { return m_axis.LabelType; }
    int DecPlaces() const { return m_axis.DecPlaces; }

    int MinTicks() const { return m_axis.MinTicks; }
    void SetMinTicks(int value) { Store(&TAxisSettings::MinTicks, value); }
    bool ShortTicks() const { return m_axis.ShortTicks; }
    void SetShortTicks(bool value) { Store(&TAxisSettings::ShortTicks, value); }

    const QString &Caption() const { return m_axis.Caption; }
    void SetCaption(const QString &value) { Store(&TAxisSettings::Caption, value); }
    int CaptionPosX() const { return m_axis.CaptionPosX; }
    void SetCaptionPosX(int value) { Store(&TAxisSettings::CaptionPosX, value); }
    int CaptionPosY() const { return m_axis.CaptionPosY; }
    void SetCaptionPosY(int value) { Store(&TAxisSettings::CaptionPosY, value); }
    TAlignment CaptionAlignment() const { return m_axis.CaptionAlignment; }
    void SetCaptionAlignment(TAlignment value) { Store(&TAxisSettings::CaptionAlignment, value); }
    TScaleUnitAnchor CaptionAnchor() const { return m_axis.CaptionAnchor; }
    void SetCaptionAnchor(TScaleUnitAnchor value) { Store(&TAxisSettings::CaptionAnchor, value); }

    TColor ColorScale() const { return m_axis.ColorScale; }
    void SetColorScale(TColor value) { Store(&TAxisSettings::ColorScale, value); }
    const TFont &Font() const { return m_axis.Font; }
    void SetFont(const TFont &value) { Store(&TAxisSettings::Font, value); }
    const TDTLabel &DateFormat() const { return m_axis.DateFormat; }
    void SetDateFormat(const TDTLabel &value) { Store(&TAxisSettings::DateFormat, value); }

    const QString &ScaleInscript() const { return m_axis.ScaleInscript; }
    void SetScaleInscript(const QString &value) { Store(&TAxisSettings::ScaleInscript, value); }
    const QString &UserTickText() const { return m_axis.UserTickText; }
    void SetUserTickText(const QString &value) { Store(&TAxisSettings::UserTickText, value); }

    // Whether the axis is drawn at all.
    bool Visible() const { return m_axis.Visible; }
    void SetVisible(bool value) { Store(&TAxisSettings::Visible, value); }

    const TAxisSettings &AxisSettings() const { return m_axis; }

protected:
    TCommonAxisSettings() = default;
    TCommonAxisSettings(const TCommonAxisSettings &) = default;
    TCommonAxisSettings &operator=(const TCommonAxisSettings &) = default;
    ~TCommonAxisSettings() = default;

    // A setter above has stored a new value.
    virtual void AxisChanged() = 0;

    TAxisSettings m_axis;

private:
    template<typename T>
    void Store(T TAxisSettings::*field, const T &value)
    {
        if (StoreIfChanged(m_axis.*field, value))
            AxisChanged();
    }
};
