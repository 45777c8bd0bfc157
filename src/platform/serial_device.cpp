#include "platform/serial_device.h"

// termios2 comes from the kernel headers; <termios.h> must stay out of this file.
#include <asm/termbits.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace {

// Requests a device without the feature rejects; the feature is then simply absent.
bool Unsupported(int err)
{
    return err == ENOTTY || err == EINVAL || err == EOPNOTSUPP;
}

tcflag_t CharacterSize(int dataBits)
{
    switch (dataBits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

tcflag_t ParityFlags(int parity)
{
    switch (parity) {
    case 1:
        return PARENB | PARODD;
    case 2:
        return PARENB;
    case 3:
        return PARENB | CMSPAR | PARODD;
    case 4:
        return PARENB | CMSPAR;
    default:
        return 0;
    }
}

void MakeRaw(termios2 &t)
{
    t.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF
                           | IXANY | INPCK | IGNPAR | IUCLC | IMAXBEL);
    t.c_oflag &= ~tcflag_t(OPOST);
    t.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~tcflag_t(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CBAUD | CIBAUD);
    t.c_cflag |= CREAD | CLOCAL;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
}

} // namespace

std::unique_ptr<PosixSerialDevice> PosixSerialDevice::Open(const QString &path, int &error)
{
    const QByteArray native = path.toLocal8Bit();
    const int fd = ::open(native.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) < 0 || ::ioctl(fd, TIOCEXCL) < 0) {
        error = errno;
        ::close(fd);
        return nullptr;
    }
    error = 0;
    return std::make_unique<PosixSerialDevice>(fd);
}

PosixSerialDevice::PosixSerialDevice(int fd)
    : m_fd(fd)
{ }

PosixSerialDevice::~PosixSerialDevice()
{
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
}

int PosixSerialDevice::ApplyLine(const SerialLineSettings &s)
{
    if (s.baudRate <= 0)
        return EINVAL;
    termios2 t {};
    if (::ioctl(m_fd, TCGETS2, &t) < 0)
        return errno;
    MakeRaw(t);
    t.c_cflag |= BOTHER | CharacterSize(s.dataBits) | ParityFlags(s.parity);
    t.c_ispeed = t.c_ospeed = speed_t(s.baudRate);
    if (s.parityCheck)
        t.c_iflag |= INPCK;
    if (s.stopBits != 0) // with 5 data bits the UART sends 1.5 stop bits for this flag
        t.c_cflag |= CSTOPB;
    if (s.outCtsFlow || s.rtsControl == 2)
        t.c_cflag |= CRTSCTS;
    if (s.xonXoffOut)
        t.c_iflag |= IXON;
    if (s.xonXoffIn)
        t.c_iflag |= IXOFF;
    t.c_cc[VSTART] = cc_t(s.xonChar);
    t.c_cc[VSTOP] = cc_t(s.xoffChar);
    if (::ioctl(m_fd, TCSETS2, &t) < 0)
        return errno;
    SetControlLine(TIOCM_DTR, s.dtrControl != 0);
    if (s.rtsControl != 2)
        SetControlLine(TIOCM_RTS, s.rtsControl == 1);
    return 0;
}

void PosixSerialDevice::SetControlLine(int line, bool active)
{
    // A pseudo-terminal has no modem lines; the request then has no effect.
    ::ioctl(m_fd, active ? TIOCMBIS : TIOCMBIC, &line);
}

int PosixSerialDevice::Purge(bool input, bool output)
{
    if (!input && !output)
        return 0;
    const int which = input && output ? TCIOFLUSH : (input ? TCIFLUSH : TCOFLUSH);
    return ::ioctl(m_fd, TCFLSH, which) < 0 ? errno : 0;
}

int PosixSerialDevice::ModemLines(unsigned &lines)
{
    lines = 0;
    int status = 0;
    if (::ioctl(m_fd, TIOCMGET, &status) < 0)
        return Unsupported(errno) ? 0 : errno;
    if (status & TIOCM_CTS)
        lines |= kModemCts;
    if (status & TIOCM_DSR)
        lines |= kModemDsr;
    if (status & TIOCM_RI)
        lines |= kModemRing;
    if (status & TIOCM_CD)
        lines |= kModemRlsd;
    return 0;
}

int PosixSerialDevice::ErrorCounts(SerialErrorCounts &counts)
{
    counts = {};
    if (m_noErrorCounts)
        return 0;
    serial_icounter_struct ic {};
    if (::ioctl(m_fd, TIOCGICOUNT, &ic) < 0) {
        if (!Unsupported(errno))
            return errno;
        m_noErrorCounts = true;
        return 0;
    }
    counts.frame = unsigned(ic.frame);
    counts.parity = unsigned(ic.parity);
    counts.overrun = unsigned(ic.overrun);
    counts.brk = unsigned(ic.brk);
    counts.bufferOverrun = unsigned(ic.buf_overrun);
    return 0;
}

long PosixSerialDevice::Read(char *buffer, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, size);
        if (n > 0)
            return long(n);
        if (n == 0)
            return -EIO;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        return -long(errno);
    }
}

int PosixSerialDevice::Write(const char *data, std::size_t size, int timeoutMs,
                             std::size_t &written)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    written = 0;
    while (written < size) {
        const ssize_t n = ::write(m_fd, data + written, size - written);
        if (n > 0) {
            written += std::size_t(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return errno;
        int wait = -1;
        if (timeoutMs >= 0) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return 0;
            wait = int(left.count());
        }
        pollfd p {m_fd, POLLOUT, 0};
        if (::poll(&p, 1, wait) < 0 && errno != EINTR)
            return errno;
        if (p.revents & (POLLERR | POLLHUP | POLLNVAL))
            return EIO;
    }
    return 0;
}

QString SerialDevicePath(const QString &portName)
{
    if (portName.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) {
        bool ok = false;
        const int number = portName.mid(3).toInt(&ok);
        if (ok && number >= 1 && number <= 25 && !portName.mid(3).startsWith(QLatin1Char('0')))
            return QStringLiteral("/dev/ttyS%1").arg(number - 1);
    }
    if (portName.contains(QLatin1Char('/')))
        return portName;
    return QStringLiteral("/dev/") + portName;
}
