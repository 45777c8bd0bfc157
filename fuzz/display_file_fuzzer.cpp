// Any bytes opened as a display file: loaded into the fast display's chart, painted at the
// design-time ranges and at extreme ones, and exported as a black-and-white bitmap.
#include "fuzz_support.h"

#include "chart/chart_fixture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = WriteFuzzFile(reinterpret_cast<const char *>(data), size, ".vnx");
    auto chart = MakeChart(708, 384);
    chart->LoadData(path, false);
    chart->LoadData(path, true);

    auto small = MakeChart(160, 100);
    for (int layer = 1; layer <= 2; ++layer)
        small->SetRange(layer, -1e300, -1e-300, 1e300, 1e-300);
    small->LoadData(path, false);
    small->SaveAsBitmap(WriteFuzzFile("", 0, ".bmp"), true);
    return 0;
}
