#pragma once

#include "platform/color.h"
#include "platform/drawing_types.h"

#include <QString>

// What the scale settings of a chart layer (TScaleProps) and the axis control that draws them
// (TScale) share: enumerations, the date/time label format and the axis settings themselves.

enum class TFigType { ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText };

enum class TScaleUnitAnchor { uaSclTopLft, uaSclCenter, uaSclBotRgt };

enum class TScaleType { sctXB, sctXT, sctYL, sctYR };

enum class TTimeFormat { tfHHMMSS, tfHHhMM, tfAMPM };
enum class TYearLength { ylNone, ylYY, ylYYYY };
enum class TDateForTime { dtNone, dtOnePerChart, dtOnePerDay, dtAllTicks };
enum class TDateOrder { doMMDDYY, doDDMMYY, doYYMMDD };

// How date/time axes write their labels.
struct TDTLabel
{
    TTimeFormat TimeFormat = TTimeFormat::tfHHMMSS;
    QString DateSeparator = QStringLiteral("-");
    QString TimeSeparator = QStringLiteral(":");
    TYearLength YearLength = TYearLength::ylYYYY;
    bool MonthName = true;
    TDateForTime DateForTime = TDateForTime::dtOnePerDay;
    TDateOrder DateOrder = TDateOrder::doDDMMYY;

    bool operator==(const TDTLabel &) const = default;
};

// The settings an axis is drawn with. A layer's TScaleProps holds them and applies each
// setter's rules; the chart copies them as a whole into the axis control that draws the layer.
struct TAxisSettings
{
    double RangeLow = 0.0;
    double RangeHigh = 1.0;
    bool Logarithmic = false;
    TFigType LabelType = TFigType::ftNum;
    int DecPlaces = -2;
    int MinTicks = 3;
    bool ShortTicks = true;
    QString Caption;
    int CaptionPosX = 0;
    int CaptionPosY = 0;
    TAlignment CaptionAlignment = TAlignment::taCenter;
    TScaleUnitAnchor CaptionAnchor = TScaleUnitAnchor::uaSclTopLft;
    TColor ColorScale = clBlack;
    TFont Font;
    TDTLabel DateFormat;
    QString ScaleInscript;
    QString UserTickText;
    bool Visible = false;

    bool operator==(const TAxisSettings &) const = default;
};
