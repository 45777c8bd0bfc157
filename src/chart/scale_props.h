#pragma once

#include "chart/scale_types.h"
#include "platform/color.h"
#include "platform/drawing_types.h"

#include <QString>

#include <functional>

// The scale settings of one chart layer and direction. The chart owns 32 of them (ScaleX and
// ScaleY of layers 1..16). Every setter compares, stores and then raises OnChange; the chart
// answers by copying all settings into its axis controls, re-applying the ranges and repainting
// unless painting is suppressed. The chart's range operations store ranges directly
// (StoreRange), without the setters' rules.
class TScaleProps
{
public:
    virtual ~TScaleProps() = default;

    double RangeLow() const { return m_axis.RangeLow; }
    // |RangeHigh - v| < MinRange: RangeLow := v, RangeHigh := v + MinRange; a logarithmic
    // scale ignores v < 1e-100.
    void SetRangeLow(double value);
    double RangeHigh() const { return m_axis.RangeHigh; }
    void SetRangeHigh(double value);

    double MinRange() const { return m_minRange; }
    // Values <= 1e-100 are ignored; a value above the present width re-centres the range.
    void SetMinRange(double value);

    bool Logarithmic() const { return m_axis.Logarithmic; }
    // Switching on needs both bounds >= 1e-100 and a LabelType other than ftDateTime.
    void SetLogarithmic(bool value);

    TFigType LabelType() const { return m_axis.LabelType; }
    // ftDateTime switches Logarithmic off; ftTime sets DecPlaces to 4.
    void SetLabelType(TFigType value);

    int DecPlaces() const { return m_axis.DecPlaces; }
    void SetDecPlaces(int value); // clamped to -3 .. 12

    int MinTicks() const { return m_axis.MinTicks; }
    void SetMinTicks(int value);
    bool ShortTicks() const { return m_axis.ShortTicks; }
    void SetShortTicks(bool value);

    const QString &Caption() const { return m_axis.Caption; }
    void SetCaption(const QString &value);
    int CaptionPosX() const { return m_axis.CaptionPosX; }
    void SetCaptionPosX(int value);
    int CaptionPosY() const { return m_axis.CaptionPosY; }
    void SetCaptionPosY(int value);
    TAlignment CaptionAlignment() const { return m_axis.CaptionAlignment; }
    void SetCaptionAlignment(TAlignment value);
    TScaleUnitAnchor CaptionAnchor() const { return m_axis.CaptionAnchor; }
    void SetCaptionAnchor(TScaleUnitAnchor value);

    TColor ColorScale() const { return m_axis.ColorScale; }
    void SetColorScale(TColor value);
    const TFont &Font() const { return m_axis.Font; }
    void SetFont(const TFont &value);
    const TDTLabel &DateFormat() const { return m_axis.DateFormat; }
    void SetDateFormat(const TDTLabel &value);

    const QString &ScaleInscript() const { return m_axis.ScaleInscript; }
    void SetScaleInscript(const QString &value);
    const QString &UserTickText() const { return m_axis.UserTickText; }
    void SetUserTickText(const QString &value);

    int ScalePos() const { return m_scalePos; }
    void SetScalePos(int value);
    bool Visible() const { return m_axis.Visible; }
    void SetVisible(bool value);

    // True when the axis sits on the far edge of the plot: top (horizontal) or right (vertical).
    bool FarSide() const { return m_farSide; }
    bool Horizontal() const { return m_horizontal; }

    const TAxisSettings &AxisSettings() const { return m_axis; }

    // Copies every setting of source (not OnChange), then raises OnChange once.
    void Assign(const TScaleProps &source);

    // Stores a range as it is: the chart's range operations have applied their own rules.
    void StoreRange(double low, double high);

    std::function<void(TScaleProps *sender)> OnChange;

protected:
    explicit TScaleProps(bool horizontal);
    TScaleProps(const TScaleProps &other);
    TScaleProps &operator=(const TScaleProps &other);

    void SetFarSide(bool value);
    void Changed();

private:
    void CopySettings(const TScaleProps &source);

    bool m_horizontal;
    bool m_farSide = false;
    TAxisSettings m_axis;
    double m_minRange = 1e-10;
    int m_scalePos = 0;
};

enum class THorizScaleLocation { slTop, slBottom };
enum class TVertScaleLocation { slLeft, slRight };

class TScalePropsHoriz : public TScaleProps
{
public:
    TScalePropsHoriz()
        : TScaleProps(true)
    { }
    TScalePropsHoriz(const TScalePropsHoriz &other) = default;
    TScalePropsHoriz &operator=(const TScalePropsHoriz &other) = default;

    THorizScaleLocation ScaleLocation() const
    {
        return FarSide() ? THorizScaleLocation::slTop : THorizScaleLocation::slBottom;
    }
    void SetScaleLocation(THorizScaleLocation value)
    {
        SetFarSide(value == THorizScaleLocation::slTop);
    }
};

class TScalePropsVert : public TScaleProps
{
public:
    TScalePropsVert()
        : TScaleProps(false)
    { }
    TScalePropsVert(const TScalePropsVert &other) = default;
    TScalePropsVert &operator=(const TScalePropsVert &other) = default;

    TVertScaleLocation ScaleLocation() const
    {
        return FarSide() ? TVertScaleLocation::slRight : TVertScaleLocation::slLeft;
    }
    void SetScaleLocation(TVertScaleLocation value)
    {
        SetFarSide(value == TVertScaleLocation::slRight);
    }
};
