#pragma once

#include <QDeadlineTimer>
#include <QPointer>
#include <QThread>

#include <functional>

class QTimer;

// A periodic trigger on the user-interface thread: while Enabled, with a non-zero Interval,
// OnTimer (when assigned) fires every Interval milliseconds. A precise QTimer stands in for the
// sleeping thread; ThreadPriority is kept as a setting only.
class TAbFlash
{
public:
    TAbFlash();
    virtual ~TAbFlash();
    TAbFlash(const TAbFlash &) = delete;
    TAbFlash &operator=(const TAbFlash &) = delete;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool v);
    QThread::Priority ThreadPriority() const { return m_priority; }
    void SetThreadPriority(QThread::Priority v);
    int Interval() const { return m_interval; }
    void SetInterval(int ms);
    bool Running() const;

    std::function<void(TAbFlash *sender)> OnTimer;

protected:
    enum class Pacing {
        Periodic, // OnTimer every Interval
        OnDemand, // OnTimer once at each deadline set by ArmIn
    };
    explicit TAbFlash(Pacing pacing);

    // Starts or stops the pacing after a change of Enabled or Interval.
    void Apply();

    // On-demand pacing: OnTimer fires once, ms milliseconds from now; Enabled and a non-zero
    // Interval still gate it, and a deadline that passes while disabled fires on enabling.
    void ArmIn(int ms);
    void Disarm();

private:
    void Tick();

    Pacing m_pacing = Pacing::Periodic;
    bool m_armed = false;
    QDeadlineTimer m_deadline;
    bool m_enabled = true;
    QThread::Priority m_priority = QThread::NormalPriority;
    int m_interval = 16;
    bool m_destroying = false;
    QPointer<QTimer> m_timer;
};

// The single pacing timer of the timer service; it runs the service's dispatcher unless given
// another. It fires only when armed: the service arms it for the next due entry, so nothing
// wakes while nothing is due. A second instance tells the user and stays inert.
class TAbFlashTimer : public TAbFlash
{
public:
    explicit TAbFlashTimer(std::function<void()> dispatcher = {});
    ~TAbFlashTimer() override;

    using TAbFlash::ArmIn;
    using TAbFlash::Disarm;

    bool Active() const { return m_active; }
    static int InstanceCount();

private:
    bool m_active = false;
};
