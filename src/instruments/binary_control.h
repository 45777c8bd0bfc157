#pragma once

#include "instruments/timer_service.h"

#include <QWidget>

#include <functional>

enum class TFlashFreq { ff8Hz, ff4Hz, ff2Hz, ff1Hz, ff05Hz };
enum class TMode { mButton, mSwitch, mIndicator, mRadioButton };

// Base of the LED: an on/off state mirrored in bit StatusBit of a 32-bit status word, optional
// flashing through the timer service, mouse modes and groups of controls sharing one status
// word. Controls of a group are found among the widgets of the same window. User-interface
// thread only.
class TAbBinGControl : public QWidget, public TTimerClient
{
public:
    explicit TAbBinGControl(QWidget *parent = nullptr);
    ~TAbBinGControl() override;

    bool Checked() const { return m_checked; }
    void SetChecked(bool v);
    bool Flashing() const { return m_flashing; }
    void SetFlashing(bool v);
    TFlashFreq Frequency() const { return m_frequency; }
    void SetFrequency(TFlashFreq v);
    int StatusInt() const { return m_statusInt; }
    void SetStatusInt(int v);
    int StatusBit() const { return m_statusBit; }
    // Accepted only in 0 .. 31.
    void SetStatusBit(int v);
    int GroupIndex() const { return m_groupIndex; }
    // Negative values are ignored.
    void SetGroupIndex(int v);
    TMode Mode() const { return m_mode; }
    void SetMode(TMode v);

    // Index of the lowest set bit of StatusInt, 32 when none.
    int FirstSetBit() const { return m_firstSetBit; }

    std::function<void(TAbBinGControl *sender)> OnStatusChanged;
    std::function<void(TAbBinGControl *sender)> OnStatusIntChanged;

    // Full repaint.
    virtual void Refresh();
    // Draws the lamp in the colour of Checked.
    virtual void ShowStatus();
    virtual void GroupChanged();
    virtual void StatusIntChanged();
    // Draws the lamp in the on or off colour.
    virtual void FlashTick(bool on);

    void TimerTick(std::uint32_t counter, std::int32_t value) override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void UpdateRegistration();
    std::uint64_t FlashCode() const;

    bool m_checked = false;
    bool m_flashing = false;
    TFlashFreq m_frequency = TFlashFreq::ff1Hz;
    int m_statusInt = 0;
    int m_statusBit = 0;
    int m_groupIndex = 0;
    TMode m_mode = TMode::mIndicator;
    int m_firstSetBit = 32;
};
