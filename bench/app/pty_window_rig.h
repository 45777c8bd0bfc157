#pragma once

// What the end-to-end window benchmarks share: a device that writes fixed-width lines into a
// pseudo-terminal at a given rate from its own thread, the real main window opened on it, and
// probes that watch the user-interface thread while a run streams.
#include "app/window/main_window.h"
#include "platform/user_interface.h"
#include "serial/com_combo_box.h"
#include "ui_main_window.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace bench {

// Opens a pseudo-terminal whose slave is raw (no echo, no line editing, as a serial port) and
// returns the slave's path.
inline QString OpenRawPseudoTerminal(int &master, int &slave)
{
    char name[256] = {};
    ::openpty(&master, &slave, name, nullptr, nullptr);
    termios raw {};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    return QString::fromLocal8Bit(name);
}

// The device side of a pseudo-terminal. Line n carries one value per channel in fixed width:
// n % 1000 first, then 999 - n % 1000, then (n + 100 k) % 1000 for channel k from 3 on. So any
// run of lines is one slice of a prepared text and the writer spends nothing on formatting. The
// writer keeps to linesPerSecond over 1 ms slices; it never blocks for good, so a run that stopped
// reading still ends.
class PtyDevice
{
public:
    explicit PtyDevice(int channels = 1)
    {
        m_path = OpenRawPseudoTerminal(m_master, m_slave);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        char field[16];
        for (int copy = 0; copy < kCopies; ++copy) {
            for (int n = 0; n < kPeriod; ++n) {
                for (int k = 1; k <= channels; ++k) {
                    std::snprintf(field, sizeof field, "%s%03d.5", k > 1 ? ";" : "", Raw(n, k));
                    m_text += field;
                }
                m_text += "\r\n";
            }
        }
        m_lineSize = m_text.size() / (std::size_t(kCopies) * kPeriod);
    }
    ~PtyDevice()
    {
        Join();
        ::close(m_master);
        ::close(m_slave);
    }
    PtyDevice(const PtyDevice &) = delete;
    PtyDevice &operator=(const PtyDevice &) = delete;

    const QString &Path() const { return m_path; }
    std::size_t LineSize() const { return m_lineSize; }
    // The first value of line n.
    static double Value(long n) { return double(n % kPeriod) + 0.5; }
    // The value of channel k in line n.
    static double Value(long n, int k) { return double(Raw(int(n % kPeriod), k)) + 0.5; }

    void Start(long lines, long linesPerSecond)
    {
        m_writer = std::thread([this, lines, linesPerSecond] { Write(lines, linesPerSecond); });
    }
    void Join()
    {
        m_stop = true;
        if (m_writer.joinable())
            m_writer.join();
        m_stop = false;
    }

private:
    static constexpr int kPeriod = 1000;
    static constexpr int kCopies = 32;

    static int Raw(int n, int k)
    {
        return k == 1 ? n : k == 2 ? kPeriod - 1 - n : (n + 100 * k) % kPeriod;
    }

    void Write(long lines, long linesPerSecond)
    {
        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();
        long sent = 0;
        while (sent < lines && !m_stop) {
            const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
            const long due = std::min(lines, long(elapsed * double(linesPerSecond)) + 1);
            while (sent < due && !m_stop) {
                const long first = sent % kPeriod;
                const long count = std::min(due - sent, long(kPeriod) * (kCopies - 1));
                if (!Put(m_text.data() + first * long(m_lineSize), std::size_t(count) * m_lineSize))
                    return;
                sent += count;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }
    // Writes all of it unless stopped; false when the pseudo-terminal failed.
    bool Put(const char *data, std::size_t size)
    {
        for (std::size_t done = 0; done < size && !m_stop;) {
            const ssize_t n = ::write(m_master, data + done, size - done);
            if (n > 0) {
                done += std::size_t(n);
            } else if (n < 0 && errno == EAGAIN) {
                pollfd out {m_master, POLLOUT, 0};
                ::poll(&out, 1, 10);
            } else {
                return false;
            }
        }
        return true;
    }

    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    std::string m_text;
    std::size_t m_lineSize = 0;
    std::thread m_writer;
    std::atomic<bool> m_stop {false};
};

// Notes when the watched button is enabled again: Start, at the moment the run has ended and
// before the window draws its last items.
class EnabledWatch : public QObject
{
public:
    std::chrono::steady_clock::time_point enabledAt {};

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange && static_cast<QWidget *>(watched)->isEnabled())
            enabledAt = std::chrono::steady_clock::now();
        return false;
    }
};

// The real main window on the fast display page, set up to acquire from the device.
struct WindowRig
{
    TForm1 form;
    PtyDevice device;
    EnabledWatch runEnd; // on the Start button

    // When the window last showed a message (the sample limit's, in a run to the limit).
    std::chrono::steady_clock::time_point messageShown {};

