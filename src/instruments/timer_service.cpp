#include "instruments/timer_service.h"

#include "instruments/flash_timer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace {

constexpr TDateTime kOneSecond = 1.0 / 86400.0;
constexpr double kMsPerDay = 86400000.0;
constexpr std::int64_t kWrapLateness = 0x7FFFFFFF;

bool ApplicationClosing()
{
    return QCoreApplication::closingDown();
}

bool IsFlashCode(std::uint64_t code)
{
    return code >= 2 && code <= 6;
}

// Wrap-safe distance from a period entry's due time to now: the low 32 bits compared as a
// signed difference, positive when the entry is late.
std::int32_t PastDue(const TTimerEntry &entry, std::uint32_t now)
{
    return static_cast<std::int32_t>(now - static_cast<std::uint32_t>(entry.Due));
}

// A period entry is due once its time has come, or when the distance is so large that the tick
// count must have wrapped around.
bool PeriodDue(const TTimerEntry &entry, std::uint32_t now)
{
    const std::int32_t diff = PastDue(entry, now);
    return now >= entry.Due || diff >= 0 || std::llabs(std::int64_t {diff}) >= kWrapLateness;
}

} // namespace

std::uint32_t TSystemTimerClock::TickCount() const
{
    static QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<std::uint32_t>(started.elapsed());
}

TDateTime TSystemTimerClock::Now() const
{
    return ::Now();
}

TTimerClient::~TTimerClient()
{
    TAbTimerService::Instance().Unregister(this);
}

TAbTimerService &TAbTimerService::Instance()
{
    static TAbTimerService service;
    return service;
}

TAbTimerService::TAbTimerService() = default;
TAbTimerService::~TAbTimerService() = default;

const TTimerEntry *TAbTimerService::Find(const TTimerClient *control) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [control](const TTimerEntry &e) { return e.Control == control; });
    return it == m_entries.end() ? nullptr : &*it;
}

void TAbTimerService::Register(TTimerClient *control, std::uint64_t code, TTimerCallback callback)
{
    const std::uint64_t due = static_cast<std::uint64_t>(m_clock->TickCount()) + code;
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const TTimerEntry &e) {
        return control ? e.Control == control : e.Callback == callback;
    });
    if (it != m_entries.end()) {
        it->Code = code;
        it->Due = due;
    } else {
        if (m_entries.capacity() - m_entries.size() < 2)
            m_entries.reserve(m_entries.size() + 10);
        m_entries.push_back(TTimerEntry {control, callback, code, due, false});
    }
    if (!m_flashTimer) {
        m_flashTimer = std::make_unique<TAbFlashTimer>([this] { Dispatch(); });
        m_nextSecond = m_clock->Now() + kOneSecond;
    }
    ApplyPacing();
}

void TAbTimerService::Unregister(TTimerClient *control)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [control](const TTimerEntry &e) { return e.Control == control; });
    if (it == m_entries.end())
        return;
    m_entries.erase(it);
    if (ApplicationClosing() && m_entries.empty())
        m_flashTimer.reset();
    ApplyPacing();
}

void TAbTimerService::SetNextSecond(TDateTime at)
{
    m_nextSecond = at;
    ApplyPacing();
}

void TAbTimerService::SetClock(const TTimerClock *clock)
{
    m_clock = clock ? clock : &m_systemClock;
    ApplyPacing();
}

void TAbTimerService::SetAutoDispatch(bool on)
{
    m_autoDispatch = on;
    ApplyPacing();
}

// Arms the pacing timer for the earliest entry, or lets it rest when nothing is registered.
// Inside a dispatch this waits for its end, when every due time is known.
void TAbTimerService::ApplyPacing()
{
    if (!m_flashTimer || m_dispatching)
        return;
    m_flashTimer->SetEnabled(m_autoDispatch);
    m_nextWake.reset();
    if (!m_autoDispatch || m_entries.empty()) {
        m_flashTimer->Disarm();
        return;
    }
    const std::uint32_t now = m_clock->TickCount();
    std::int64_t wait = std::numeric_limits<std::int32_t>::max();
    for (const TTimerEntry &entry : m_entries)
        wait = std::min(wait, DueIn(entry, now));
    // Never two dispatches closer than the pacing interval, as with a timer that runs at it.
    if (m_lastDispatch) {
        const auto since = static_cast<std::int32_t>(now - *m_lastDispatch);
        const int step = m_flashTimer->Interval();
        if (since >= 0 && since < step)
            wait = std::max<std::int64_t>(wait, step - since);
    }
    m_flashTimer->ArmIn(static_cast<int>(wait));
    if (m_flashTimer->Running())
        m_nextWake = now + static_cast<std::uint32_t>(wait);
}

