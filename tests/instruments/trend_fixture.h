#pragma once

#include "instruments/timer_service.h"
#include "instruments/trend.h"
#include "support/manual_timer.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>

// Whether any pixel of the image inside the area has the colour.
inline bool HasColorIn(const QImage &image, const QRect &area, TColor color)
{
    const QRect r = area & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixel(x, y) == ToQColor(color).rgb())
                return true;
    return false;
}

// The slow display's trend with its design-time settings, 428 x 309 pixels.
inline std::unique_ptr<TAbTrend> DesignTrend()
{
    auto t = std::make_unique<TAbTrend>();
    t->BeginUpdate();
    t->resize(428, 309);
    TChSettings &ch1 = t->Channel1();
    ch1.SetName1(QStringLiteral("CH1"));
    ch1.SetValueFormat(QStringLiteral("##0.0"));
    ch1.SetValueTo(10);
    ch1.SetValueUnit(QStringLiteral(" "));
    ch1.SetColor(clBlue);
    TChSettings &ch2 = t->Channel2();
    ch2.SetName1(QStringLiteral("CH2"));
    ch2.SetValueFormat(QStringLiteral("##0.0"));
    ch2.SetValueTo(50);
    ch2.SetValueUnit(QStringLiteral(" "));
    ch2.SetColor(clRed);
    for (int k = 3; k <= 8; ++k)
        t->Channel(k).SetVisible(false);
    t->SetInterval(100);
    t->SetInterval2(100);
    t->SetFlow(false);
    t->SetTimeFormat(QStringLiteral("hh:mm:ss"));
    t->SetOptions({TTrendOption::opGrid, TTrendOption::opCursorOnRec, TTrendOption::opSeparator,
                   TTrendOption::opTime, TTrendOption::opLeftScale, TTrendOption::opRightScale});
    t->SetAbsScaleCh(2);
    t->SetLeftScaleCh(1);
    TAbSBevel &outer = t->BevelOuter();
    outer.SetStyle(TBevelStyle::bsLowered);
    outer.SetBevelLine(TBevelLine::blNone);
    TAbSBevel &inner = t->BevelInner();
    inner.SetColor(clWhite);
    t->Font().SetName(QStringLiteral("Arial"));
    t->Font().SetHeight(-13);
    t->Font().SetColor(clBlack);
    t->CaptionFont().SetHeight(-23);
    t->SetColorGrid(clGray);
    t->SetColorSeparator(clMoneyGreen);
    t->SetColorTime(clMaroon);
    for (TTrendLimit *limit : {&t->LimitUpper(), &t->LimitLower()}) {
        limit->SetFilled(false);
        limit->SetEnabled(false);
    }
    t->EndUpdate();
    return t;
}

// A design trend driven by a manual timer clock: nothing ticks unless the test steps it.
class TrendTest : public ::testing::Test
{
protected:
    // Steps the timer service until the trend has taken one more record.
    void Tick(int records = 1)
    {
        for (int i = 0; i < records; ++i) {
            const int before = trend->Records().Count();
            const int steps = static_cast<int>(trend->Interval() / 16) + 2;
            for (int step = 0; step < steps && trend->Records().Count() == before; ++step)
                timer.Step();
            ASSERT_EQ(before + 1, trend->Records().Count()) << "no tick";
        }
    }

    void Show()
    {
        trend->show();
        QApplication::processEvents();
        trend->repaint();
        ASSERT_FALSE(trend->PlotImage().isNull());
    }

    void MoveMouse(int x, int y)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), trend->mapToGlobal(QPointF(x, y)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(trend.get(), &move);
    }

    // Moves the mouse over plot column x, halfway down.
    void MoveToColumn(int x)
    {
        const QRect plot = trend->PlotRect();
        MoveMouse(plot.left() + x, plot.top() + plot.height() / 2);
    }

    bool Registered() const { return TAbTimerService::Instance().Find(trend.get()) != nullptr; }

    TManualTimerScope timer;
    std::unique_ptr<TAbTrend> trend = DesignTrend();
};
