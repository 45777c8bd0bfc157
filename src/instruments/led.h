#pragma once

#include "instruments/binary_control.h"
#include "instruments/persistent.h"

#include <QImage>

enum class TLEDShape {
    sRound,
    sArrowLeft,
    sArrowRight,
    sArrowUp,
    sArrowDown,
    sRectangle,
    sDiamondLeft,
    sDiamondRight
};
enum class TLEDPos { lpLeft, lpRight, lpTop, lpBottom };

// The lamp of an LED: shape, colours and size (each side accepted only in 4 .. 80).
class TLED : public TAbPersistent
{
public:
    TLEDShape Shape() const { return m_values.Shape; }
    TColor ColorOn() const { return m_values.ColorOn; }
    TColor ColorOff() const { return m_values.ColorOff; }
    int Width() const { return m_values.Width; }
    int Height() const { return m_values.Height; }
    void SetShape(TLEDShape v) { SetField(m_values.Shape, v); }
    void SetColorOn(TColor v) { SetField(m_values.ColorOn, v); }
    void SetColorOff(TColor v) { SetField(m_values.ColorOff, v); }
    void SetWidth(int v);
    void SetHeight(int v);
    void Assign(const TLED &source);

    // The box the lamp occupies: Width x Height, square (the larger side) when round.
    QSize BoxSize() const;
    // Draws the lamp into box in the on or off colour.
    void Draw(QPainter &painter, const QRect &box, bool on) const;

private:
    struct Values
    {
        TLEDShape Shape = TLEDShape::sRound;
        TColor ColorOn = 0x00FF00;
        TColor ColorOff = clBtnFace;
        int Width = 13;
        int Height = 13;
    };
    Values m_values;
};

// A lamp with a caption ('|' separates lines) beside, above or below it, in the widget's font.
// Renders into an off-screen frame; a state change redraws only the lamp.
class TAbLED : public TAbBinGControl
{
public:
    explicit TAbLED(QWidget *parent = nullptr);

    TLED &LED() { return m_led; }
    TLEDPos LED_Position() const { return m_position; }
    void SetLED_Position(TLEDPos v);
    int Spacing() const { return m_spacing; }
    void SetSpacing(int v);
    // Defaults to the object name.
    QString Caption() const;
    void SetCaption(const QString &caption);

    // Where the lamp sits for the current size and settings.
    QRect LampRect() const;

    void Refresh() override;
    void ShowStatus() override;
    void FlashTick(bool on) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void EnsureFrame();
    void PaintCaption(QPainter &painter, const QRect &lamp) const;
    void DrawLamp(bool on);

    TLED m_led;
    TLEDPos m_position = TLEDPos::lpLeft;
    int m_spacing = 5;
    QString m_caption;
    bool m_captionSet = false;
    QImage m_frame;
    bool m_frameDirty = true;
    // The lamp drawn on the frame's pixels under it, on and off: a state change is one copy.
    QImage m_lampOn;
    QImage m_lampOff;
    bool m_painting = false;
};
