// Any bytes opened as a session file: loaded into the slow display's trend, drawn with time
// and date labels, scrolled and read at the cursor.
#include "fuzz_support.h"

#include "instruments/timer_service.h"
#include "instruments/trend.h"
#include "support/manual_timer.h"

#include <QApplication>
#include <QMouseEvent>

#include <memory>

namespace {

std::unique_ptr<TAbTrend> MakeTrend()
{
    auto t = std::make_unique<TAbTrend>();
    t->BeginUpdate();
    t->resize(428, 309);
    t->Channel1().SetValueTo(10);
    t->Channel2().SetValueTo(50);
    t->SetOptions({TTrendOption::opGrid, TTrendOption::opCursorOnRec, TTrendOption::opSeparator,
                   TTrendOption::opDate, TTrendOption::opTime, TTrendOption::opLeftScale,
                   TTrendOption::opRightScale, TTrendOption::opShowLast});
    t->SetTimeFormat(QStringLiteral("dd.mm.yy hh:nn:ss.zzz"));
    t->SetAbsScaleCh(2);
    t->SetLeftScaleCh(1);
    t->EndUpdate();
    return t;
}

void MoveMouse(TAbTrend &trend, int x, int y)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), trend.mapToGlobal(QPointF(x, y)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&trend, &move);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TManualTimerScope timer;
    const QString path = WriteFuzzFile(reinterpret_cast<const char *>(data), size, ".vns");
    auto trend = MakeTrend();
    trend->show();
    QApplication::processEvents();
    trend->LoadRecords(path, true);
    trend->repaint();
    const QRect plot = trend->PlotRect();
    for (int x = plot.left(); x <= plot.right(); x += 7)
        MoveMouse(*trend, x, plot.center().y());
    trend->ScrollRecords(-100000);
    trend->RedrawRange(0, trend->Records().Count() - 1);
    trend->LoadFromFile(path); // behind separators
    trend->repaint();
    return 0;
}
