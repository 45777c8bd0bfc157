#pragma once

#include "chart/common_axis_settings.h"
#include "chart/scale_types.h"
#include "platform/color.h"
#include "platform/drawing_types.h"

#include <QString>

#include <functional>

// The scale settings of one chart layer and direction. The chart owns 32 of them (ScaleX and
// ScaleY of layers 1..16). Every setter compares, stores and then raises OnChange; the chart
// answers by copying all settings into its axis controls, re-applying the ranges and repainting
// unless painting is suppressed. The chart's range operations store ranges directly
// (StoreRange), without the setters' rules. The getters and the setters without a rule of their
// own are TCommonAxisSettings'.
class TScaleProps : public TCommonAxisSettings
{
public:
    virtual ~TScaleProps() = default;

    // |RangeHigh - v| < MinRange: RangeLow := v, RangeHigh := v + MinRange; a logarithmic
    // scale ignores v < 1e-100.
    void SetRangeLow(double value);
    void SetRangeHigh(double value);

    double MinRange() const { return m_minRange; }
    // Values <= 1e-100 are ignored; a value above the present width re-centres the range.
    void SetMinRange(double value);

    // Switching on needs both bounds >= 1e-100 and a LabelType other than ftDateTime.
    void SetLogarithmic(bool value);

    // ftDateTime switches Logarithmic off; ftTime sets DecPlaces to 4.
    void SetLabelType(TFigType value);

    void SetDecPlaces(int value); // clamped to -3 .. 12

    int ScalePos() const { return m_scalePos; }
    void SetScalePos(int value);

    // True when the axis sits on the far edge of the plot: top (horizontal) or right (vertical).
    bool FarSide() const { return m_farSide; }
    bool Horizontal() const { return m_horizontal; }

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
    void AxisChanged() override { Changed(); }

private:
    void CopySettings(const TScaleProps &source);

    bool m_horizontal;
    bool m_farSide = false;
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