// Milliseconds until the entry wants the dispatcher; 0 when it is due now.
std::int64_t TAbTimerService::DueIn(const TTimerEntry &entry, std::uint32_t now) const
{
    if (IsFlashCode(entry.Code))
        return 0; // the flash state follows the dispatch counter, so every dispatch counts
    if (entry.Code == kTimerSecondCode) {
        // Date-times carry rounding errors of a fraction of a microsecond; they are no reason
        // to wake a millisecond later.
        const double ms = std::ceil((m_nextSecond - m_clock->Now()) * kMsPerDay - 1e-3);
        return ms <= 0 ? 0 : static_cast<std::int64_t>(std::min(ms, double(kWrapLateness)));
    }
    if (PeriodDue(entry, now))
        return 0;
    return -std::int64_t {PastDue(entry, now)};
}

void TAbTimerService::Dispatch()
{
    // A tick handler that lets pending events run must not start a nested dispatch: ticks are
    // delivered one after the other, never inside each other.
    if (m_dispatching)
        return;
    m_dispatching = true;
    // The next wake is armed however the run ends, also when a tick handler raises.
    struct Finish
    {
        TAbTimerService &service;
        ~Finish()
        {
            service.m_dispatching = false;
            service.ApplyPacing();
        }
    } finish {*this};

    ++m_counter; // wraps from 0xFFFFFFFF to 0
    const std::uint32_t now = m_clock->TickCount();
    m_lastDispatch = now;
    const bool secondTick = m_clock->Now() >= m_nextSecond;
    if (secondTick)
        m_nextSecond += kOneSecond;

    // Serves the entries present at the start. An entry that leaves the list during its tick
    // lets the next one move into its place, which is then served at the same index.
    std::size_t count = m_entries.size();
    std::size_t i = 0;
    while (i < count && i < m_entries.size()) {
        if (ApplicationClosing())
            break;
        const TTimerEntry served = m_entries[i];
        try {
            DeliverTo(i, secondTick, now);
        } catch (const std::overflow_error &) {
        } catch (const std::range_error &) {
        } catch (const std::out_of_range &) { }
        const bool stayed = i < m_entries.size() && m_entries[i].Control == served.Control
                && m_entries[i].Callback == served.Callback;
        if (stayed)
            ++i;
        else
            --count;
    }
}

void TAbTimerService::DeliverTo(std::size_t index, bool secondTick, std::uint32_t now)
{
    TTimerEntry &entry = m_entries[index];
    std::int32_t value = 0;
    if (IsFlashCode(entry.Code)) {
        const bool state = ((m_counter >> entry.Code) & 1u) != 0;
        if (state == entry.State)
            return;
        entry.State = state;
        value = state ? 1 : 0;
    } else if (entry.Code == kTimerSecondCode) {
        if (!secondTick)
            return;
    } else {
        const auto period = static_cast<std::uint32_t>(entry.Code);
        if (!PeriodDue(entry, now))
            return;
        const std::int32_t diff = PastDue(entry, now);
        std::int64_t late = std::llabs(static_cast<std::int64_t>(diff));
        const bool wrapped = late >= kWrapLateness;
        const std::int64_t ahead = wrapped ? 0 : diff;
        if (late > 1000)
            late = 0;
        const auto late64 = static_cast<std::uint64_t>(late);
        entry.Due = ahead >= 0 ? std::uint64_t {now} + period - late64
                               : std::uint64_t {now} + period + late64;
        value = static_cast<std::int32_t>(late);
    }
    TTimerClient *control = entry.Control;
    TTimerCallback callback = entry.Callback;
    const std::uint64_t code = entry.Code;
    if (callback)
        callback(m_counter, value, code);
    else if (control)
        control->TimerTick(m_counter, value);
}

void Register(TTimerClient *control, std::uint64_t code, TTimerCallback callback)
{
    TAbTimerService::Instance().Register(control, code, callback);
}

void Unregister(TTimerClient *control)
{
    TAbTimerService::Instance().Unregister(control);
}
