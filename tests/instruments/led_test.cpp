#include "instruments/led.h"
#include "support/manual_timer.h"

#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>

namespace {

// An LED as the port group shows it: 17 x 33, lamp below the caption.
std::unique_ptr<TAbLED> PortLed(QWidget *parent = nullptr)
{
    auto led = std::make_unique<TAbLED>(parent);
    led->resize(17, 33);
    led->SetCaption(QStringLiteral("0"));
    led->LED().SetColorOn(clRed);
    led->LED().SetColorOff(clMoneyGreen);
    led->SetLED_Position(TLEDPos::lpBottom);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    led->setFont(font);
    return led;
}

} // namespace

TEST(Led, CheckedSetsTheStatusBitAndReportsOnce)
{
    auto led = PortLed();
    int statusChanges = 0;
    int statusIntChanges = 0;
    led->OnStatusChanged = [&](TAbBinGControl *) { ++statusChanges; };
    led->OnStatusIntChanged = [&](TAbBinGControl *) { ++statusIntChanges; };
    led->SetChecked(true);
    led->SetChecked(true);
    EXPECT_EQ(led->StatusInt(), 1);
    EXPECT_EQ(led->FirstSetBit(), 0);
    EXPECT_EQ(statusChanges, 1);
    EXPECT_EQ(statusIntChanges, 1);
    led->SetChecked(false);
    EXPECT_EQ(led->StatusInt(), 0);
    EXPECT_EQ(led->FirstSetBit(), 32);

    led->SetStatusBit(3);
    led->SetStatusInt(0x18);
    EXPECT_TRUE(led->Checked());
    EXPECT_EQ(led->FirstSetBit(), 3);
    led->SetStatusBit(32); // refused
    EXPECT_EQ(led->StatusBit(), 3);
    led->SetStatusBit(0); // bit 0 of 0x18 is clear
    EXPECT_FALSE(led->Checked());
}

TEST(Led, ModesSetTheStatusWord)
{
    auto led = PortLed();
    led->SetStatusBit(2);
    led->SetMode(TMode::mRadioButton);
    EXPECT_EQ(led->StatusInt(), 1);
    led->SetChecked(true);
    EXPECT_EQ(led->StatusInt(), 4); // only its own bit
    led->SetChecked(false);
    EXPECT_EQ(led->StatusInt(), 4); // unchanged when unchecked
    led->SetMode(TMode::mButton);
    EXPECT_EQ(led->StatusInt(), 0);
}

TEST(Led, GroupMembersShareTheStatusWord)
{
    QWidget window;
    auto a = PortLed(&window);
    auto b = PortLed(&window);
    auto other = PortLed(&window);
    a->SetGroupIndex(1);
    a->SetStatusInt(5);
    b->SetStatusBit(2);
    b->SetGroupIndex(1); // takes over the group's word
    EXPECT_EQ(b->StatusInt(), 5);
    EXPECT_TRUE(b->Checked());
    b->SetStatusInt(2);
    EXPECT_EQ(a->StatusInt(), 2);
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(other->StatusInt(), 0);
    a->SetGroupIndex(-1); // ignored
    EXPECT_EQ(a->GroupIndex(), 1);
}

TEST(Led, FlashingRegistersWhileChecked)
{
    TManualTimerScope scope;
    auto led = PortLed();
    led->SetFrequency(TFlashFreq::ff2Hz);
    led->SetFlashing(true);
    EXPECT_EQ(TAbTimerService::Instance().Find(led.get()), nullptr);
    led->SetChecked(true);
    const TTimerEntry *entry = TAbTimerService::Instance().Find(led.get());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->Code, 4u);
    led->SetFrequency(TFlashFreq::ff05Hz);
    EXPECT_EQ(TAbTimerService::Instance().Find(led.get())->Code, 6u);
    led->SetChecked(false);
    EXPECT_EQ(TAbTimerService::Instance().Find(led.get()), nullptr);
}