    explicit WindowRig(int channels = 1)
        : device(channels)
    {
        SetMessagePresenter(
                [this](TMessageKind, const QString &, const QString &, const QString &) {
                    messageShown = std::chrono::steady_clock::now();
                });
        form.show();
        Ui::TForm1 &ui = form.Form();
        ui.PageControl2->setCurrentWidget(ui.TabSheetFastDisplay);
        if (channels == 2)
            ui.CH2RadioButton->setChecked(true);
        if (channels >= 3) {
            ui.ChannelCountSpinBox->setValue(channels);
            ui.ChNRadioButton->setChecked(true);
        }
        ui.ComComboBox1->addItem(device.Path());
        ui.ComComboBox1->SetText(device.Path());
        ui.ComboBoxMaxSamples->setCurrentText(QStringLiteral("100000"));
        ui.ComboBoxUpdateRate->setCurrentText(QStringLiteral("50"));
        ui.StartButton->installEventFilter(&runEnd);
        // The window appears and lays itself out long before anyone presses Start.
        QEventLoop settle;
        QTimer::singleShot(300, &settle, &QEventLoop::quit);
        settle.exec();
    }
    ~WindowRig()
    {
        SetMessagePresenter([](TMessageKind, const QString &, const QString &, const QString &) {});
    }
    WindowRig(const WindowRig &) = delete;
    WindowRig &operator=(const WindowRig &) = delete;

    bool Overflowed() const { return form.StatusText(2) == QStringLiteral("Buffer Overflow"); }
};

// Watches the user-interface thread during a run: the longest gap between two turns of its
// event loop (a 1 ms timer), the longest wait of an event posted from another thread (what
// input would wait), and the longest gap between two paints of the update timer.
class UiProbe
{
public:
    explicit UiProbe(TForm1 &form)
        : m_form(form)
    {
        m_turns.setTimerType(Qt::PreciseTimer);
        m_turns.setInterval(1);
        QObject::connect(&m_turns, &QTimer::timeout, [this] {
            Gap(m_sinceTurn, m_longestTurnGap, m_turnSeen);
            if (m_check && !m_done && m_check()) {
                m_done = true;
                m_doneNs = m_run.nsecsElapsed();
            }
        });
        QObject::connect(&form.Timer1(), &QTimer::timeout,
                         [this] { Gap(m_sincePaint, m_longestPaintGap, m_paintSeen); });
    }
    ~UiProbe() { StopPoster(); }
    UiProbe(const UiProbe &) = delete;
    UiProbe &operator=(const UiProbe &) = delete;

    // Starts the clocks; done is checked on every turn and ends Wait.
    void Start(std::function<bool()> done)
    {
        m_check = std::move(done);
        m_run.start();
        m_turns.start();
        m_posting = true;
        m_poster = std::thread([this] {
            while (m_posting) {
                const auto posted = std::chrono::steady_clock::now();
                QMetaObject::invokeMethod(
                        &m_form,
                        [this, posted] {
                            const auto waited = std::chrono::steady_clock::now() - posted;
                            m_longestInputWait = std::max(
                                    m_longestInputWait,
                                    std::chrono::duration<double, std::milli>(waited).count());
                        },
                        Qt::QueuedConnection);
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
    }
    // Runs the event loop as the program does until done or timeoutMs; returns the seconds
    // from Start to done (or to the time-out).
    double Wait(int timeoutMs)
    {
        QEventLoop loop;
        QTimer end;
        QObject::connect(&end, &QTimer::timeout, [&] {
            if (m_done || m_run.elapsed() >= timeoutMs)
                loop.quit();
        });
        end.start(10);
        loop.exec();
        StopPoster();
        m_turns.stop();
        QCoreApplication::processEvents(); // the posted probes still queued
        return double(m_done ? m_doneNs : m_run.nsecsElapsed()) / 1e9;
    }
    bool Done() const { return m_done; }

    double LongestPaintGapMs() const { return double(m_longestPaintGap); }
    double LongestStallMs() const { return double(m_longestTurnGap); }
    double LongestInputWaitMs() const { return m_longestInputWait; }

    void Report(benchmark::State &state) const
    {
        state.counters["ui_stall_ms"] = double(m_longestTurnGap);
        state.counters["input_wait_ms"] = m_longestInputWait;
        state.counters["paint_gap_ms"] = double(m_longestPaintGap);
    }

private:
    static void Gap(QElapsedTimer &since, qint64 &longest, bool &seen)
    {
        if (seen)
            longest = std::max(longest, since.elapsed());
        seen = true;
        since.start();
    }
    void StopPoster()
    {
        m_posting = false;
        if (m_poster.joinable())
            m_poster.join();
    }

    TForm1 &m_form;
    QTimer m_turns;
    QElapsedTimer m_run;
    QElapsedTimer m_sinceTurn;
    QElapsedTimer m_sincePaint;
    qint64 m_longestTurnGap = 0;
    qint64 m_longestPaintGap = 0;
    bool m_turnSeen = false;
    bool m_paintSeen = false;
    double m_longestInputWait = 0;
    std::function<bool()> m_check;
    bool m_done = false;
    qint64 m_doneNs = 0;
    std::atomic<bool> m_posting {false};
    std::thread m_poster;
};

} // namespace bench
