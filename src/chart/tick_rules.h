#pragma once

#include "chart/scale_types.h"

#include <QLocale>
#include <QString>

#include <vector>

// Where an axis puts its ticks and what its labels say: plain functions of the axis settings,
// without pixels, so the rules are tested as tables. TScale maps the planned values to pixels
// and draws them.

// The major step of a linear axis, its first major value and the minor intervals per step.
struct TNiceStep
{
    double Step = 0.0;
    double First = 0.0;
    int Minor = 1;
};

TNiceStep NiceStep(int minTicks, double low, double high);

// Decimals of the labels of a linear axis: decPlaces unless it is -2 or -3 (automatic: -1 for
// exponential, else 0 or more from the width of the range).
int LinearLabelDecimals(int decPlaces, double low, double high);

// A number as an axis label: decimals >= 0 fixed with exactly that many decimals, -1 exponential
// with two significant digits (" 2.0E+06", "-1.5E-05"); a three-digit exponent gives asterisks.
// The decimal point is the locale's, as in every other number the window shows.
QString FormatTickNumber(double value, int decimals, const QLocale &locale = QLocale());

// Puts the inscript around a label: the part before the first '&' in front, the part after it
// behind; without '&' the whole inscript goes in front. Empty labels stay empty.
QString ApplyScaleInscript(const QString &label, const QString &inscript);

// Field index (1-based) of a '|'-separated user tick text; empty when there are fewer fields.
QString UserTickField(const QString &userTickText, int index);

// The time label of a value in seconds: ' 00:16:40', '-00:00:02.500' (milliseconds when the
// step is below one second).
QString FormatTimeLabel(double seconds, bool withMilliseconds);

// Everything the tick rules read from an axis.
struct TTickInput
{
    double Low = 0.0;
    double High = 100.0;
    bool Horizontal = true;
    bool Logarithmic = false;
    int MinTicks = 3;
    bool ShortTicks = true;
    int DecPlaces = -2;
    TFigType LabelType = TFigType::ftNum;
    QString UserTickText;
    QString ScaleInscript;
    TDTLabel DateFormat;
};

// One tick to draw, in drawing order.
struct TTickMark
{
    double Value = 0.0;
    bool Major = false;
    bool HasLabel = false; // majors of an axis with figures
    QString Label; // final text before the label event
};

struct TTickPlan
{
    std::vector<TTickMark> Marks;
    std::vector<double> TickList; // the listed values, at most MaxListedTicks
    QString Message; // date/time axes: a text drawn centred instead of ticks
};

constexpr int MaxListedTicks = 250;

// The ticks of an axis by its label type (time axes fall back to numbers when the range does
// not suit them, logarithmic axes to linear ticks below one decade).
TTickPlan PlanTicks(const TTickInput &input);

TTickPlan PlanLinearTicks(const TTickInput &input);
// False when the range does not suit time ticks (plan untouched).
bool PlanTimeTicks(const TTickInput &input, TTickPlan &plan);
TTickPlan PlanLogTicks(const TTickInput &input);
TTickPlan PlanDateTimeTicks(const TTickInput &input);
