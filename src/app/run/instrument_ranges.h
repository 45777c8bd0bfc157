#pragma once

#include "instruments/signal_settings.h"
#include "instruments/vmeter.h"
#include "platform/number_text.h"

#include <QString>

// A range end is never written equal to either current end, so a new range is written in an
// order that cannot collide with the old one: the upper end, the lower end, the upper end again.
inline void SetSignalRange(TSignalSettings &signal, double from, double to)
{
    signal.SetValueTo(to);
    signal.SetValueFrom(from);
    signal.SetValueTo(to);
}

inline void SetMeterRange(TAbVMeter &meter, double from, double to)
{
    SetSignalRange(meter.SignalSettings(), from, to);
}

inline void SetChannelRange(TSignalSettings &channel, double from, double to)
{
    SetSignalRange(channel, from, to);
}

// The meter format that shows a value up to yMax with sensible decimals; empty keeps the old one.
inline QString MeterFormatFor(double yMax)
{
    if (yMax < 1)
        return QStringLiteral("#0.0000");
    if (yMax < 10)
        return QStringLiteral("#0.000");
    if (yMax < 100)
        return QStringLiteral("##0.00");
    if (yMax < 1000)
        return QStringLiteral("###0.0");
    if (yMax < 10000)
        return QStringLiteral("####");
    if (yMax < 100000)
        return QStringLiteral("#####");
    if (yMax < 1000000)
        return QStringLiteral("######");
    if (yMax < 10000000)
        return QStringLiteral("#######");
    return QString();
}
