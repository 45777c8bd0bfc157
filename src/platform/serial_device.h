#pragma once

#include <QString>

#include <cstddef>
#include <memory>

// Line settings in device terms.
struct SerialLineSettings
{
    int baudRate = 9600;
    int dataBits = 8; // 5 to 8
    int parity = 0; // 0 none, 1 odd, 2 even, 3 mark, 4 space
    int stopBits = 0; // 0 one, 1 one and a half, 2 two
    bool parityCheck = false;
    bool outCtsFlow = false;
    bool outDsrFlow = false;
    int dtrControl = 0; // 0 inactive, 1 active, 2 handshake
    int rtsControl = 0; // 0 inactive, 1 active, 2 handshake, 3 toggle
    bool xonXoffOut = false;
    bool xonXoffIn = false;
    char xonChar = 17;
    char xoffChar = 19;
};

// Modem line bits, as the port reports them.
enum SerialModemLine : unsigned {
    kModemCts = 0x10,
    kModemDsr = 0x20,
    kModemRing = 0x40,
    kModemRlsd = 0x80
};

// Running totals of line errors since the device was opened.
struct SerialErrorCounts
{
    unsigned frame = 0;
    unsigned parity = 0;
    unsigned overrun = 0;
    unsigned brk = 0;
    unsigned bufferOverrun = 0;

    bool operator==(const SerialErrorCounts &) const = default;
};

// An open serial device. Calls returning int give 0 or an errno value. Read() may run on the
// event thread while the other calls run on the user-interface thread.
class SerialDevice
{
public:
    virtual ~SerialDevice() = default;

    // Polled for input; reports POLLHUP/POLLERR when the device is gone.
    virtual int Descriptor() const = 0;
    virtual int ApplyLine(const SerialLineSettings &settings) = 0;
    virtual int Purge(bool input, bool output) = 0;
    // A device without modem lines reports them all off.
    virtual int ModemLines(unsigned &lines) = 0;
    // A driver that does not count errors reports none.
    virtual int ErrorCounts(SerialErrorCounts &counts) = 0;
    // Never blocks: the bytes read, 0 when nothing is waiting, -errno when the device failed
    // or hung up (a hung-up tty reads 0 bytes: that is reported as -EIO).
    virtual long Read(char *buffer, std::size_t size) = 0;
    // Writes until everything is written or timeoutMs (negative: no limit) has passed;
    // written receives the count also on failure.
    virtual int Write(const char *data, std::size_t size, int timeoutMs, std::size_t &written) = 0;
};

// A tty opened exclusively (O_NOCTTY, TIOCEXCL, and flock, which also holds against root),
// non-blocking, in raw 8-bit mode; any rate through termios2/BOTHER.
class PosixSerialDevice : public SerialDevice
{
public:
    static std::unique_ptr<PosixSerialDevice> Open(const QString &path, int &error);
    explicit PosixSerialDevice(int fd);
    ~PosixSerialDevice() override;
    PosixSerialDevice(const PosixSerialDevice &) = delete;
    PosixSerialDevice &operator=(const PosixSerialDevice &) = delete;

    int Descriptor() const override { return m_fd; }
    int ApplyLine(const SerialLineSettings &settings) override;
    int Purge(bool input, bool output) override;
    int ModemLines(unsigned &lines) override;
    int ErrorCounts(SerialErrorCounts &counts) override;
    long Read(char *buffer, std::size_t size) override;
    int Write(const char *data, std::size_t size, int timeoutMs, std::size_t &written) override;

private:
    void SetControlLine(int line, bool active);

    int m_fd;
    bool m_noErrorCounts = false;
};

// "COM1" … "COM25" → /dev/ttyS0 … /dev/ttyS24; a name without '/' → /dev/<name>; a path as is.
QString SerialDevicePath(const QString &portName);
