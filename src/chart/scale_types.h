#pragma once

#include <QString>

// Enumerations and the date/time label format shared by the scale settings of a chart layer
// (TScaleProps) and the axis control that draws it (TScale).

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
