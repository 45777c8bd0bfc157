#pragma once

#include "instruments/value_indicator.h"
#include "instruments/vmeter.h"

#include <memory>

// The slow display's meter and value indicator with their design-time settings.
inline std::unique_ptr<TAbVMeter> DesignMeter(const QString &name = QStringLiteral("Kanal 1"))
{
    auto m = std::make_unique<TAbVMeter>();
    m->BeginUpdate();
    m->SetAutoSize(false);
    m->resize(140, 417);
    m->SetOptions({TAbVMeterOption::opBevelInner, TAbVMeterOption::opBevelOuter,
                   TAbVMeterOption::opValue, TAbVMeterOption::opName1});
    TSignalSettings &s = m->SignalSettings();
    s.SetName1(name);
    s.SetValueFormat(QStringLiteral("######0.000"));
    s.SetValueTo(10);
    m->Font().SetName(QStringLiteral("Arial"));
    m->Font().SetHeight(-13);
    m->FontValue().SetName(QStringLiteral("Arial"));
    m->FontValue().SetHeight(-15);
    m->FontValue().SetStyle({TFontStyle::fsBold});
    m->FontValue().SetColor(clLime);
    TAbSBevel &outer = m->BevelOuter();
    outer.SetBevelLine(TBevelLine::blInner);
    outer.SetPenColor(clGray);
    TAbSBevel &inner = m->BevelInner();
    inner.SetBevelLine(TBevelLine::blNone);
    inner.SetColor(clWhite);
    m->BevelValue().SetColor(clBlack);
    TScaleSettings &scale = m->ScaleSettings();
    scale.SetPointerColor(clLime);
    scale.Font().SetHeight(-20);
    scale.SetSteps(10);
    scale.SetSubSteps(5);
    scale.SetValueFormat(QStringLiteral("####0.0"));
    m->MinMax().SetUseSectorCol(false);
    m->MinMax().SetMinVisible(false);
    m->MinMax().SetMaxVisible(false);
    m->EndUpdate();
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
