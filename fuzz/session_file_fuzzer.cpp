// Any bytes opened as a session file: loaded into a trend set up like the slow display's, drawn
// with time and date labels, read at the cursor across the plot, scrolled, and loaded again behind
// separators.
//
// The trend is built and painted once and kept off the screen (a trend that is shown draws its
// records into its images; a hidden one would skip that), so an input costs the loading and
// the drawing of its records, not the building and showing of a window. Drawing the records
// costs by the pixel, so the trend is about half the slow display's size.
#include "fuzz_support.h"

#include "instruments/timer_service.h"
#include "instruments/trend.h"
#include "support/manual_timer.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

// The trend, on a clock that moves only when told to.
struct SlowDisplay
{
    TManualTimerScope timer;
    TAbTrend trend;

    SlowDisplay()
    {
        trend.BeginUpdate();
        trend.resize(240, 160);
        trend.Channel1().SetValueTo(10);
        trend.Channel2().SetValueTo(50);
        trend.SetOptions({TTrendOption::opGrid, TTrendOption::opCursorOnRec,
                          TTrendOption::opSeparator, TTrendOption::opDate, TTrendOption::opTime,
                          TTrendOption::opLeftScale, TTrendOption::opRightScale,
                          TTrendOption::opShowLast});
        trend.SetTimeFormat(QStringLiteral("dd.mm.yy hh:nn:ss.zzz"));
        trend.SetAbsScaleCh(2);
        trend.SetLeftScaleCh(1);
        trend.EndUpdate();
        trend.setAttribute(Qt::WA_DontShowOnScreen);
        trend.show();
        QImage picture(trend.size(), QImage::Format_RGB32);
        trend.render(&picture);
    }
};

void MoveMouse(TAbTrend &trend, int x, int y)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), trend.mapToGlobal(QPointF(x, y)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&trend, &move);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Never destroyed: the application may be gone when static objects are.
    static TAbTrend &trend = (new SlowDisplay)->trend;
    const QString path = WriteFuzzFile(reinterpret_cast<const char *>(data), size, ".vns");
    trend.LoadRecords(path, true);
    const QRect plot = trend.PlotRect();
    for (int x = plot.left(); x <= plot.right(); x += 7)
        MoveMouse(trend, x, plot.center().y());
    MoveMouse(trend, 0, 0); // off the plot: every input starts with the cursor hidden
    trend.ScrollRecords(-100000); // back to the first record: all of them drawn again
    trend.LoadFromFile(path); // behind separators
    return 0;
}
