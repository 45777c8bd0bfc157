#include "instruments/analog_control.h"

#include "support/locale_guard.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The value pipeline without any drawing.
class PipelineControl : public TAbAnalogGControl
{
public:
    PipelineControl() { Loaded(); }

protected:
    void RenderFrame(QPainter &) override { }
};

struct Recorder
{
    std::vector<int> overflow;
    std::vector<std::pair<bool, bool>> limits;
    std::vector<std::pair<int, bool>> sectors;
    int valueChanges = 0;
    int minMaxChanges = 0;

    void Attach(TAbAnalogGControl &c)
    {
        c.OnOverflow = [this](TAbAnalogGControl *, int pos) { overflow.push_back(pos); };
        c.OnLimit = [this](TAbAnalogGControl *, bool u, bool l) { limits.emplace_back(u, l); };
        c.OnSectorChange
                = [this](TAbAnalogGControl *, int k, bool in) { sectors.emplace_back(k, in); };
        c.OnValueChange = [this](TAbAnalogGControl *) { ++valueChanges; };
        c.OnMinMaxChange = [this](TAbAnalogGControl *) { ++minMaxChanges; };
    }
};

} // namespace

TEST(AnalogControl, PerMillePositionAndClamping)
{
    const struct
    {
        double value;
        int perMille;
        bool underflow, overflow;
    } cases[] = {
            {0, 0, false, false},        {5, 500, false, false},  {10, 1000, false, false},
            {2.3456, 235, false, false}, {11, 1000, false, true}, {-0.5, 0, true, false},
            {1.0e30, 1000, false, true},
    };
    for (const auto &c : cases) {
        PipelineControl control;
        control.SignalSettings().SetValueTo(10);
        control.SignalSettings().SetValueFrom(0);
        control.SetValue(c.value);
        EXPECT_EQ(control.PosPerMille(), c.perMille) << c.value;
        EXPECT_EQ(control.Underflow(), c.underflow) << c.value;
        EXPECT_EQ(control.Overflow(), c.overflow) << c.value;
        EXPECT_FLOAT_EQ(control.Value(), static_cast<float>(c.value)); // the true number is kept
    }
}

TEST(AnalogControl, OverflowIsReportedOnceUntilTheValueReturns)
{
    PipelineControl control;
    Recorder r;
    r.Attach(control);
    control.SetValue(110);
    control.SetValue(120);
    control.SetValue(150);
    ASSERT_EQ(r.overflow, (std::vector<int> {1100}));
    control.SetValue(50);
    control.SetValue(-20);
    control.SetValue(-30);
    EXPECT_EQ(r.overflow, (std::vector<int> {1100, 500, -200}));
    control.SetValue(120); // straight from underflow to overflow
    EXPECT_EQ(r.overflow.back(), 1200);
    EXPECT_FALSE(control.Underflow());
    EXPECT_TRUE(control.Overflow());
}

TEST(AnalogControl, SameValueTwiceRunsThePipelineOnce)
{
    PipelineControl control;
    Recorder r;
    r.Attach(control);
    control.SetValue(42);
    control.SetValue(42);
    EXPECT_EQ(r.valueChanges, 2); // the write and the pass after its new extreme
}

TEST(AnalogControl, LimitsReportChangesOfEitherFlag)
{
    PipelineControl control;
    Recorder r;
    r.Attach(control);
    control.SetValue(95);
    control.SetValue(96);
    control.SetValue(5);
    control.SetValue(50);
    const std::vector<std::pair<bool, bool>> expected
            = {{true, false}, {false, true}, {false, false}};
    EXPECT_EQ(r.limits, expected);

    control.SetLimitLower(0);
    EXPECT_FLOAT_EQ(control.LimitLower(), 0.0001f);
    EXPECT_EQ(control.LimitLowerPos(), 0);
    control.SetLimitUpper(60);
    EXPECT_EQ(control.LimitUpperPos(), 600);
}

TEST(AnalogControl, SectorsFollowThePerMillePosition)
{
    PipelineControl control;
    Recorder r;
    r.Attach(control);
    control.SetValue(10); // 100 per mille
    EXPECT_TRUE(control.InSector(1));
    EXPECT_EQ(control.SectorColor(), 0x00FFFFu);
    control.SetValue(80);
    EXPECT_TRUE(control.InSector(3));
    EXPECT_FALSE(control.InSector(1));
    EXPECT_EQ(control.SectorColor(), 0x0000FFu);
    const std::vector<std::pair<int, bool>> expected = {{1, true}, {1, false}, {3, true}};
    EXPECT_EQ(r.sectors, expected);
}

TEST(AnalogControl, MinMaxFollowNewExtremes)
{
    PipelineControl control;
    Recorder r;
    r.Attach(control);
    control.SetValue(30);
    EXPECT_FLOAT_EQ(control.MinMax().Min(), 30);
    EXPECT_FLOAT_EQ(control.MinMax().Max(), 30);
    control.SetValue(70);
    control.SetValue(40);
    control.SetValue(10);
    EXPECT_FLOAT_EQ(control.MinMax().Min(), 10);
    EXPECT_FLOAT_EQ(control.MinMax().Max(), 70);
    EXPECT_EQ(control.MinPos(), 100);
    EXPECT_EQ(control.MaxPos(), 700);
    EXPECT_EQ(r.minMaxChanges, 3);
    EXPECT_GT(control.MinMax().MinDateTime(), 0);
}

TEST(AnalogControl, SettingsChangeRecomputesTheDigit)
{
    PipelineControl control;
    int settingsChanges = 0;
    control.OnSettingsChange = [&](TAbAnalogGControl *) { ++settingsChanges; };
    control.SetValue(5);
    EXPECT_EQ(control.Digit(), 50);
    control.SignalSettings().SetValueTo(10);
    EXPECT_EQ(control.Digit(), 500);
    EXPECT_EQ(settingsChanges, 1);

    // Locked: settings still reach SettingsChanged; EndUpdate refreshes once more.
    control.BeginUpdate();
    control.SignalSettings().SetValueTo(20);
    EXPECT_EQ(control.Digit(), 250);
    control.EndUpdate();
    EXPECT_EQ(settingsChanges, 3);
}

TEST(AnalogControl, ValueTextAndHint)
{
    LocaleGuard locale(LocaleGuard::C());
    PipelineControl control;
    control.SignalSettings().SetValueFrom(0);
    control.SignalSettings().SetValueFormat(QStringLiteral("######0.000"));
    control.SetValue(12.3456);
    EXPECT_EQ(control.ValueText(), QStringLiteral("12.346"));
    EXPECT_EQ(control.DigitText(), QStringLiteral("123"));
    control.SetHintOptions({THintOption::hoAutoHint, THintOption::hoValue, THintOption::hoMin,
                            THintOption::hoName1});
    EXPECT_EQ(control.Hint(), QStringLiteral("Value= 12.346 %\rMIN= 12.346 %\rSignalName1"));
    control.SetHintOptions({THintOption::hoValue});
    EXPECT_EQ(control.Hint(), QString());
}

TEST(AnalogControl, ValueFromZeroStillFormatsAsZero)
{
    LocaleGuard locale(LocaleGuard::C());
    PipelineControl control;
    control.SignalSettings().SetValueFrom(0);
    control.SetValue(0);
    EXPECT_EQ(control.ValueText(), QStringLiteral("0.0"));
    EXPECT_EQ(control.PosPerMille(), 0);
    EXPECT_FALSE(control.Underflow());
}
