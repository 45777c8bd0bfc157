#include "platform/number_text.h"

#include <benchmark/benchmark.h>

// FloatToStr runs once per sample in the CSV export.
static void BM_FloatToStr(benchmark::State &state)
{
    const QLocale locale(QLocale::German, QLocale::Germany);
    double v = 0.1f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloatToStr(v, locale));
        v += 0.37;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FloatToStr);

static void BM_FormatFloatMeterValue(benchmark::State &state)
{
    const QLocale locale = QLocale::c();
    const QString format = QStringLiteral("######0.000");
    double v = 12.3456;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatFloat(format, v, locale));
        v += 0.001;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatFloatMeterValue);
