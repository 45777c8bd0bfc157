#include "platform/demo_device.h"

#include <sys/eventfd.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

std::atomic<bool> g_demoOpen {false};

constexpr double kSinePeriod = 800.0; // lines
constexpr double kTrianglePeriod = 960.0;
constexpr double kFullScale = 10.0;
// A reader that falls behind gets at most this much backlog at once, like a line that overran.
constexpr double kMaxBacklogSeconds = 0.1;

void AppendFixed3(std::string &out, double value)
{
    std::array<char, 32> text {};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, 3);
    out.append(text.data(), result.ptr);
}

// A uniform value in [0, 1) that depends on `key` only; neighbouring keys give unrelated values.
double UniformOf(std::uint64_t key)
{
    key += 0x9E3779B97F4A7C15ull;
    key = (key ^ (key >> 30)) * 0xBF58476D1CE4E5B9ull;
    key = (key ^ (key >> 27)) * 0x94D049BB133111EBull;
    key ^= key >> 31;
    return double(key >> 11) * 0x1.0p-53;
}

// The eight channels of Demo8Signal. Periodic shapes take the line number modulo their period,
// so a value repeats exactly and keeps its precision however long a run lasts.
namespace demo8 {

constexpr std::uint64_t kSinePeriod = 250;
constexpr std::uint64_t kTrianglePeriod = 400;
constexpr std::uint64_t kSquarePeriod = 200;
constexpr std::uint64_t kSawtoothPeriod = 300;
constexpr std::uint64_t kDriftKnotSpacing = 300;
constexpr std::uint64_t kStepLength = 100;
constexpr std::uint64_t kSteps = 5;
// The chirp sweeps from 1/200 to 1/20 cycles per line in 800 lines: 22 whole cycles, so it
// starts over without a jump.
constexpr std::uint64_t kChirpPeriod = 800;
constexpr double kChirpStart = 1.0 / 200;
constexpr double kChirpEnd = 1.0 / 20;

// Noise and drift draw from separate keys of UniformOf.
constexpr std::uint64_t kNoiseDraws = 3;
constexpr std::uint64_t kKeysPerLine = kNoiseDraws + 1;

double Phase(std::uint64_t sample, std::uint64_t period)
{
    return double(sample % period) / double(period);
}

double Sine(double cycles)
{
    return kFullScale / 2 * (1.0 + std::sin(2.0 * std::numbers::pi * cycles));
}

double Triangle(std::uint64_t n)
{
    const double phase = Phase(n, kTrianglePeriod);
    return kFullScale * (phase < 0.5 ? 2.0 * phase : 2.0 - 2.0 * phase);
}

// Roughly bell-shaped around the middle, between 2 and 8.
double Noise(std::uint64_t n)
{
    double sum = 0;
    for (std::uint64_t i = 0; i < kNoiseDraws; ++i)
        sum += UniformOf(n * kKeysPerLine + i);
    return kFullScale / 2 + 2.0 * (sum - 1.5);
}

// Smooth steps between random levels that alternate between the lower and the upper part of the
// range, so that every 1,000 samples show it wander.
double Drift(std::uint64_t n)
{
    const auto level = [](std::uint64_t knot) {
        const double base = knot % 2 == 0 ? 1.0 : 6.0;
        return base + 3.0 * UniformOf(knot * kKeysPerLine + kNoiseDraws);
    };
    const std::uint64_t knot = n / kDriftKnotSpacing;
    const double t = Phase(n, kDriftKnotSpacing);
    const double smooth = t * t * (3.0 - 2.0 * t);
    return level(knot) + (level(knot + 1) - level(knot)) * smooth;
}

double Staircase(std::uint64_t n)
{
    return 1.0 + 2.0 * double(n / kStepLength % kSteps);
}

double Chirp(std::uint64_t n)
{
    const double m = double(n % kChirpPeriod);
    const double rise = (kChirpEnd - kChirpStart) / double(kChirpPeriod);
    return Sine(kChirpStart * m + rise * m * m / 2.0);
}

double Value(int channel, std::uint64_t n)
{
    switch (channel) {
    case 0:
        return Sine(Phase(n, kSinePeriod));
    case 1:
        return Triangle(n);
    case 2:
        return Phase(n, kSquarePeriod) < 0.5 ? 8.0 : 2.0;
    case 3:
        return kFullScale * Phase(n, kSawtoothPeriod);
    case 4:
        return Noise(n);
    case 5:
        return Drift(n);
    case 6:
        return Staircase(n);
    default:
        return Chirp(n);
    }
}

} // namespace demo8

bool SetNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

} // namespace

std::string DemoSignal::Line(std::uint64_t sample)
{
    const double n = double(sample);
    const double sine = kFullScale / 2 * (1.0 + std::sin(2.0 * std::numbers::pi * n / kSinePeriod));
    const double phase = std::fmod(n, kTrianglePeriod) / kTrianglePeriod;
    const double triangle = kFullScale * (phase < 0.5 ? 2.0 * phase : 2.0 - 2.0 * phase);
    m_noise = m_noise * 1664525u + 1013904223u;
    const double noise = (double(m_noise >> 8) / double(1u << 24) - 0.5) * 0.1; // ±0.05
    std::string line;
    AppendFixed3(line, std::clamp(sine, 0.0, kFullScale));
    line += ';';
    AppendFixed3(line, std::clamp(triangle + noise, 0.0, kFullScale));
    line += "\r\n";
    return line;
}

