#pragma once

#include "instruments/bevel.h"
#include "instruments/graphic_control.h"
#include "instruments/meter_layout.h"
#include "instruments/signal_settings.h"
#include "instruments/value_settings.h"

#include <QImage>

enum class THintOption {
    hoAutoHint,
    hoValue,
    hoName1,
    hoName2,
    hoMin,
    hoMax,
    hoMinMaxDate,
    hoMinMaxTime
};
using THintOptions = TEnumSet<THintOption>;

// Base of the meter and the value indicator: turns Value into a digit, a per-mille position
// (clamped to 0 .. 1000), sector, limit, overflow and min/max state and a formatted text, and
// holds the parts both draw (bevels, value font, value box).
//
// Drawing: the control renders into an off-screen frame; paintEvent copies it. A full repaint
// (Invalidate) re-renders the frame when Qt next paints; a value change composes only the
// changed parts into the frame and asks Qt to update those rectangles.
class TAbAnalogGControl : public TAbGraphicControl
{
public:
    explicit TAbAnalogGControl(QWidget *parent = nullptr);
    ~TAbAnalogGControl() override;

    float Value() const { return m_value; }
    void SetValue(double value);
    // Nothing measured yet: the pointer rests at the scale's low end, the value reads "–", no
    // limit or overflow is shown, and the next SetValue or SetDigit applies whatever its value.
    // Value() keeps the last value set.
    void ClearValue();
    bool HasValue() const { return m_hasValue; }
    int Digit() const { return m_digit; }
    void SetDigit(int digit);
    float LimitUpper() const { return m_limitUpper; }
    void SetLimitUpper(double v);
    float LimitLower() const { return m_limitLower; }
    // 0 is stored as 0.0001.
    void SetLimitLower(double v);
    THintOptions HintOptions() const { return m_hintOptions; }
    void SetHintOptions(THintOptions v) { m_hintOptions = v; }

    TSectorSettings &SectorSettings() { return m_sectorSettings; }
    const TSectorSettings &SectorSettings() const { return m_sectorSettings; }
    TSignalSettings &SignalSettings() { return m_signalSettings; }
    const TSignalSettings &SignalSettings() const { return m_signalSettings; }
    TMinMax &MinMax() { return m_minMax; }
    const TMinMax &MinMax() const { return m_minMax; }
    TAbDamping &Damping() { return m_damping; }
    TAbFont &Font() { return m_font; }
    const TAbFont &Font() const { return m_font; }

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool v);
    TAbFont &FontValue() { return m_fontValue; }
    const TAbFont &FontValue() const { return m_fontValue; }
    TAbSBevel &BevelOuter() { return m_bevelOuter; }
    const TAbSBevel &BevelOuter() const { return m_bevelOuter; }
    TAbSBevel &BevelInner() { return m_bevelInner; }
    const TAbSBevel &BevelInner() const { return m_bevelInner; }
    TAbSBevel &BevelValue() { return m_bevelValue; }
    const TAbSBevel &BevelValue() const { return m_bevelValue; }

    // State of the value pipeline.
    // Formatted when first read after a change: many values between two paints format once.
    QString ValueText() const;
    QString DigitText() const { return QString::number(m_digit); }
    int PosPerMille() const { return m_posPerMille; }
    bool InSector(int k) const { return m_inSector[k - 1]; }
    TColor SectorColor() const { return m_sectorColor; }
    bool UpperExceeded() const { return m_upperExceeded; }
    bool LowerExceeded() const { return m_lowerExceeded; }
    bool Underflow() const { return m_underflow; }
    bool Overflow() const { return m_overflow; }
    int LimitUpperPos() const { return m_limitUpperPos; }
    int LimitLowerPos() const { return m_limitLowerPos; }
    int MinPos() const { return m_minPos; }
    int MaxPos() const { return m_maxPos; }
    // The hint text the options ask for (empty without hoAutoHint); built when asked.
    QString Hint() const;
    // The rectangle of the value text (inside the value bevel) after the last full repaint.
    QRect ValueBox() const { return m_valueBox; }

    void SettingsChanged() override;
    void Invalidate() override;

    virtual void ValueChanged();
    virtual void OverflowChanged();
    virtual void LimitChanged();
    virtual void MinMaxChanged();
    virtual void ScaleTypeChanged();

    std::function<void(TAbAnalogGControl *sender)> OnValueChange;
    std::function<void(TAbAnalogGControl *sender, bool upperExceeded, bool lowerExceeded)> OnLimit;
    std::function<void(TAbAnalogGControl *sender, int perMille)> OnOverflow;
    std::function<void(TAbAnalogGControl *sender, int sector, bool inSector)> OnSectorChange;
    std::function<void(TAbAnalogGControl *sender)> OnSettingsChange;
    std::function<void(TAbAnalogGControl *sender)> OnMinMaxChange;

