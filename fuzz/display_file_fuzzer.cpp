// Any bytes opened as a display file: loaded into the fast display's chart and drawn, loaded
// again behind its own items and drawn on from where the first copy ended, and loaded into a
// small chart at extreme ranges and drawn there.
//
// The charts are built once, so that an input costs its loading and the drawing of its items
// rather than the building of 32 axis controls. What else a paint or a bitmap export draws
// (frame, axes, labels) does not depend on the file but plans the ticks of all 32 axes each
// time: the charts keep painting suppressed and draw only their data areas (UpdateChart), as
// during a run.
#include "fuzz_support.h"

#include "chart/chart_fixture.h"

namespace {

struct Charts
{
    std::unique_ptr<TRChart> fast = MakeChart(708, 384);
    std::unique_ptr<TRChart> extreme = MakeChart(160, 100);

    Charts()
    {
        fast->SuppressPaint(true);
        extreme->SuppressPaint(true);
        for (int layer = 1; layer <= 2; ++layer)
            extreme->SetRange(layer, -1e300, -1e-300, 1e300, 1e-300);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Never destroyed: the application may be gone when static objects are.
    static Charts &charts = *new Charts;
    const QString path = WriteFuzzFile(reinterpret_cast<const char *>(data), size, ".vnx");
    charts.fast->LoadData(path, false);
    charts.fast->UpdateChart();
    charts.fast->LoadData(path, true);
    charts.fast->UpdateChart();

    charts.extreme->LoadData(path, false);
    charts.extreme->UpdateChart();
    return 0;
}
