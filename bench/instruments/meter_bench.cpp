#include "instruments/led.h"
#include "instruments/meter_design_look.h"
#include "instruments/vmeter.h"
#include "platform/user_interface.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The slow display's meter with its design-time settings, shown.
std::unique_ptr<TAbVMeter> ShownMeter()
{
    auto m = std::make_unique<TAbVMeter>();
    SetMeterDesignLook(*m, QStringLiteral("Kanal 1"));
    m->show();
    ProcessPendingEvents();
    return m;
}

} // namespace

// One Value write: the pipeline plus value box and pointer composed into the frame. Qt's
// painting of the previous write runs outside the timing, as it does between packets.
static void BM_MeterValueWrite(benchmark::State &state)
{
    auto meter = ShownMeter();
    double v = 0;
    for (auto _ : state) {
        meter->SetValue(v);
        v = v >= 10 ? 0 : v + 0.0137;
        state.PauseTiming();
        ProcessPendingEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MeterValueWrite)->UseRealTime();

// A Value write with Qt's pending events run after it, as between packets: the meter paints
// and flushes at most once per frame, so this is a write's share of that.
static void BM_MeterValueWriteAndFlush(benchmark::State &state)
{
    auto meter = ShownMeter();
    double v = 0;
    for (auto _ : state) {
        meter->SetValue(v);
        ProcessPendingEvents();
        v = v >= 10 ? 0 : v + 0.0137;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MeterValueWriteAndFlush)->UseRealTime();

// The full repaint after a range change.
static void BM_MeterFullRepaint(benchmark::State &state)
{
    auto meter = ShownMeter();
    double top = 10;
    for (auto _ : state) {
        top = top == 10 ? 20 : 10;
        meter->SignalSettings().SetValueTo(top);
        meter->repaint();
    }
}
BENCHMARK(BM_MeterFullRepaint)->UseRealTime();

// The port LEDs: eight Checked writes per packet, half of them changing.
static void BM_LedCheckedWrites(benchmark::State &state)
{
    std::unique_ptr<TAbLED> leds[8];
    for (auto &led : leds) {
        led = std::make_unique<TAbLED>();
        led->resize(17, 33);
        led->SetLED_Position(TLEDPos::lpBottom);
        led->show();
    }
    ProcessPendingEvents();
    unsigned value = 0;
    for (auto _ : state) {
        for (int k = 0; k < 8; ++k)
            leds[k]->SetChecked(((value >> k) & 1u) != 0);
        value = (value + 37) & 0xFF;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LedCheckedWrites)->UseRealTime();
