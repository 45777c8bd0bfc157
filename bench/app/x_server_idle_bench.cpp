// The installed program's own idle cost under a real X server: the vantor executable started on
// a private Xvfb display, port closed, measured from outside over ten seconds after it settled.
// The offscreen benchmarks cannot show what the X connection adds (a flush that waits for the
// server costs wake-ups of its own).
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

constexpr int kSettleMs = 5000;
constexpr int kWindowMs = 10000;

// Context switches of every thread of a process and its CPU time in clock ticks.
struct ProcessCounts
{
    long switches = 0;
    long cpuTicks = 0;
};

ProcessCounts CountsOf(qint64 pid)
{
    ProcessCounts counts;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(tasks.filePath(tid + QStringLiteral("/status")));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("voluntary_ctxt_switches:")
                || line.startsWith("nonvoluntary_ctxt_switches:"))
                counts.switches += line.mid(line.indexOf(':') + 1).trimmed().toLong();
        }
    }
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray text = stat.readAll();
        // The fields after the command name, which is in parentheses: utime and stime are the
        // 12th and 13th of them.
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 12)
            counts.cpuTicks = fields[11].toLong() + fields[12].toLong();
    }
    return counts;
}

} // namespace

static void BM_WindowIdleUnderXServer(benchmark::State &state)
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        state.SkipWithError("Xvfb is not installed");
        return;
    }
    for (auto _ : state) {
        const QString display = QStringLiteral(":%1").arg(100 + ::getpid() % 100);
        QProcess server;
        server.start(xvfb,
                     {display, QStringLiteral("-screen"), QStringLiteral("0"),
                      QStringLiteral("1280x1024x24")});
        QThread::msleep(1000);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("QT_FONT_DPI"));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(VANTOR_EXECUTABLE), {});
        if (!program.waitForStarted()) {
            state.SkipWithError("vantor did not start");
            break;
        }
        QThread::msleep(kSettleMs);
        const ProcessCounts before = CountsOf(program.processId());
        QElapsedTimer wall;
        wall.start();
        QThread::msleep(kWindowMs);
        const ProcessCounts after = CountsOf(program.processId());
        const double seconds = double(wall.nsecsElapsed()) / 1e9;
        program.kill();
        program.waitForFinished();
        server.terminate();
        server.waitForFinished();
        state.SetIterationTime(seconds);
        const double ticksPerSecond = double(::sysconf(_SC_CLK_TCK));
        state.counters["cpu_percent"]
                = 100.0 * double(after.cpuTicks - before.cpuTicks) / ticksPerSecond / seconds;
        state.counters["wakeups_per_s"] = double(after.switches - before.switches) / seconds;
    }
}
BENCHMARK(BM_WindowIdleUnderXServer)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(3)
        ->Unit(benchmark::kMillisecond);
