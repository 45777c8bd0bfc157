#include "serial/com_led.h"
#include "serial/com_port.h"
#include "support/pseudo_terminal.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A ring timer the test fires by hand.
class ManualRingTimer : public TLedRingTimer
{
public:
    void SetInterval(int milliseconds) override { interval = milliseconds; }
    int Interval() const override { return interval; }
    void Start() override
    {
        active = true;
        ++starts;
    }
    void Stop() override { active = false; }
    bool Active() const override { return active; }
    void Fire() { OnTimer(); }

    int interval = 0;
    bool active = false;
    int starts = 0;
};

struct LedRecorder
{
    explicit LedRecorder(TComLed &led)
    {
        led.OnChange = [this](TComLed *, TLedState state) { states.push_back(state); };
    }
    std::vector<TLedState> states;
};

using enum TLedState;

TEST(ComLed, StateCanBeSetOnlyWithoutPort)
{
    TComLed led;
    LedRecorder recorder(led);
    led.SetState(lsOn);
    led.SetState(lsOn);
    EXPECT_EQ(led.State(), lsOn);
    EXPECT_EQ(recorder.states, (std::vector {lsOn, lsOn})) << "raised also without a change";

    TComPort port;
    led.SetComPort(&port);
    EXPECT_EQ(led.State(), lsOn) << "a closed port keeps the state";
    try {
        led.SetState(lsOff);
        FAIL() << "no error";
    } catch (const EComPort &e) {
        EXPECT_EQ(e.ErrorCode(), 19);
        EXPECT_EQ(e.Message(), "Cannot change led state if ComPort is selected");
    }
    EXPECT_EQ(led.State(), lsOn);
    led.SetComPort(nullptr);
    EXPECT_EQ(led.State(), lsOff) << "unbinding turns it off";
}

TEST(ComLed, FollowsThePortOpeningAndClosing)
{
    PseudoTerminal pty;
    TComPort port;
    port.SetPort(pty.SlavePath());
    port.SetConnected(true);
    TComLed led;
    LedRecorder recorder(led);
    led.SetComPort(&port);
    EXPECT_EQ(led.State(), lsOn) << "bound to an open port";
    port.SetConnected(false);
    port.SetConnected(true);
    port.SetConnected(false);
    EXPECT_EQ(recorder.states, (std::vector {lsOn, lsOff, lsOn, lsOff}));

    // Another signal: the CTS line of an open pseudo-terminal is off.
    led.SetLedSignal(TComLedSignal::lsCTS);
    port.SetConnected(true);
    EXPECT_EQ(led.State(), lsOff);
    EXPECT_FALSE(led.Link().ConnChanged);

    auto gone = std::make_unique<TComPort>();
    led.SetLedSignal(TComLedSignal::lsConn);
    led.SetComPort(gone.get());
    gone.reset();
    EXPECT_EQ(led.ComPort(), nullptr);
    led.SetState(lsOn); // allowed again
}

TEST(ComLed, RingLightsTheLedUntilTheTimerFires)
{
    TComLed led;
    auto timer = std::make_unique<ManualRingTimer>();
    ManualRingTimer &ring = *timer;
    led.SetRingDuration(1500);
    led.SetRingTimer(std::move(timer));
    EXPECT_EQ(led.RingDuration(), 1500);
    led.SetLedSignal(TComLedSignal::lsRing);
    ASSERT_TRUE(led.Link().RingSeen);
    EXPECT_FALSE(led.Link().ConnChanged);

    led.Link().RingSeen(nullptr);
    EXPECT_EQ(led.State(), lsOn);
    EXPECT_TRUE(ring.active);
    led.Link().RingSeen(nullptr);
    EXPECT_EQ(ring.starts, 1) << "a second ring does not restart the timer";
    ring.Fire();
    EXPECT_EQ(led.State(), lsOff);
    EXPECT_FALSE(ring.active);
}

// The colour at the centre of the LED's picture.
QColor Centre(TComLed &led)
{
    const QImage picture = led.Picture();
    return picture.pixelColor(picture.width() / 2, picture.height() / 2);
}

TEST(ComLed, DrawsTheKindsPicturesCentred)
{
    TComLed led;
    EXPECT_EQ(led.size(), QSize(25, 25));
    led.SetKind(TLedKind::lkGreenLight);
    ASSERT_EQ(led.GlyphOn().size(), QSize(15, 15));
    const QImage off = led.Picture();
    EXPECT_EQ(off.pixelColor(0, 0).alpha(), 0) << "transparent around the lamp";
    EXPECT_EQ(off.pixelColor(4, 12).alpha(), 0) << "the picture is centred at (5, 5)";
    EXPECT_GT(off.pixelColor(6, 12).alpha(), 0);
    const QColor unlit = Centre(led);
    led.SetState(lsOn);
    const QColor lit = Centre(led);
    EXPECT_GT(lit.green(), 200);
    EXPECT_LT(lit.red(), lit.green());
    EXPECT_LT(unlit.green(), 128);
    led.setEnabled(false);
    EXPECT_EQ(Centre(led), unlit) << "disabled shows the unlit picture";
    led.setEnabled(true);

    // Every kind has a lit and an unlit picture that differ.
    for (TLedKind kind : {TLedKind::lkRedLight, TLedKind::lkBlueLight, TLedKind::lkYellowLight,
                          TLedKind::lkPurpleLight, TLedKind::lkBulb}) {
        led.SetKind(kind);
        EXPECT_EQ(led.GlyphOff().size(), QSize(15, 15));
        EXPECT_NE(led.GlyphOn(), led.GlyphOff());
    }
}

TEST(ComLed, CustomKindKeepsPicturesUntilAssigned)
{
    TComLed led;
    led.SetKind(TLedKind::lkBlueLight);
    const QImage blueOn = led.GlyphOn();
    QImage square(9, 9, QImage::Format_RGB32);
    square.fill(Qt::magenta);
    square.setPixelColor(4, 4, Qt::yellow);
    led.SetGlyphOn(square);
    EXPECT_EQ(led.GlyphOn(), blueOn) << "ignored for a built-in kind";

    led.SetKind(TLedKind::lkCustom);
    EXPECT_EQ(led.GlyphOn(), blueOn);
    led.SetGlyphOn(square);
    led.SetState(lsOn);
    const QImage picture = led.Picture();
    EXPECT_EQ(picture.pixelColor(12, 12), QColor(Qt::yellow));
    EXPECT_EQ(picture.pixelColor(8, 8).alpha(), 0) << "the bottom-left colour is transparent";
}

} // namespace
