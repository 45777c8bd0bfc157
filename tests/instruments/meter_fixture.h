#pragma once

#include "instruments/meter_design_look.h"
#include "instruments/value_indicator.h"
#include "instruments/vmeter.h"

#include <memory>

// The slow display's meter and value indicator with their design-time settings.
inline std::unique_ptr<TAbVMeter> DesignMeter(const QString &name = QStringLiteral("Kanal 1"))
{
    auto m = std::make_unique<TAbVMeter>();
    SetMeterDesignLook(*m, name);
    return m;
}

inline std::unique_ptr<TAbValueInd> DesignValueInd(const QString &unit)
{
    auto v = std::make_unique<TAbValueInd>();
    v->BeginUpdate();
    v->resize(124, 20);
    v->SetOptions({TValueIndOption::opUnit});
    TSignalSettings &s = v->SignalSettings();
    s.SetValueFormat(QStringLiteral("#######0.000"));
    s.SetValueUnit(unit);
    v->Font().SetHeight(-13);
    v->Font().SetColor(clBlack);
    v->FontValue().SetName(QStringLiteral("Arial"));
    v->FontValue().SetHeight(-13);
    v->FontValue().SetColor(clBlack);
    v->BevelValue().SetColor(clSilver);
    v->EndUpdate();
    return v;
}