std::string Demo8Signal::Line(std::uint64_t sample) const
{
    std::string line;
    for (int channel = 0; channel < Channels; ++channel) {
        if (channel > 0)
            line += ';';
        AppendFixed3(line, std::clamp(demo8::Value(channel, sample), 0.0, kFullScale));
    }
    line += "\r\n";
    return line;
}

DemoLineSource DemoLinesFor(const QString &portName)
{
    if (portName == QLatin1String(DemoPortName))
        return [signal = DemoSignal()](std::uint64_t sample) mutable {
            return signal.Line(sample);
        };
    if (portName == QLatin1String(Demo8PortName))
        return [](std::uint64_t sample) { return Demo8Signal().Line(sample); };
    return {};
}

std::unique_ptr<DemoSerialDevice> DemoSerialDevice::Open(DemoLineSource lines, int &error)
{
    if (g_demoOpen.exchange(true)) {
        error = EBUSY;
        return nullptr;
    }
    int master = -1;
    int slave = -1;
    // Raw from the start: a line written before the port applies its settings must not be
    // echoed back to the generator, which would answer its own output.
    termios raw {};
    ::cfmakeraw(&raw);
    ::cfsetspeed(&raw, B115200); // speed 0 would mean "hang up"
    if (::openpty(&master, &slave, nullptr, &raw, nullptr) != 0 || !SetNonBlocking(master)
        || !SetNonBlocking(slave)) {
        error = errno;
        if (master >= 0)
            ::close(master);
        if (slave >= 0)
            ::close(slave);
        g_demoOpen.store(false);
        return nullptr;
    }
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    error = 0;
    return std::make_unique<DemoSerialDevice>(slave, master, std::move(lines));
}

DemoSerialDevice::DemoSerialDevice(int slave, int master, DemoLineSource lines)
    : PosixSerialDevice(slave)
    , m_master(master)
    , m_wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
    , m_lines(std::move(lines))
{
    m_generator = std::thread([this] { Generate(); });
}

DemoSerialDevice::~DemoSerialDevice()
{
    m_stop.store(true);
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_wake, &one, sizeof one);
    m_generator.join();
    ::close(m_wake);
    ::close(m_master);
    g_demoOpen.store(false);
}

int DemoSerialDevice::ApplyLine(const SerialLineSettings &settings)
{
    const int error = PosixSerialDevice::ApplyLine(settings);
    if (error == 0) {
        m_rate.store(settings.baudRate);
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(m_wake, &one, sizeof one);
    }
    return error;
}

// Lines are produced on the line's own clock: `produced` bytes at rate / 10 bytes per second
// give the time of the next line; the generator sleeps in poll() until then.
void DemoSerialDevice::Generate()
{
    int rate = 0;
    Clock::time_point start;
    double produced = 0; // bytes since start
    std::string out;
    while (!m_stop.load()) {
        if (rate != m_rate.load()) {
            rate = m_rate.load();
            start = Clock::now();
            produced = 0;
        }
        const double bytesPerSecond = std::max(rate / 10.0, 1.0);
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        const double allowed = elapsed * bytesPerSecond;
        produced = std::max(produced, allowed - kMaxBacklogSeconds * bytesPerSecond);
        while (out.empty() && produced <= allowed) {
            out = m_lines(m_sample++);
            produced += double(out.size());
        }
        if (!out.empty()) {
            const ssize_t n = ::write(m_master, out.data(), out.size());
            if (n > 0)
                out.erase(0, std::size_t(n));
        }
        pollfd fds[2]
                = {{m_wake, POLLIN, 0}, {m_master, short(POLLIN | (out.empty() ? 0 : POLLOUT)), 0}};
        const int timeout = out.empty() ? WaitMs(produced - allowed, bytesPerSecond) : -1;
        if (::poll(fds, 2, timeout) < 0 && errno != EINTR)
            break;
        if (fds[0].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] const auto n = ::read(m_wake, &count, sizeof count);
        }
        if (fds[1].revents & POLLIN)
            Answer(out);
        if (fds[1].revents & (POLLHUP | POLLERR) && !(fds[1].revents & POLLIN))
            break; // the slave side is gone
    }
}

// Every line the port sent comes back as "echo: " + line; CR, LF and CR LF end a line.
void DemoSerialDevice::Answer(std::string &out)
{
    char buffer[1024];
    const ssize_t n = ::read(m_master, buffer, sizeof buffer);
    for (ssize_t i = 0; i < n; ++i) {
        const char c = buffer[i];
        if (c == '\n' && m_lastWasCr) {
            m_lastWasCr = false;
            continue;
        }
        m_lastWasCr = c == '\r';
        if (c == '\r' || c == '\n') {
            out += "echo: " + m_received + "\r\n";
            m_received.clear();
        } else if (m_received.size() < 4096) {
            m_received += c;
        }
    }
}

int DemoSerialDevice::WaitMs(double bytesAhead, double bytesPerSecond) const
{
    if (bytesAhead <= 0)
        return 0;
    return std::max(1, int(std::ceil(bytesAhead / bytesPerSecond * 1000.0)));
}