protected:
    void Loaded() override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

    // Whether a full repaint may run now.
    virtual bool CanPaint() const { return true; }
    // Renders the whole control into painter (on the frame, which has the control's size).
    virtual void RenderFrame(QPainter &painter) = 0;
    // Called before a full repaint; a control that sizes itself does it here.
    virtual void AdjustSize() { }

    // The frame after a full repaint; null before and while a full repaint is pending.
    bool FrameValid() const { return !m_frameDirty && !m_frame.isNull(); }
    QImage &Frame() { return m_frame; }
    // Renders the frame now when a full repaint is pending and allowed.
    void EnsureFrame();
    // Sizes of the names in Font and of the sample and unit in FontValue.
    TInstrumentTexts MeasureTexts() const;
    // Paints the bevels, names, value bevel and unit where layout puts them and takes the
    // value text rectangle from it.
    void PaintPanel(QPainter &painter, const TInstrumentParts &parts, const TPanelLayout &layout);
    // Draws ValueText right-aligned on the value bevel's colour into the text area.
    void DrawValueText(QPainter &painter);
    int UnclampedPos() const { return m_rawPos; }

private:
    void ApplyValue(float value, int digit);
    void ShowNoValue();
    void UpdateSectors(int pos);
    void UpdateLimits();
    void UpdateOverflow(int &pos);
    void UpdateMinMax(int pos);
    void InstallHandlers();

    float m_value = 50.0f;
    float m_target = 50.0f;
    bool m_hasValue = true;
    int m_digit = 500;
    float m_limitUpper = 90.0f;
    float m_limitLower = 10.0f;
    THintOptions m_hintOptions {THintOption::hoAutoHint,   THintOption::hoValue,
                                THintOption::hoName1,      THintOption::hoName2,
                                THintOption::hoMin,        THintOption::hoMax,
                                THintOption::hoMinMaxDate, THintOption::hoMinMaxTime};
    TSectorSettings m_sectorSettings;
    TSignalSettings m_signalSettings;
    TMinMax m_minMax;
    TAbDamping m_damping;
    TAbFont m_font {QStringLiteral("Arial"), 8};

    bool m_autoSize = true;
    TAbFont m_fontValue {QStringLiteral("System"), 10};
    TAbSBevel m_bevelOuter;
    TAbSBevel m_bevelInner;
    TAbSBevel m_bevelValue;

    mutable QString m_valueText;
    QString m_valueTextFormat; // the format at the last value change
    mutable bool m_valueTextStale = false;
    int m_posPerMille = 0;
    int m_rawPos = 0;
    bool m_inSector[3] = {false, false, false};
    TColor m_sectorColor = clBlack;
    bool m_upperExceeded = true;
    bool m_lowerExceeded = true;
    bool m_underflow = false;
    bool m_overflow = false;
    int m_limitUpperPos = 900;
    int m_limitLowerPos = 100;
    int m_minPos = 0;
    int m_maxPos = 0;

    QImage m_frame;
    bool m_frameDirty = true;
    QRect m_valueBox;
};
