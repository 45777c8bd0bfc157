#include "instruments/timer_service.h"

#include "instruments/flash_timer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace {

constexpr TDateTime kOneSecond = 1.0 / 86400.0;
constexpr std::int64_t kWrapLateness = 0x7FFFFFFF;

bool ApplicationClosing()
{
    return QCoreApplication::closingDown();
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

void TManualTimerClock::Advance(std::uint32_t ms)
{
    m_tick += ms;
    m_now += ms / 86400000.0;
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
    if (!m_entries.empty() && !m_flashTimer) {
        m_flashTimer = std::make_unique<TAbFlashTimer>([this] { Dispatch(); });
        m_nextSecond = m_clock->Now() + kOneSecond;
        ApplyPacing();
    }
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
}

void TAbTimerService::SetClock(const TTimerClock *clock)
{
    m_clock = clock ? clock : &m_systemClock;
}

void TAbTimerService::SetAutoDispatch(bool on)
{
    m_autoDispatch = on;
    ApplyPacing();
}

void TAbTimerService::ApplyPacing()
{
    if (m_flashTimer)
        m_flashTimer->SetEnabled(m_autoDispatch);
}

void TAbTimerService::Dispatch()
{
    // A tick handler that lets pending events run must not start a nested dispatch: ticks are
    // delivered one after the other, never inside each other.
    if (m_dispatching)
        return;
    m_dispatching = true;
    struct Reset
    {
        bool &flag;
        ~Reset() { flag = false; }
    } reset {m_dispatching};

    ++m_counter; // wraps from 0xFFFFFFFF to 0
    const std::uint32_t now = m_clock->TickCount();
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
    if (entry.Code >= 2 && entry.Code <= 6) {
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
        // Wrap-safe distance to the due time: the low 32 bits compared as a signed difference.
        const auto diff = static_cast<std::int32_t>(now - static_cast<std::uint32_t>(entry.Due));
        std::int64_t late = std::llabs(static_cast<std::int64_t>(diff));
        const bool wrapped = late >= kWrapLateness;
        if (!(now >= entry.Due || diff >= 0 || wrapped))
            return;
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

TManualTimerScope::TManualTimerScope(std::uint32_t tick, TDateTime now)
    : m_clock(tick, now)
    , m_previousClock(&TAbTimerService::Instance().Clock())
    , m_previousAuto(TAbTimerService::Instance().AutoDispatch())
{
    TAbTimerService::Instance().SetClock(&m_clock);
    TAbTimerService::Instance().SetAutoDispatch(false);
    TAbTimerService::Instance().SetNextSecond(now + kOneSecond);
}

TManualTimerScope::~TManualTimerScope()
{
    TAbTimerService::Instance().SetClock(m_previousClock);
    TAbTimerService::Instance().SetAutoDispatch(m_previousAuto);
}

void TManualTimerScope::Step(int dispatches)
{
    for (int i = 0; i < dispatches; ++i) {
        m_clock.Advance(16);
        TAbTimerService::Instance().Dispatch();
    }
}
