#include "trend_fixture.h"

namespace {

TEST_F(TrendTest, TicksSampleAndHoldTheChannelValues)
{
    int intervals = 0;
    trend->OnInterval = [&](TAbTrend *) { ++intervals; };
    trend->Channel1().SetValue(2.0);
    trend->Channel1().SetValue(5.0); // only the last value before the tick counts
    trend->Channel2().SetValue(25.0);
    const TDateTime before = timer.Clock().Now();
    Tick();
    Tick(); // channels not written again repeat their value
    ASSERT_EQ(2, trend->Records().Count());
    EXPECT_EQ(2, intervals);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(500, trend->Records()[i].Word[0]);
        EXPECT_EQ(500, trend->Records()[i].Word[1]);
        EXPECT_EQ(0, trend->Records()[i].Word[2]);
    }
    // Time stamps come from the timer service's clock, one interval apart.
    const TDateTime first = trend->Records()[0].Time;
    const TDateTime second = trend->Records()[1].Time;
    EXPECT_GT(first, before);
    EXPECT_NEAR(0.1, (second - first) * 86400.0, 0.02);
}

TEST_F(TrendTest, RecordInfoNeedsTwoRecords)
{
    int changes = 0;
    trend->OnRecNoChanged = [&](TAbTrend *) { ++changes; };
    Tick();
    EXPECT_EQ(0u, trend->RecordInfo().TotalRecords());
    EXPECT_EQ(0.0, trend->RecordInfo().FirstRecord());
    EXPECT_EQ(0.0, trend->RecordInfo().LastRecord());
    Tick();
    EXPECT_EQ(2u, trend->RecordInfo().TotalRecords());
    EXPECT_EQ(trend->Records()[0].Time, trend->RecordInfo().FirstRecord());
    EXPECT_EQ(trend->Records()[1].Time, trend->RecordInfo().LastRecord());
    EXPECT_EQ(2, changes);
}

TEST_F(TrendTest, ValueBelowOrAboveTheWordRangeIsClamped)
{
    trend->Channel1().SetValue(-1.0); // relative digit -100
    trend->Channel2().SetValue(1.0e6); // relative digit 20,000,000
    Tick();
    EXPECT_EQ(0, trend->Records()[0].Word[0]);
    EXPECT_EQ(65535, trend->Records()[0].Word[1]);
}

TEST_F(TrendTest, SettersIgnoreValuesOutOfRange)
{
    const struct
    {
        const char *name;
        std::function<void()> write;
        std::function<int()> read;
        int expected;
    } cases[] = {
            {"Interval 50", [&] { trend->SetInterval(50); }, [&] { return int(trend->Interval()); },
             100},
            {"Interval 99", [&] { trend->SetInterval(99); }, [&] { return int(trend->Interval()); },
             100},
            {"Interval2 99", [&] { trend->SetInterval2(99); },
             [&] { return int(trend->Interval2()); }, 100},
            {"MaxRecords 99", [&] { trend->SetMaxRecords(99); },
             [&] { return trend->MaxRecords(); }, 2000},
            {"GridXPixel 29", [&] { trend->SetGridXPixel(29); },
             [&] { return trend->GridXPixel(); }, 60},
            {"GridYSteps 0", [&] { trend->SetGridYSteps(0); }, [&] { return trend->GridYSteps(); },
             10},
            {"GridYSteps 11", [&] { trend->SetGridYSteps(11); },
             [&] { return trend->GridYSteps(); }, 10},
            {"AbsScaleCh 9", [&] { trend->SetAbsScaleCh(9); }, [&] { return trend->AbsScaleCh(); },
             2},
            {"LeftScaleCh -1", [&] { trend->SetLeftScaleCh(-1); },
             [&] { return trend->LeftScaleCh(); }, 1},
            {"FillChannelNo 9", [&] { trend->SetFillChannelNo(9); },
             [&] { return trend->FillChannelNo(); }, 0},
            {"GridYSteps 1", [&] { trend->SetGridYSteps(1); }, [&] { return trend->GridYSteps(); },
             1},
            {"AbsScaleCh 0", [&] { trend->SetAbsScaleCh(0); }, [&] { return trend->AbsScaleCh(); },
             0},
    };
    for (const auto &c : cases) {
        c.write();
        EXPECT_EQ(c.expected, c.read()) << c.name;
    }
}

