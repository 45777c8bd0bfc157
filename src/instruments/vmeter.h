#pragma once

#include "instruments/analog_control.h"
#include "instruments/paint_pacer.h"
#include "instruments/scale_settings.h"

#include <QRegion>

enum class TAbVMeterOption {
    opBevelInner,
    opBevelOuter,
    opValue,
    opName1,
    opName2,
    opOverflow,
    opLimit,
    opSector,
    opUnit
};
using TAbVMeterOptions = TEnumSet<TAbVMeterOption>;

// The vertical meter: value box on top, a centred scale with a triangular pointer, the signal
// names below. A full repaint snapshots the scale area without the pointer; a value change
// asks Qt to update the pixels of the old and new pointer and of the value text, and the next
// paint restores the snapshot where the pointer was, draws it at its new place and redraws a
// changed value text in the frame: many values between two paints cost one drawing. Value
// changes ask for at most one paint per frame (see TPaintPacer); while a paint is on its way a
// new value only widens it when the pointer leaves the posted pixels. Paints nothing while the
// update lock is held.
class TAbVMeter : public TAbAnalogGControl
{
public:
    explicit TAbVMeter(QWidget *parent = nullptr);
    ~TAbVMeter() override;

    TAbVMeterOptions Options() const { return m_options; }
    void SetOptions(TAbVMeterOptions v);
    TScaleSettings &ScaleSettings() { return m_scaleSettings; }
    bool LogScale() const { return m_logScale; }
    void SetLogScale(bool v);

    // Geometry of the last full repaint.
    const TScaleLayout &ScaleLayout() const { return m_scale; }
    QRect ScaleArea() const { return m_scale.Area; }
    bool NoRoom() const { return m_scale.NoRoom; }
    int ScaleTop() const { return m_scale.Top; }
    int ScaleBottom() const { return m_scale.Bottom; }
    // The y of the pointer tip for a per-mille position, in control coordinates.
    int PointerY(int perMille) const { return m_scale.PointerY(perMille); }
    bool Blinking() const { return m_blinking; }

    void SettingsChanged() override;
    void ValueChanged() override;
    void OverflowChanged() override;
    void LimitChanged() override;
    void TimerTick(std::uint32_t counter, std::int32_t value) override;

protected:
    void Loaded() override;
    bool CanPaint() const override { return UpdateCount() == 0; }
    void AdjustSize() override;
    void RenderFrame(QPainter &painter) override;
    void paintEvent(QPaintEvent *event) override;

private:
    TInstrumentParts Parts() const;
    void PaintSectors(QPainter &painter);
    // Draws the value text when it changed (or always) and the pointer; returns the
    // rectangles that changed.
    QRegion DrawValueParts(QPainter &painter, bool always);
    // Restores the snapshot where the pointer was and draws it at its new place; returns the
    // rectangle covering both.
    QRect DrawPointer(QPainter &painter, TColor fill);
    TColor PointerFill() const;
    // Asks Qt to paint the pointer's way and the value text for the values since the last paint.
    void PostValueParts();
    void UpdateBlink();
    QSize MinimumMeterSize();

    TAbVMeterOptions m_options {TAbVMeterOption::opBevelInner, TAbVMeterOption::opBevelOuter,
                                TAbVMeterOption::opValue,      TAbVMeterOption::opName1,
                                TAbVMeterOption::opName2,      TAbVMeterOption::opOverflow,
                                TAbVMeterOption::opLimit,      TAbVMeterOption::opSector,
                                TAbVMeterOption::opUnit};
    TScaleSettings m_scaleSettings;
    bool m_logScale = false;

    TScaleLayout m_scale;
    QImage m_background;
    QRect m_pointerDrawn;
    QString m_textDrawn;
    int m_valueDepth = 0;
    bool m_valuePartsPending = false;
    bool m_paintPosted = false; // an update of m_postedPointer awaits its paint
    QRect m_postedPointer;
    TPaintPacer m_pacer {[this] { PostValueParts(); }};
    bool m_blinking = false;
    TColor m_blinkColor = 0x0000FF;
};
