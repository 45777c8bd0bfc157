#pragma once

#include "instruments/timer_service.h"

#include <QWidget>

// Base of the instruments: a widget with an update lock. A control is created locked
// (UpdateCount 1); the concrete constructor ends with Loaded(), which installs the change
// handlers of its settings and releases the lock, so the first SettingsChanged runs then.
// Settings objects reach SettingsChanged directly; a control that must not repaint under the
// lock skips its repaint there, and the EndUpdate that releases the lock refreshes once.
// Receives the timer service's ticks (ignored unless overridden). User-interface thread only.
class TAbGraphicControl : public QWidget, public TTimerClient
{
public:
    explicit TAbGraphicControl(QWidget *parent = nullptr);
    ~TAbGraphicControl() override;

    int UpdateCount() const { return m_updateCount; }
    void BeginUpdate();
    void EndUpdate();

    // Runs SettingsChanged unless the update lock is held.
    virtual void RequestRefresh();
    // What a change of the control's settings does; empty here.
    virtual void SettingsChanged();
    // Asks Qt to repaint the whole control.
    virtual void Invalidate();

    void TimerTick(std::uint32_t counter, std::int32_t value) override;

protected:
    // The end of loading: installs handlers (override and call the base last), then EndUpdate.
    virtual void Loaded();
    bool IsLoaded() const { return m_loaded; }

private:
    int m_updateCount = 1;
    bool m_loaded = false;
};
