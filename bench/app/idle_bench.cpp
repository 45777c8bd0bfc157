// What an open window costs over ten seconds: the process's CPU time and how often its threads
// were switched in, once idle and once while a separate process plays a device at an everyday
// rate through a pseudo-terminal. Counters are per second of wall time.
#include "app/window/main_window.h"
#include "chart/rchart.h"
#include "platform/user_interface.h"
#include "pty_window_rig.h"
#include "serial/com_combo_box.h"
#include "ui_main_window.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kWindowMs = 10000;

// CPU time of every thread of the process, ended ones included.
double CpuSeconds()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
            + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Voluntary and involuntary context switches of one thread, from its /proc status.
long SwitchesOf(const QString &statusPath)
{
    FILE *file = std::fopen(statusPath.toLocal8Bit().constData(), "r");
    if (!file)
        return 0;
    long total = 0;
    char line[256];
    while (std::fgets(line, sizeof line, file)) {
        long n = 0;
        if (std::sscanf(line, "voluntary_ctxt_switches: %ld", &n) == 1
            || std::sscanf(line, "nonvoluntary_ctxt_switches: %ld", &n) == 1)
            total += n;
    }
    std::fclose(file);
    return total;
}

// Wake-ups of the threads alive now; the user-interface thread is the process's main thread.
struct Switches
{
    long all = 0;
    long ui = 0;
};

Switches CountSwitches()
{
    Switches s;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    const QString self = QString::number(::getpid());
    for (const QString &tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const long n = SwitchesOf(tasks.filePath(tid + QStringLiteral("/status")));
        s.all += n;
        if (tid == self)
            s.ui += n;
    }
    return s;
}

// Runs the event loop for ms milliseconds as the program's message loop would.
void RunEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Measures one window of kWindowMs, reports it as counters and returns its length in seconds.
double MeasureWindow(benchmark::State &state)
{
    const double cpuBefore = CpuSeconds();
    const Switches before = CountSwitches();
    QElapsedTimer wall;
    wall.start();
    RunEventLoop(kWindowMs);
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    const Switches after = CountSwitches();
    const double cpu = CpuSeconds() - cpuBefore;
    state.SetIterationTime(seconds);
    state.counters["cpu_percent"] = 100.0 * cpu / seconds;
    state.counters["wakeups_per_s"] = double(after.all - before.all) / seconds;
    state.counters["ui_wakeups_per_s"] = double(after.ui - before.ui) / seconds;
    return seconds;
}

// A device in a child process: two-value lines at a fixed rate in 1 ms slices, as a USB serial
// adapter delivers them, until it is killed. The child only writes and sleeps, so forking a
// process with threads is safe.
class ChildDevice
{
public:
    explicit ChildDevice(long linesPerSecond)
    {
        m_path = bench::OpenRawPseudoTerminal(m_master, m_slave);
        // One second of lines, built before the fork and written round and round.
        for (long i = 0; i < linesPerSecond; ++i)
            m_lines += std::to_string(i % 1000) + ".5;" + std::to_string(999 - i % 1000)
                    + ".25\r\n";
    }
    ~ChildDevice()
    {
        Stop();
        ::close(m_master);
        ::close(m_slave);
    }

    const QString &Path() const { return m_path; }

    void Start()
    {
        m_child = ::fork();
        if (m_child == 0)
            Play();
    }
    void Stop()
    {
        if (m_child <= 0)
            return;
        ::kill(m_child, SIGKILL);
        ::waitpid(m_child, nullptr, 0);
        m_child = -1;
    }

private:
    [[noreturn]] void Play() const
    {
        timespec start {};
        ::clock_gettime(CLOCK_MONOTONIC, &start);
        const std::size_t size = m_lines.size();
        std::size_t sent = 0; // bytes, over all rounds
        for (;;) {
            timespec now {};
            ::clock_gettime(CLOCK_MONOTONIC, &now);
            const double elapsed
                    = double(now.tv_sec - start.tv_sec) + double(now.tv_nsec - start.tv_nsec) / 1e9;
            const auto due = static_cast<std::size_t>(elapsed * double(size));
            while (sent < due) {
                const std::size_t at = sent % size;
                std::size_t chunk = std::min(due - sent, size - at);
                const ssize_t n = ::write(m_master, m_lines.data() + at, chunk);
                if (n <= 0)
                    ::_exit(0);
                sent += std::size_t(n);
            }
            const timespec slice {0, 1000000};
            ::clock_nanosleep(CLOCK_MONOTONIC, 0, &slice, nullptr);
        }
    }

    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    std::string m_lines;
    pid_t m_child = -1;
};

// The window as the program shows it after start-up, settled so that the first paints are over.
struct ShownWindow
{
    TForm1 form;

    ShownWindow()
    {
        SetMessagePresenter([](TMessageKind, const QString &, const QString &, const QString &) {});
        form.show();
        RunEventLoop(1000);
    }
};

} // namespace

// Started, nothing opened: only what is due may wake the process.
static void BM_WindowIdle(benchmark::State &state)
{
    for (auto _ : state) {
        ShownWindow window;
        MeasureWindow(state);
    }
}
BENCHMARK(BM_WindowIdle)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(3)
        ->Unit(benchmark::kMillisecond);

// A run of 10,000 two-value lines a second from another process with the window's design-time
// settings, on the page given by the argument (0: the slow display the window starts on, 1: the
// fast display in trend mode). Samples are counted on the fast display only.
static void BM_WindowEverydayRate(benchmark::State &state)
{
    const bool fast = state.range(0) == 1;
    for (auto _ : state) {
        ChildDevice device(10000);
        ShownWindow window;
        Ui::TForm1 &ui = window.form.Form();
        ui.ComComboBox1->addItem(device.Path());
        ui.ComComboBox1->SetText(device.Path());
        ui.CH2RadioButton->setChecked(true);
        if (fast) {
            ui.PageControl2->setCurrentWidget(ui.TabSheetFastDisplay);
            ui.TrendCheckBox->setChecked(true);
        }
        device.Start();
        RunGuarded([&] { ui.StartButton->click(); });
        RunEventLoop(1000);
        const auto samplesBefore = window.form.State().SampleCount;
        const double seconds = MeasureWindow(state);
        const auto samples = window.form.State().SampleCount - samplesBefore;
        state.counters["lines_per_s"] = double(samples) / seconds;
        state.counters["overflow"] = window.form.StatusText(2) == QStringLiteral("Buffer Overflow");
        RunGuarded([&] { ui.StopButton->click(); });
        device.Stop();
    }
}
BENCHMARK(BM_WindowEverydayRate)
        ->Arg(0)
        ->Arg(1)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(3)
        ->Unit(benchmark::kMillisecond);
