#pragma once

#include "instruments/timer_service.h"

#include <cstdint>

// A clock that moves only when told to; tick count and date-time advance together.
class TManualTimerClock : public TTimerClock
{
public:
    explicit TManualTimerClock(std::uint32_t tick = 0, TDateTime now = 46023.5)
        : m_tick(tick)
        , m_now(now)
    { }
    std::uint32_t TickCount() const override { return m_tick; }
    TDateTime Now() const override { return m_now; }
    void Advance(std::uint32_t ms)
    {
        m_tick += ms;
        m_now += ms / 86400000.0;
    }
    void SetTickCount(std::uint32_t tick) { m_tick = tick; }
    void SetNow(TDateTime now) { m_now = now; }

private:
    std::uint32_t m_tick;
    TDateTime m_now;
};

// Installs a manual clock and switches automatic dispatching off for its lifetime, starting a
// fresh second one second from the clock's time; Step(n) advances the clock by 16 ms and
// dispatches, n times.
class TManualTimerScope
{
public:
    explicit TManualTimerScope(std::uint32_t tick = 0, TDateTime now = 46023.5)
        : m_clock(tick, now)
        , m_previousClock(&Service().Clock())
        , m_previousAuto(Service().AutoDispatch())
    {
        Service().SetClock(&m_clock);
        Service().SetAutoDispatch(false);
        Service().SetNextSecond(now + 1.0 / 86400.0);
    }
    ~TManualTimerScope()
    {
        Service().SetClock(m_previousClock);
        Service().SetAutoDispatch(m_previousAuto);
    }
    TManualTimerScope(const TManualTimerScope &) = delete;
    TManualTimerScope &operator=(const TManualTimerScope &) = delete;

    TManualTimerClock &Clock() { return m_clock; }
    void Step(int dispatches = 1)
    {
        for (int i = 0; i < dispatches; ++i) {
            m_clock.Advance(16);
            Service().Dispatch();
        }
    }

private:
    static TAbTimerService &Service() { return TAbTimerService::Instance(); }

    TManualTimerClock m_clock;
    const TTimerClock *m_previousClock;
    bool m_previousAuto;
};
