#include "instruments/bevel.h"
#include "instruments/scale_settings.h"
#include "instruments/signal_settings.h"
#include "instruments/value_settings.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::uint32_t Bits(float f)
{
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

struct ChangeCounter
{
    int count = 0;
    void Attach(TAbPersistent &p)
    {
        p.OnChange = [this](TAbPersistent *) { ++count; };
    }
};

} // namespace

TEST(SignalSettings, ValueFromZeroIsStoredAsOneMillionth)
{
    TSignalSettings s;
    s.SetValueFrom(5);
    s.SetValueFrom(0);
    EXPECT_EQ(Bits(s.ValueFrom()), 0x358637BDu);
}

TEST(SignalSettings, RangeEndEqualToEitherCurrentEndIsRefused)
{
    struct Case
    {
        const char *name;
        bool writeTo;
        double value;
        float from, to;
        int changes;
    };
    // Each case starts from [1e-6, 100] (ValueFrom written as 0).
    const Case cases[] = {
            {"To equal to To", true, 100, 1.0e-6f, 100, 0},
            {"From equal to To", false, 100, 1.0e-6f, 100, 0},
            {"To equal to From", true, 1.0e-6f, 1.0e-6f, 100, 0},
            {"From 0 again", false, 0, 1.0e-6f, 100, 0},
            {"accepted To", true, 50, 1.0e-6f, 50, 1},
            {"accepted From", false, 20, 20, 100, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TSignalSettings s;
        s.SetValueFrom(0);
        ChangeCounter changes;
        changes.Attach(s);
        if (c.writeTo)
            s.SetValueTo(c.value);
        else
            s.SetValueFrom(c.value);
        EXPECT_FLOAT_EQ(s.ValueFrom(), c.from);
        EXPECT_FLOAT_EQ(s.ValueTo(), c.to);
        EXPECT_EQ(changes.count, c.changes);
    }
}

TEST(SignalSettings, NewRangeWrittenToFirstFailsWhenItMeetsTheOldFrom)
{
    TSignalSettings s;
    s.SetValueFrom(10);
    s.SetValueTo(20); // [10, 20]
    s.SetValueTo(10); // refused: equals the current From
    s.SetValueFrom(5);
    EXPECT_FLOAT_EQ(s.ValueFrom(), 5);
    EXPECT_FLOAT_EQ(s.ValueTo(), 20);
}

TEST(SignalSettings, DerivedValuesAndSpanRule)
{
    TSignalSettings s;
    EXPECT_DOUBLE_EQ(s.Span(), 100);
    EXPECT_EQ(s.DigitalRange(), 1000);
    s.SetValueTo(10);
    EXPECT_DOUBLE_EQ(s.Span(), 10);
    EXPECT_DOUBLE_EQ(s.PerMillePerValue(), 100);
    EXPECT_DOUBLE_EQ(s.DigitsPerValue(), 100);
    EXPECT_DOUBLE_EQ(s.ValuePerDigit(), 0.01);
    EXPECT_EQ(s.PerMille(2.5), 250);

    // From >= 0 and To <= 0: the span keeps its previous value.
    s.SetValueFrom(3);
    s.SetValueTo(-1);
    EXPECT_DOUBLE_EQ(s.Span(), 7);
    s.SetValueFrom(-5);
    EXPECT_DOUBLE_EQ(s.Span(), 4);

    s.SetDigitalFrom(5);
    s.SetDigitalTo(0);
    EXPECT_EQ(s.DigitalRange(), 0);
}

TEST(SignalSettings, SampleTextIsTheLongerFormatSection)
{
    const struct
    {
        const char *format;
        const char *sample;
    } cases[] = {
            {"#######0.000", "#######0.000"},
            {"##0.0;-######0.0", "-######0.0"},
            {"#0.00;-0.00", "-0.00"}, // equal length: the part after
            {"###0.00;-0", "###0.00"},
    };
    for (const auto &c : cases) {
        TSignalSettings s;
        s.SetValueFormat(QString::fromLatin1(c.format));
        EXPECT_EQ(s.SampleText(), QString::fromLatin1(c.sample)) << c.format;
    }
}

TEST(ChSettings, ValueWritesDigitsAndFiresOnlyOnChange)
{
    TChSettings ch;
    ChangeCounter changes;
    changes.Attach(ch);
    int valueChanges = 0;
    ch.OnValueChange = [&](TChSettings *) { ++valueChanges; };
    ch.SetValueTo(10);
    ch.SetValue(2.345);
    EXPECT_EQ(ch.Digit(), 235);
    EXPECT_EQ(ch.RelDigit(), 235);
    ch.SetValue(2.345);
    EXPECT_EQ(valueChanges, 1);
    EXPECT_EQ(changes.count, 1); // only the range write

    ch.SetDigit(500);
    EXPECT_FLOAT_EQ(ch.Value(), 5.0f);
    EXPECT_EQ(valueChanges, 2);
    EXPECT_FLOAT_EQ(ch.ValueOfRelDigit(250), 2.5f);

    // A range change does not touch the digit until the next value write.
    ch.SetValueTo(20);
    EXPECT_EQ(ch.Digit(), 500);
}

TEST(ChSettings, FarOutOfRangeValueSaturatesTheDigit)
{
    TChSettings ch;
    ch.SetValue(1.0e30);
    EXPECT_EQ(ch.Digit(), std::numeric_limits<int>::max());
    ch.SetValue(-1.0e30);
    EXPECT_EQ(ch.Digit(), std::numeric_limits<int>::min());
}

TEST(Settings, SetterRulesAndRefusedWrites)
{
    TAbSBevel bevel;
    ChangeCounter changes;
    changes.Attach(bevel);
    bevel.SetSpacing(5); // unchanged
    bevel.SetWidth(-1); // ignored
    EXPECT_EQ(changes.count, 0);
    bevel.Offset().SetLeft(3); // sub-object reports through the bevel
    bevel.SurfaceGrad().SetVisible(true);
    EXPECT_EQ(changes.count, 2);

    TScaleSettings scale;
    changes = {};
    changes.Attach(scale);
    scale.SetSteps(0);
    scale.SetSteps(21);
    scale.SetSubSteps(11);
    EXPECT_EQ(changes.count, 0);
    scale.SetSteps(5); // accepted values report even when unchanged
    scale.SetDrawLine(true);
    scale.Font().SetHeight(-20);
    EXPECT_EQ(changes.count, 3);
    EXPECT_EQ(scale.Steps(), 5);

    TAbDamping damping;
    damping.SetFactor(1000);
    EXPECT_FLOAT_EQ(damping.Factor(), 100);
    damping.SetFactor(0);
    EXPECT_FLOAT_EQ(damping.Factor(), 0.1f);
}

TEST(Settings, BevelBorderSize)
{
    const struct
    {
        TBevelLine line;
        int size;
    } cases[] = {{TBevelLine::blNone, 7},
                 {TBevelLine::blOuter, 8},
                 {TBevelLine::blInner, 8},
                 {TBevelLine::blBoth, 9}};
    for (const auto &c : cases) {
        TAbSBevel bevel;
        bevel.SetBevelLine(c.line);
        EXPECT_EQ(bevel.BorderSize(), c.size);
    }
}

TEST(Settings, SectorColourLookupTakesTheFirstMatch)
{
    TSectorSettings sectors;
    sectors.SetSector2From(300); // overlaps sector 1
    TColor c = 0;
    ASSERT_TRUE(sectors.ColorAt(333, c));
    EXPECT_EQ(c, 0x00FFFFu);
    ASSERT_TRUE(sectors.ColorAt(1000, c));
    EXPECT_EQ(c, 0x0000FFu);
    EXPECT_FALSE(sectors.ColorAt(1001, c));
    EXPECT_FALSE(sectors.ColorAt(-1, c));
}

TEST(Settings, AssignCopiesPublishedValues)
{
    TChSettings a;
    a.SetValueTo(50);
    a.SetName1(QStringLiteral("CH1"));
    a.SetColor(clRed);
    a.SetPenWidth(2);
    TChSettings b;
    ChangeCounter changes;
    changes.Attach(b);
    b.Assign(a);
    EXPECT_FLOAT_EQ(b.ValueTo(), 50);
    EXPECT_EQ(b.Name1(), QStringLiteral("CH1"));
    EXPECT_EQ(b.Color(), clRed);
    EXPECT_EQ(b.PenWidth(), 2);
    EXPECT_DOUBLE_EQ(b.Span(), 50);
    EXPECT_EQ(changes.count, 1);
}

// Settings that own settings objects copy those too, and the owner reports the change.
TEST(Settings, AssignCopiesOwnedSettings)
{
    TAbSBevel bevel;
    bevel.SetStyle(TBevelStyle::bsLowered);
    bevel.SetWidth(4);
    bevel.SetColorShadowTo(clRed);
    bevel.Offset().SetLeft(3);
    bevel.SurfaceGrad().SetColorTo(clBlue);
    TAbSBevel bevelCopy;
    ChangeCounter bevelChanges;
    bevelChanges.Attach(bevelCopy);
    bevelCopy.Assign(bevel);
    EXPECT_EQ(bevelCopy.Style(), TBevelStyle::bsLowered);
    EXPECT_EQ(bevelCopy.Width(), 4);
    EXPECT_EQ(bevelCopy.ColorShadowTo(), clRed);
    EXPECT_EQ(bevelCopy.Offset().Left(), 3);
    EXPECT_EQ(bevelCopy.SurfaceGrad().ColorTo(), clBlue);
    EXPECT_GE(bevelChanges.count, 1);

    TScaleSettings scale;
    scale.SetSteps(8);
    scale.SetValueFormatLog(QStringLiteral("0.0e-0"));
    scale.Font().SetColor(clGreen);
    TScaleSettings scaleCopy;
    ChangeCounter scaleChanges;
    scaleChanges.Attach(scaleCopy);
    scaleCopy.Assign(scale);
    EXPECT_EQ(scaleCopy.Steps(), 8);
    EXPECT_EQ(scaleCopy.ValueFormatLog(), QStringLiteral("0.0e-0"));
    EXPECT_EQ(scaleCopy.ValueFormat(), QStringLiteral("##0"));
    EXPECT_EQ(scaleCopy.Font().Color(), clGreen);
    EXPECT_GE(scaleChanges.count, 1);
}