TEST(Led, PaintsTheLampBelowTheCaption)
{
    auto led = PortLed();
    led->SetChecked(true);
    QImage image = led->grab().toImage();
    EXPECT_EQ(led->LampRect(), QRect(2, 20, 13, 13));
    EXPECT_EQ(image.pixelColor(8, 26), QColor(255, 0, 0)); // lamp centre
    // The caption's ink lies above the lamp, around x = 8.
    int inkRows = 0;
    const QColor background = image.pixelColor(0, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 17; ++x)
            if (image.pixelColor(x, y) != background) {
                ++inkRows;
                break;
            }
    EXPECT_GT(inkRows, 5);
    EXPECT_EQ(image.pixelColor(8, 17), background);

    led->SetChecked(false);
    image = led->grab().toImage();
    EXPECT_EQ(image.pixelColor(8, 26), QColor(0xC0, 0xDC, 0xC0));
}

TEST(Led, StateChangeRedrawsOnlyTheLampOfAShownLed)
{
    auto led = PortLed();
    led->show();
    (void)led->grab(); // first full repaint
    led->SetChecked(true);
    // The lamp is drawn into the frame at once; grabbing repaints from the frame.
    const QImage image = led->grab().toImage();
    EXPECT_EQ(image.pixelColor(8, 26), QColor(255, 0, 0));
}

namespace {

void Click(QWidget &w, QEvent::Type type, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF at(5, 5);
    QMouseEvent event(type, at, w.mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}

} // namespace

TEST(Led, MouseRulesFollowTheMode)
{
    const struct
    {
        TMode mode;
        bool afterPress, afterRelease, afterSecondClick;
    } cases[] = {
            {TMode::mButton, true, false, false},
            {TMode::mSwitch, true, true, false},
            {TMode::mIndicator, false, false, false},
            {TMode::mRadioButton, true, true, true},
    };
    for (const auto &c : cases) {
        auto led = PortLed();
        led->SetStatusBit(1);
        led->SetMode(c.mode);
        Click(*led, QEvent::MouseButtonPress);
        EXPECT_EQ(led->Checked(), c.afterPress) << static_cast<int>(c.mode);
        Click(*led, QEvent::MouseButtonRelease);
        EXPECT_EQ(led->Checked(), c.afterRelease) << static_cast<int>(c.mode);
        Click(*led, QEvent::MouseButtonPress);
        Click(*led, QEvent::MouseButtonRelease);
        EXPECT_EQ(led->Checked(), c.afterSecondClick) << static_cast<int>(c.mode);
        Click(*led, QEvent::MouseButtonPress, Qt::RightButton);
        EXPECT_EQ(led->Checked(), c.afterSecondClick) << static_cast<int>(c.mode);
    }
}

TEST(Led, CaptionStandsOnTheOtherSideOfTheLamp)
{
    const struct
    {
        TLEDPos position;
        QRect lamp;
        QRect captionArea; // where the caption's ink must lie
    } cases[] = {
            {TLEDPos::lpLeft, {0, 14, 13, 13}, {13, 0, 60, 40}},
            {TLEDPos::lpRight, {60, 14, 13, 13}, {0, 0, 60, 40}},
            {TLEDPos::lpTop, {30, 0, 13, 13}, {0, 13, 73, 27}},
            {TLEDPos::lpBottom, {30, 27, 13, 13}, {0, 0, 73, 27}},
    };
    for (const auto &c : cases) {
        auto led = PortLed();
        led->resize(73, 40);
        led->SetCaption(QStringLiteral("X|Y"));
        led->SetLED_Position(c.position);
        EXPECT_EQ(led->LampRect(), c.lamp);
        const QImage image = led->grab().toImage();
        const QColor background = image.pixelColor(72, 39); // a corner no case draws on
        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!c.lamp.contains(x, y) && image.pixelColor(x, y) != background)
                    ink |= QRect(x, y, 1, 1);
        EXPECT_FALSE(ink.isEmpty()) << static_cast<int>(c.position);
        EXPECT_TRUE(c.captionArea.contains(ink)) << static_cast<int>(c.position);
    }
}
