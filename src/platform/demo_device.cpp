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

std::unique_ptr<DemoSerialDevice> DemoSerialDevice::Open(int &error)
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
    return std::make_unique<DemoSerialDevice>(slave, master);
}

DemoSerialDevice::DemoSerialDevice(int slave, int master)
    : PosixSerialDevice(slave)
    , m_master(master)
    , m_wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
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
            out = m_signal.Line(m_sample++);
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
