#pragma once

#include "instruments/analog_control.h"

enum class TValueIndOption { opBevelInner, opBevelOuter, opName1, opName2, opUnit };
using TValueIndOptions = TEnumSet<TValueIndOption>;

// The boxed numeric readout. With AutoSize it takes exactly the size its texts need (grows only
// without). A value change redraws only the value text. Paints even under the update lock.
class TAbValueInd : public TAbAnalogGControl
{
public:
    explicit TAbValueInd(QWidget *parent = nullptr);

    TValueIndOptions Options() const { return m_options; }
    void SetOptions(TValueIndOptions v);

    // The size the texts, bevels and options need.
    QSize MeasuredSize() const;

    void SettingsChanged() override;
    void ValueChanged() override;

protected:
    void AdjustSize() override;
    void RenderFrame(QPainter &painter) override;

private:
    TInstrumentParts Parts() const;

    TValueIndOptions m_options {TValueIndOption::opName1, TValueIndOption::opName2,
                                TValueIndOption::opUnit};
    int m_valueDepth = 0;
    QString m_textDrawn;
};
