// End-to-end runs of the main window: a writer thread plays a fast device on a
// pseudo-terminal while the user-interface thread runs the window as in the program.
#include "app/main_window.h"
#include "chart/rchart.h"
#include "platform/user_interface.h"
#include "serial/com_combo_box.h"
#include "serial/com_port.h"
#include "ui_main_window.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <pty.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

// The device side: writes `lines` CR LF lines at `linesPerSecond`, in 1 ms slices.
class PacedDevice
{
public:
    PacedDevice()
    {
        char name[256] = {};
        ::openpty(&m_master, &m_slave, name, nullptr, nullptr);
        termios raw {};
        ::tcgetattr(m_slave, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(m_slave, TCSANOW, &raw);
        m_path = QString::fromLocal8Bit(name);
    }
    ~PacedDevice()
    {
        Join();
        ::close(m_master);
        ::close(m_slave);
    }

    const QString &Path() const { return m_path; }

    void Start(long lines, long linesPerSecond)
    {
        m_writer = std::thread([this, lines, linesPerSecond] {
            using Clock = std::chrono::steady_clock;
            const auto start = Clock::now();
            std::string burst;
            long sent = 0;
            while (sent < lines && !m_stop) {
                const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
                const long due = std::min(lines, static_cast<long>(elapsed * linesPerSecond) + 1);
                burst.clear();
                for (; sent < due; ++sent)
                    burst += std::to_string(sent % 1000) + ".5\r\n";
                for (size_t done = 0; done < burst.size();) {
                    const ssize_t n = ::write(m_master, burst.data() + done, burst.size() - done);
                    if (n <= 0)
                        return;
                    done += static_cast<size_t>(n);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
    void Join()
    {
        m_stop = true;
        if (m_writer.joinable())
            m_writer.join();
        m_stop = false;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    std::thread m_writer;
    std::atomic<bool> m_stop {false};
};

struct WindowRig
{
    TForm1 form;
    PacedDevice device;

    WindowRig()
    {
        SetMessagePresenter([](TMessageKind, const QString &, const QString &) {});
        form.show();
        Ui::TForm1 &ui = form.Form();
        ui.PageControl2->setCurrentWidget(ui.TabSheetFastDisplay);
        ui.ComComboBox1->addItem(device.Path());
        ui.ComComboBox1->SetText(device.Path());
        ui.ComboBoxMaxSamples->setCurrentText(QStringLiteral("100000"));
        ui.ComboBoxUpdateRate->setCurrentText(QStringLiteral("50"));
    }
};

template<typename Condition>
void RunUntil(Condition done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

// One channel at 200,000 lines per second up to the 100,000-sample limit.
static void BM_PtyWindowOneChannelToLimit(benchmark::State &state)
{
    for (auto _ : state) {
        WindowRig rig;
        Ui::TForm1 &ui = rig.form.Form();
        RunGuarded([&] { ui.StartButton->click(); });
        QElapsedTimer clock;
        clock.start();
        rig.device.Start(100100, 200000);
        RunUntil([&] { return ui.StartButton->isEnabled(); }, 20000);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        rig.device.Join();
        state.counters["items"] = ui.RChart1->ItemCount();
        state.counters["limit_count"] = rig.form.State().LimitCount;
        state.counters["overflow"] = rig.form.StatusText(2) == QStringLiteral("Buffer Overflow");
    }
}
BENCHMARK(BM_PtyWindowOneChannelToLimit)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);

// Trend mode at 100,000 lines per second: the list stays bounded and the update timer keeps
// painting; the counter reports the longest gap between two paints.
static void BM_PtyWindowTrendSustained(benchmark::State &state)
{
    const long seconds = state.range(0);
    for (auto _ : state) {
        WindowRig rig;
        Ui::TForm1 &ui = rig.form.Form();
        ui.TrendCheckBox->setChecked(true);
        QElapsedTimer sincePaint;
        qint64 longestGap = 0;
        int paints = 0;
        QObject::connect(&rig.form.Timer1(), &QTimer::timeout, [&] {
            if (paints++ > 0)
                longestGap = std::max(longestGap, sincePaint.elapsed());
            sincePaint.start();
        });
        RunGuarded([&] { ui.StartButton->click(); });
        QElapsedTimer clock;
        clock.start();
        const long lines = 100000 * seconds;
        rig.device.Start(lines, 100000);
        RunUntil([&] { return rig.form.State().SampleCount >= lines - 1; },
                 int(seconds * 1000 + 5000));
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        rig.device.Join();
        state.counters["samples"] = double(rig.form.State().SampleCount);
        state.counters["items"] = ui.RChart1->ItemCount();
        state.counters["paints"] = paints;
        state.counters["longest_paint_gap_ms"] = double(longestGap);
        state.counters["overflow"] = rig.form.StatusText(2) == QStringLiteral("Buffer Overflow");
        RunGuarded([&] { ui.StopButton->click(); });
    }
}
BENCHMARK(BM_PtyWindowTrendSustained)
        ->Arg(10)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
