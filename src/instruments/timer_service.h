#pragma once

#include "platform/date_time.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class TAbFlashTimer;

// Time as the timer service sees it: a wrapping millisecond tick count and the local date-time.
// Tests install a clock that moves only when told to, so that no test sleeps for a tick.
class TTimerClock
{
public:
    virtual ~TTimerClock() = default;
    virtual std::uint32_t TickCount() const = 0;
    virtual TDateTime Now() const = 0;
};

// The system's monotonic millisecond count and wall-clock time.
class TSystemTimerClock : public TTimerClock
{
public:
    std::uint32_t TickCount() const override;
    TDateTime Now() const override;
};

// A receiver of the service's ticks. counter is the dispatch counter; value is the flash state
// (1 on, 0 off) for flash codes, the lateness in ms for period codes, 0 for the second code.
// A receiver unregisters itself when it is destroyed.
class TTimerClient
{
public:
    TTimerClient() = default;
    TTimerClient(const TTimerClient &) = delete;
    TTimerClient &operator=(const TTimerClient &) = delete;
    virtual void TimerTick(std::uint32_t counter, std::int32_t value) = 0;

protected:
    virtual ~TTimerClient();
};

// Alternative receiver for an entry without a control.
using TTimerCallback = void (*)(std::uint32_t counter, std::int32_t value, std::uint64_t code);

// Codes of a registration: 2 .. 6 flash at that bit of the counter, 32 ticks once per second,
// anything else is a period in milliseconds.
constexpr std::uint64_t kTimerSecondCode = 32;

struct TTimerEntry
{
    TTimerClient *Control = nullptr;
    TTimerCallback Callback = nullptr;
    std::uint64_t Code = 0;
    std::uint64_t Due = 0;
    bool State = false;
};

// The registration list and its dispatcher. Everything runs on the user-interface thread: the
// pacing timer (TAbFlashTimer, created on the first registration) calls Dispatch when the next
// entry is due, never sooner than its Interval (16 ms) after the last dispatch, and rests while
// the list is empty. Flash codes count dispatches, so while one is registered the dispatcher
// runs every 16 ms.
class TAbTimerService
{
public:
    static TAbTimerService &Instance();

    TAbTimerService();
    ~TAbTimerService();
    TAbTimerService(const TAbTimerService &) = delete;
    TAbTimerService &operator=(const TAbTimerService &) = delete;

    // Replaces the code and due time of the control's entry, or appends one.
    void Register(TTimerClient *control, std::uint64_t code, TTimerCallback callback = nullptr);
    void Unregister(TTimerClient *control);

    // One dispatcher run: counts, then delivers what is due to each entry in order. A call
    // from inside a tick does nothing.
    void Dispatch();

    std::uint32_t Counter() const { return m_counter; }
    void SetCounter(std::uint32_t counter) { m_counter = counter; }
    TDateTime NextSecond() const { return m_nextSecond; }
    void SetNextSecond(TDateTime at);
    const std::vector<TTimerEntry> &Entries() const { return m_entries; }
    const TTimerEntry *Find(const TTimerClient *control) const;

    // The clock in use; nullptr restores the system clock. The caller keeps ownership.
    const TTimerClock &Clock() const { return *m_clock; }
    void SetClock(const TTimerClock *clock);

    // Whether the pacing timer runs the dispatcher by itself (tests switch it off and call
    // Dispatch directly).
    bool AutoDispatch() const { return m_autoDispatch; }
    void SetAutoDispatch(bool on);
    TAbFlashTimer *FlashTimer() const { return m_flashTimer.get(); }

    // The tick count at which the pacing timer will run the dispatcher; empty while it rests.
    std::optional<std::uint32_t> NextWake() const { return m_nextWake; }

private:
    void DeliverTo(std::size_t index, bool secondTick, std::uint32_t now);
    std::int64_t DueIn(const TTimerEntry &entry, std::uint32_t now) const;
    void ApplyPacing();

    TSystemTimerClock m_systemClock;
    const TTimerClock *m_clock = &m_systemClock;
    std::vector<TTimerEntry> m_entries;
    std::uint32_t m_counter = 0;
    TDateTime m_nextSecond = 0;
    bool m_autoDispatch = true;
    bool m_dispatching = false;
    std::optional<std::uint32_t> m_lastDispatch;
    std::optional<std::uint32_t> m_nextWake;
    std::unique_ptr<TAbFlashTimer> m_flashTimer;
};

// The service's operations under their own names.
void Register(TTimerClient *control, std::uint64_t code, TTimerCallback callback = nullptr);
void Unregister(TTimerClient *control);