TEST_F(TrendTest, IntervalChangeWhileRecordingInsertsSeparatorsAndReregisters)
{
    for (int i = 0; i < 10; ++i) {
        trend->Channel1().SetValue(i);
        Tick();
    }
    const TTrendRecord newest = trend->Records().Last();
    trend->SetInterval(100); // unchanged: nothing
    EXPECT_EQ(10, trend->Records().Count());
    trend->SetInterval(1000);
    ASSERT_EQ(15, trend->Records().Count());
    for (int i = 9; i < 14; ++i) {
        EXPECT_TRUE(IsSeparator(trend->Records()[i])) << i;
        EXPECT_EQ(800, trend->Records()[i].Word[0]) << "words of the record before";
    }
    EXPECT_EQ(newest.Time, trend->Records().Last().Time);
    EXPECT_EQ(1000u, TAbTimerService::Instance().Find(trend.get())->Code);

    // The first tick of the new period follows one period later.
    timer.Step(62);
    EXPECT_EQ(15, trend->Records().Count());
    timer.Step(1);
    EXPECT_EQ(16, trend->Records().Count());
}

TEST_F(TrendTest, StartRecordingRegistersAndInsertsSeparators)
{
    Tick(2);
    trend->SetStartRecording(true); // already recording: re-registers, five more separators
    EXPECT_EQ(7, trend->Records().Count());
    EXPECT_TRUE(Registered());

    trend->SetFlow(true);
    EXPECT_TRUE(trend->FlowActive());
    trend->SetStartRecording(false);
    EXPECT_FALSE(trend->FlowActive());
    EXPECT_FALSE(Registered());
    timer.Step(20);
    EXPECT_EQ(7, trend->Records().Count());

    // Clearing keeps the state: a stopped trend stays stopped, a recording one records.
    trend->ClearRecords();
    EXPECT_EQ(0, trend->Records().Count());
    EXPECT_FALSE(Registered());
    trend->SetStartRecording(true);
    EXPECT_EQ(0, trend->Records().Count()) << "no separators in an empty list";
    trend->ClearRecords();
    EXPECT_TRUE(Registered());
    Tick();
}

TEST_F(TrendTest, FlowTrimsAtMaxRecordsByOneGridColumn)
{
    int maxEvents = 0;
    trend->OnMaxRecords = [&](TAbTrend *) { ++maxEvents; };
    trend->SetFlow(true);
    for (int i = 0; i < 2001; ++i)
        trend->AddRecord();
    const TDateTime sixtyFirst = trend->Records()[60].Time;
    EXPECT_EQ(0, maxEvents);
    timer.Step(7); // the next tick
    EXPECT_EQ(1, maxEvents);
    EXPECT_EQ(1942, trend->Records().Count());
    EXPECT_EQ(sixtyFirst, trend->Records()[0].Time);
    // The view restarts at 0 and follows the newest record again in whole grid columns
    // (a hidden trend has no plot columns).
    EXPECT_EQ(1980, trend->ViewStart());

    // Without Flow the list grows past any limit.
    trend->SetFlow(false);
    for (int i = 0; i < 100; ++i)
        trend->AddRecord();
    EXPECT_EQ(2042, trend->Records().Count());
    EXPECT_EQ(1, maxEvents);
}

TEST_F(TrendTest, DeleteOldestIgnoresRequestsBeyondTheList)
{
    Tick(3);
    trend->DeleteOldest(3);
    EXPECT_EQ(3, trend->Records().Count());
    trend->DeleteOldest(2);
    EXPECT_EQ(1, trend->Records().Count());
}

TEST_F(TrendTest, HiddenTrendKeepsRecording)
{
    ASSERT_TRUE(trend->isHidden());
    Tick(5);
    EXPECT_EQ(5, trend->Records().Count());
    EXPECT_TRUE(trend->PlotImage().isNull());
}

} // namespace
