#include "instruments/flash_timer.h"

#include "instruments/timer_service.h"
#include "platform/user_interface.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

namespace {

int g_flashTimerCount = 0;

} // namespace

TAbFlash::TAbFlash()
    : TAbFlash(Pacing::Periodic)
{ }

TAbFlash::TAbFlash(Pacing pacing)
    : m_pacing(pacing)
{
    // Parented to the application so that the timer never outlives its event loop.
    m_timer = new QTimer(QCoreApplication::instance());
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setSingleShot(pacing == Pacing::OnDemand);
    QObject::connect(m_timer.data(), &QTimer::timeout, [this] { Tick(); });
    Apply();
}

TAbFlash::~TAbFlash()
{
    m_destroying = true;
    m_enabled = false;
    OnTimer = nullptr;
    delete m_timer.data();
}

void TAbFlash::SetEnabled(bool v)
{
    if (v == m_enabled)
        return;
    m_enabled = v;
    Apply();
}

void TAbFlash::SetThreadPriority(QThread::Priority v)
{
    if (v == m_priority)
        return;
    m_priority = v;
    Apply();
}

void TAbFlash::SetInterval(int ms)
{
    if (ms < 0 || ms == m_interval)
        return;
    m_interval = ms;
    Apply();
}

bool TAbFlash::Running() const
{
    return m_timer && m_timer->isActive();
}

void TAbFlash::Apply()
{
    if (!m_timer)
        return;
    m_timer->stop();
    // Runs without a handler too, so that a handler assigned later needs no restart.
    if (m_interval == 0 || !m_enabled)
        return;
    if (m_pacing == Pacing::Periodic)
        m_timer->start(m_interval);
    else if (m_armed)
        m_timer->start(static_cast<int>(std::max<qint64>(0, m_deadline.remainingTime())));
}

void TAbFlash::ArmIn(int ms)
{
    m_armed = true;
    m_deadline = QDeadlineTimer(std::max(ms, 0), Qt::PreciseTimer);
    Apply();
}

void TAbFlash::Disarm()
{
    m_armed = false;
    if (m_timer)
        m_timer->stop();
}

void TAbFlash::Tick()
{
    m_armed = false; // a single shot is spent; the handler may arm the next
    if (m_enabled && !m_destroying && OnTimer)
        OnTimer(this);
}

TAbFlashTimer::TAbFlashTimer(std::function<void()> dispatcher)
    : TAbFlash(Pacing::OnDemand)
{
    ++g_flashTimerCount;
    if (g_flashTimerCount > 1) {
        ShowInformation(QStringLiteral("Only one TAbFlashTimer per Application!\rRemove it..."),
                        QStringLiteral("Error Message"));
        SetEnabled(false);
        return;
    }
    m_active = true;
    if (!dispatcher)
        dispatcher = [] { TAbTimerService::Instance().Dispatch(); };
    OnTimer = [dispatcher = std::move(dispatcher)](TAbFlash *) { dispatcher(); };
}

TAbFlashTimer::~TAbFlashTimer()
{
    --g_flashTimerCount;
}

int TAbFlashTimer::InstanceCount()
{
    return g_flashTimerCount;
}
