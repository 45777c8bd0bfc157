#pragma once

#include "platform/serial_device.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

// The values of the demo device's lines as a function of the line's number: channel 1 a sine,
// channel 2 a slower triangle with a little noise, both between 0 and 10 (the window's design
// ranges). Their periods (800 and 960 lines) fit the design's 1,000 samples on the fast display
// at any rate.
class DemoSignal
{
public:
    // Line number `sample`: "c1;c2" CR LF with '.' as decimal point and three decimals.
    std::string Line(std::uint64_t sample);

private:
    std::uint32_t m_noise = 12345;
};

// The eight channels of the "DEMO 8" port, each between 0 and 10 and each of its own shape, so
// that a decoder mixing channels up shows it at a glance: sine (250 lines), triangle (400),
// square (200), sawtooth (300), noise, a slow irregular drift, a staircase of five steps (500)
// and a chirp whose frequency rises tenfold over 800 lines. Every period fits the design's
// 1,000 samples on the fast display. A line depends on its number only.
class Demo8Signal
{
public:
    static constexpr int Channels = 8;

    // Line number `sample`: eight values separated by ';', '.' as decimal point and three
    // decimals, CR LF.
    std::string Line(std::uint64_t sample) const;
};

// What a demo device sends: the line numbered `sample`, asked for in order from 0.
using DemoLineSource = std::function<std::string(std::uint64_t sample)>;

// The built-in demo ports: a pseudo-terminal the program creates for itself. The port works on
// its slave like on any tty; a generator thread on the master writes the source's lines paced like
// a line at the port's rate (rate / 10 bytes per second) and answers every line it receives with
// "echo: " + the line, CR LF. Destroying the device stops and joins the generator. Only one demo
// device can be open at a time, like a real port.
class DemoSerialDevice : public PosixSerialDevice
{
public:
    static std::unique_ptr<DemoSerialDevice> Open(DemoLineSource lines, int &error);
    DemoSerialDevice(int slave, int master, DemoLineSource lines);
    ~DemoSerialDevice() override;

    int ApplyLine(const SerialLineSettings &settings) override;

private:
    using Clock = std::chrono::steady_clock;

    void Generate();
    void Answer(std::string &out);
    int WaitMs(double bytesAhead, double bytesPerSecond) const;

    int m_master;
    int m_wake;
    std::atomic<int> m_rate {9600};
    std::atomic<bool> m_stop {false};
    DemoLineSource m_lines;
    std::uint64_t m_sample = 0; // the next line's number
    std::string m_received;
    bool m_lastWasCr = false;
    std::thread m_generator;
};

// The port names that open a demo device: two channels of DemoSignal, eight of Demo8Signal.
inline constexpr const char *DemoPortName = "DEMO";
inline constexpr const char *Demo8PortName = "DEMO 8";

// What the demo port `portName` sends; empty when the name opens no demo device.
DemoLineSource DemoLinesFor(const QString &portName);

inline bool IsDemoPortName(const QString &portName)
{
    return static_cast<bool>(DemoLinesFor(portName));
}
