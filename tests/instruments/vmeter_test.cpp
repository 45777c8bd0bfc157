#include "meter_fixture.h"

#include "instruments/draw_helpers.h"
#include "platform/user_interface.h"
#include "support/event_wait.h"
#include "support/locale_guard.h"
#include "support/manual_timer.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

// Mean row of the pixels of a colour inside a rectangle; -1 when there are none.
double MeanRowOf(const QImage &image, const QRect &area, QRgb colour)
{
    double sum = 0;
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour) {
                sum += y;
                ++count;
            }
    return count ? sum / count : -1;
}

QImage Render(QWidget &w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// What the screen shows of a top-level widget: its window's pixels as last flushed, without
// painting anything now.
QImage OnScreen(QWidget &w)
{
    return w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

// Records the regions Qt asks the widget to paint.
class PaintRecorder : public QObject
{
public:
    QRegion painted;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

} // namespace

TEST(VMeter, PointerFollowsThePerMillePositionAndParksAtTheEnds)
{
    LocaleGuard locale(LocaleGuard::C());
    auto meter = DesignMeter();
    meter->SignalSettings().SetValueFrom(0);
    const QRgb lime = qRgb(0, 255, 0);
    const struct
    {
        double value;
        int perMille;
    } cases[] = {{0, 0}, {5, 500}, {10, 1000}, {11, 1000}, {-3, 0}};
    for (const auto &c : cases) {
        meter->SetValue(c.value);
        const QImage image = Render(*meter);
        ASSERT_FALSE(meter->NoRoom());
        EXPECT_EQ(meter->PosPerMille(), c.perMille) << c.value;
        const double row = MeanRowOf(image, meter->ScaleArea(), lime);
        EXPECT_NEAR(row, meter->PointerY(c.perMille), 1.0) << c.value;
    }
    // The end ticks of the scale lie on the pointer's travel: 0 % at the bottom, 100 % at the top.
    meter->SetValue(5);
    const QImage image = Render(*meter);
    const int tickX = meter->ScaleLayout().LineX + meter->ScaleSettings().MajorLen() - 1;
    EXPECT_EQ(image.pixel(tickX, meter->ScaleTop()), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(tickX, meter->ScaleBottom()), qRgb(0, 0, 0));
    EXPECT_EQ(meter->PointerY(0), meter->ScaleBottom());
    EXPECT_EQ(meter->PointerY(1000), meter->ScaleTop());
    EXPECT_NEAR(meter->PointerY(500), (meter->ScaleTop() + meter->ScaleBottom()) / 2.0, 0.5);
}

TEST(VMeter, ValueTextIsRightAlignedInTheValueBox)
{
    LocaleGuard locale(LocaleGuard::C());
    auto meter = DesignMeter();
    meter->SignalSettings().SetValueFrom(0);
    meter->SetValue(12.3456);
    EXPECT_EQ(meter->ValueText(), QStringLiteral("12.346"));
    const QImage image = Render(*meter);
    const QRect box = meter->ValueBox();
    ASSERT_GT(box.width(), 20);

    // The same text drawn right-aligned on black in the value font.
    QImage expected = MakeImage(box.size(), meter.get());
    expected.fill(Qt::black);
    {
        QPainter p(&expected);
        p.setFont(meter->FontValue().Font());
        p.setPen(QColor(0, 255, 0));
        const QFontMetrics fm = p.fontMetrics();
        p.drawText(box.width() - fm.horizontalAdvance(QStringLiteral("12.346")), fm.ascent(),
                   QStringLiteral("12.346"));
    }
    EXPECT_EQ(image.copy(box), expected);
}

TEST(VMeter, ValueWriteRepaintsOnlyTheValueTextAndThePointerPath)
{
    auto meter = DesignMeter();
    meter->show();
    ProcessPendingEvents();
    const TScaleLayout &scale = meter->ScaleLayout();
    const QRect pointerBefore = scale.PointerBounds(meter->PosPerMille());
    PaintRecorder recorder;
    meter->installEventFilter(&recorder);
    meter->SetValue(7.5);
    ProcessPendingEvents();
    meter->removeEventFilter(&recorder);
    const QRect pointerPath = (pointerBefore | scale.PointerBounds(750)) & scale.Area;
    EXPECT_EQ(recorder.painted, QRegion(meter->ValueBox()) + QRegion(pointerPath));
    EXPECT_LT(pointerPath.height(), scale.Area.height() / 2);

    // The same value again draws nothing.
    meter->installEventFilter(&recorder);
    recorder.painted = QRegion();
    meter->SetValue(7.5);
    ProcessPendingEvents();
    meter->removeEventFilter(&recorder);
    EXPECT_TRUE(recorder.painted.isEmpty());

    // The repainted frame equals a full repaint at the new value.
    const QImage composed = Render(*meter);
    meter->Invalidate();
    EXPECT_EQ(Render(*meter), composed);
}

// Values arrive in bursts faster than the screen repaints; whatever is held back must still
// reach the screen, and the screen must end on each burst's last value.
TEST(VMeter, ScreenShowsTheLastValueOfEveryBurst)
{
    LocaleGuard locale(LocaleGuard::C());
    auto reference = DesignMeter();
    reference->SignalSettings().SetValueFrom(0);
    auto meter = DesignMeter();
    meter->SignalSettings().SetValueFrom(0);
    meter->SetValue(5);
    meter->show();
    const auto screenShows = [&](double value) {
        reference->SetValue(value);
        const QImage expected = Render(*reference);
        return ProcessEventsUntil([&] { return OnScreen(*meter) == expected; });
    };
    ASSERT_TRUE(screenShows(5));

    // Each burst sweeps the pointer over the whole scale, away from where its first value put
    // it; the second burst of a pair follows within the frame of the first one's paint.
    const double lastValues[] = {9.5, 0.5, 7.25};
    for (const double last : lastValues) {
        for (int k = 0; k <= 100; ++k)
            meter->SetValue(k / 10.0);
        meter->SetValue(last);
        EXPECT_TRUE(screenShows(last)) << last;
        for (int k = 100; k >= 0; --k)
            meter->SetValue(k / 10.0);
        meter->SetValue(last + 0.25);
        EXPECT_TRUE(screenShows(last + 0.25)) << last + 0.25;
    }
}

TEST(VMeter, RangeChangeRepaintsTheScaleAndMovesThePointer)
{
    LocaleGuard locale(LocaleGuard::C());
    auto meter = DesignMeter();
    meter->SetValue(5);
    (void)Render(*meter);
    EXPECT_EQ(meter->PosPerMille(), 500);
    meter->SignalSettings().SetValueTo(20);
    EXPECT_EQ(meter->PosPerMille(), 250); // from the unchanged value
    (void)Render(*meter);
    QString labels = meter->ScaleSettings().Labels();
    EXPECT_EQ(NextToken(labels), QStringLiteral("20.0"));
    meter->ScaleSettings().SetSteps(6);
    (void)Render(*meter);
    EXPECT_EQ(meter->ScaleSettings().Labels().count(QLatin1Char(';')), 7);
}

TEST(VMeter, LockedMeterPaintsNothingUntilEndUpdate)
{
    auto meter = DesignMeter();
    meter->BeginUpdate();
    meter->SignalSettings().SetValueTo(50);
    const QImage locked = Render(*meter);
    meter->EndUpdate();
    const QImage painted = Render(*meter);
    EXPECT_NE(locked, painted);
    EXPECT_EQ(painted.pixel(70, 300), qRgb(255, 255, 255)); // white scale panel
}

TEST(VMeter, TooSmallMeterDrawsNoScaleAndIgnoresValues)
{
    auto meter = DesignMeter();
    meter->resize(140, 60);
    (void)Render(*meter);
    EXPECT_TRUE(meter->NoRoom());
    meter->SetValue(3); // nothing to draw, nothing breaks
    EXPECT_EQ(meter->PosPerMille(), 300);
}

TEST(VMeter, OverflowBlinksWhenAskedTo)
{
    TManualTimerScope scope;
    auto meter = DesignMeter();
    meter->SetValue(5); // in range: the overflow of the initial value 50 is over
    meter->SetOptions(meter->Options() + TAbVMeterOptions {TAbVMeterOption::opOverflow});
    (void)Render(*meter);
    meter->SetValue(12);
    EXPECT_TRUE(meter->Blinking());
    ASSERT_NE(TAbTimerService::Instance().Find(meter.get()), nullptr);
    meter->SetValue(5);
    EXPECT_FALSE(meter->Blinking());
    EXPECT_EQ(TAbTimerService::Instance().Find(meter.get()), nullptr);

    // Without the option (the design-time state) nothing blinks, not even the initial value
    // that overflowed under the default options, and nothing is left registered.
    auto plain = DesignMeter();
    EXPECT_EQ(TAbTimerService::Instance().Find(plain.get()), nullptr);
    plain->SetValue(12);
    EXPECT_FALSE(plain->Blinking());
    EXPECT_EQ(TAbTimerService::Instance().Find(plain.get()), nullptr);
}

TEST(ValueInd, AutoSizeTakesTheMeasuredSizeOnFirstPaint)
{
    LocaleGuard locale(LocaleGuard::C());
    auto ind = DesignValueInd(QStringLiteral("Ch1"));
    EXPECT_EQ(ind->size(), QSize(124, 20));
    (void)Render(*ind); // the first paint sizes the control
    const QImage image = Render(*ind);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    const QFontMetrics fm(font, ind.get());
    const QSize expected(fm.horizontalAdvance(QStringLiteral("#######0.000"))
                                 + fm.horizontalAdvance(QStringLiteral("Ch1")) + 4 + fm.height(),
                         fm.height() + 4);
    EXPECT_EQ(ind->size(), expected);
    EXPECT_EQ(image.size(), expected);

    ind->show();
    ProcessPendingEvents();
    ind->SetValue(3.14159); // composed into the shown frame
    EXPECT_EQ(ind->ValueText(), QStringLiteral("3.142"));
    const QImage updated = Render(*ind);
    ind->Invalidate();
    EXPECT_EQ(Render(*ind), updated);
    const QRect box = ind->ValueBox();
    EXPECT_EQ(updated.pixel(box.left(), box.top()), qRgb(0xC0, 0xC0, 0xC0));
    // The unit stands right of the box.
    bool unitInk = false;
    for (int x = box.right() + 2; x < updated.width(); ++x)
        for (int y = 0; y < updated.height(); ++y)
            unitInk = unitInk || qGray(updated.pixel(x, y)) < 100;
    EXPECT_TRUE(unitInk);
}
