#pragma once

#include <QString>

class TAbVMeter;

// The slow display's vertical meter as the window shows it at design time: 140 × 417, bevels,
// value box and name shown, value in bold lime, black scale of 10 steps with 5 substeps, no
// min/max marks, range 0 to 10 in "%". The window, the meter's tests and its benchmark start
// from this one look.
void SetMeterDesignLook(TAbVMeter &meter, const QString &name);
