#include "serial/com_port.h"
#include "serial/data_packet.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

// A raw pseudo-terminal pair; the port opens the slave by name.
struct PtyPair
{
    PtyPair()
    {
        char name[256] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0) {
            termios t {};
            ::tcgetattr(slave, &t);
            ::cfmakeraw(&t);
            ::tcsetattr(slave, TCSANOW, &t);
            path = QString::fromLocal8Bit(name);
        }
    }
    ~PtyPair()
    {
        ::close(master);
        ::close(slave);
    }
    void Write(const std::string &bytes) const
    {
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t n = ::write(master, bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                return;
            done += std::size_t(n);
        }
    }
    int master = -1;
    int slave = -1;
    QString path;
};

} // namespace

// Bytes written to a pseudo-terminal, through the event thread and the port's queue, framed
// on this (the user-interface) thread as in an acquisition. Every packet must arrive.
static void BM_PtyPortAndFramer(benchmark::State &state)
{
    const std::string line = "12.345;6.789\r\n";
    std::string stream;
    while (stream.size() < (16u << 20))
        stream += line;
    const std::size_t lines = stream.size() / line.size();

    for (auto _ : state) {
        PtyPair pty;
        TComPort port;
        port.SetPort(pty.path);
        port.SetEvents({TComEvent::evRxChar, TComEvent::evRxFlag, TComEvent::evError,
                        TComEvent::evRx80Full});
        port.SetSyncMethod(TSyncMethod::smWindowSync);
        port.SetTriggersOnRxChar(false);
        port.Buffer().SetInputSize(128000);
        TComDataPacket framer;
        framer.SetStartString("\n");
        framer.SetStopString("\r");
        framer.SetMaxBufferSize(2048);
        std::size_t packets = 0;
        bool corrupt = false;
        framer.OnPacket = [&](TComDataPacket *, const std::string &s) {
            ++packets;
            corrupt |= s != "12.345;6.789";
        };
        framer.SetComPort(&port);
        port.Open();

        // The first line is framed from the second line's LF on, so lines - 1 packets.
        std::thread writer([&] { pty.Write(stream); });
        QTimer tick; // wakes the wait now and then so that a loss ends the run instead of hanging
        tick.start(100);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (packets < lines - 1 && std::chrono::steady_clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        writer.join();
        port.Close();
        if (packets != lines - 1 || corrupt) {
            state.SkipWithError("bytes were lost or corrupted");
            break;
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(stream.size()));
}
BENCHMARK(BM_PtyPortAndFramer)->Unit(benchmark::kMillisecond)->UseRealTime();
