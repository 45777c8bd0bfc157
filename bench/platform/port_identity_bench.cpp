#include "platform/port_identity.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

// One check of the reconnect watcher for a device that is away, known by its name or its
// by-id link: a few file look-ups.
static void BM_PortLocateAwayByName(benchmark::State &state)
{
    const QTemporaryDir dir;
    PortIdentity identity;
    identity.Name = dir.filePath(QStringLiteral("ttyGONE0"));
    identity.ById = dir.filePath(QStringLiteral("usb-Board_ABC123-if00"));
    for (auto _ : state)
        benchmark::DoNotOptimize(LocateReturnedPort(identity));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PortLocateAwayByName)->UseRealTime();

// The same for a device known only by its USB serial number: the USB ttys in sysfs are read.
static void BM_PortLocateAwayBySerialNumber(benchmark::State &state)
{
    PortIdentity identity;
    identity.Name = QStringLiteral("/dev/vantor-gone");
    identity.SerialNumber = QStringLiteral("NO-SUCH-SERIAL");
    for (auto _ : state)
        benchmark::DoNotOptimize(LocateReturnedPort(identity));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PortLocateAwayBySerialNumber)->UseRealTime();
