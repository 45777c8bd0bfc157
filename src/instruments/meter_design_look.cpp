#include "instruments/meter_design_look.h"

#include "instruments/vmeter.h"

void SetMeterDesignLook(TAbVMeter &meter, const QString &name)
{
    meter.BeginUpdate();
    meter.SetAutoSize(false);
    meter.resize(140, 417);
    meter.SetOptions({TAbVMeterOption::opBevelInner, TAbVMeterOption::opBevelOuter,
                      TAbVMeterOption::opValue, TAbVMeterOption::opName1});
    TSignalSettings &signal = meter.SignalSettings();
    signal.SetName1(name);
    signal.SetValueTo(10);
    signal.SetValueUnit(QStringLiteral("%"));
    signal.SetValueFormat(QStringLiteral("######0.000"));
    meter.Font().SetName(QStringLiteral("Arial"));
    meter.Font().SetHeight(-13);
    meter.FontValue().SetName(QStringLiteral("Arial"));
    meter.FontValue().SetHeight(-15);
    meter.FontValue().SetColor(clLime);
    meter.FontValue().SetStyle({TFontStyle::fsBold});
    meter.BevelOuter().SetBevelLine(TBevelLine::blInner);
    meter.BevelOuter().SetPenColor(clGray);
    meter.BevelInner().SetBevelLine(TBevelLine::blNone);
    meter.BevelInner().SetColor(clWhite);
    meter.BevelValue().SetBevelLine(TBevelLine::blNone);
    meter.BevelValue().SetColor(clBlack);
    TScaleSettings &scale = meter.ScaleSettings();
    scale.SetColor(clBlack);
    scale.SetPointerColor(clLime);
    scale.SetDrawLine(true);
    scale.SetPosLeftTop(false);
    scale.Font().SetName(QStringLiteral("Arial"));
    scale.Font().SetHeight(-20);
    scale.Font().SetColor(clBlack);
    scale.SetSteps(10);
    scale.SetSubSteps(5);
    scale.SetValueFormat(QStringLiteral("####0.0"));
    meter.MinMax().SetUseSectorCol(false);
    meter.MinMax().SetMinVisible(false);
    meter.MinMax().SetMaxVisible(false);
    meter.EndUpdate();
}
