#pragma once

#include "instruments/signal_settings.h"
#include "instruments/vmeter.h"

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
