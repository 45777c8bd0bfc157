#include "instruments/flash_timer.h"
#include "instruments/timer_service.h"

#include "support/manual_timer.h"
#include "support/message_recorder.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

class TickRecorder : public TTimerClient
{
public:
    ~TickRecorder() override = default;
    void TimerTick(std::uint32_t counter, std::int32_t value) override
    {
        ticks.emplace_back(counter, value);
        if (onTick)
            onTick();
    }
    std::vector<std::pair<std::uint32_t, std::int32_t>> ticks;
    std::function<void()> onTick;
};

TAbTimerService &Service()
{
    return TAbTimerService::Instance();
}

} // namespace

TEST(TimerService, PeriodLatenessIsMadeUpButNotBeyondOneSecond)
{
    struct Case
    {
        const char *name;
        std::uint32_t late;
        std::int32_t reported;
        std::int64_t nextDueIn; // from the dispatch
    };
    const Case cases[] = {
            {"on time", 0, 0, 100},
            {"12 ms late", 12, 12, 88},
            {"1000 ms late", 1000, 1000, -900},
            {"1500 ms late", 1500, 0, 100},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TManualTimerScope scope(5000);
        TickRecorder client;
        Register(&client, 100);
        scope.Clock().Advance(100 + c.late);
        Service().Dispatch();
        ASSERT_EQ(client.ticks.size(), 1u);
        EXPECT_EQ(client.ticks[0].second, c.reported);
        const auto dispatchedAt = static_cast<std::int64_t>(scope.Clock().TickCount());
        EXPECT_EQ(static_cast<std::int64_t>(Service().Find(&client)->Due),
                  dispatchedAt + c.nextDueIn);
    }
}

TEST(TimerService, PeriodTicksKeepTheirCadenceInDispatcherSteps)
{
    TManualTimerScope scope(0);
    TickRecorder client;
    Register(&client, 100);
    scope.Step(63); // 1008 ms
    // Due at 100, 200, ...: each tick comes at the first 16 ms step at or after it.
    ASSERT_EQ(client.ticks.size(), 10u);
    EXPECT_EQ(client.ticks[0].second, 12); // at 112
    EXPECT_EQ(client.ticks[1].second, 8); // at 208
}

TEST(TimerService, FlashCodeFiveChangesStateEvery32Dispatches)
{
    TManualTimerScope scope;
    Service().SetCounter(0);
    TickRecorder client;
    Register(&client, 5);
    Register(&client, 5);
    int entries = 0;
    for (const TTimerEntry &e : Service().Entries())
        entries += e.Control == &client ? 1 : 0;
    EXPECT_EQ(entries, 1);

    scope.Step(128);
    const std::vector<std::pair<std::uint32_t, std::int32_t>> expected
            = {{32, 1}, {64, 0}, {96, 1}, {128, 0}};
    EXPECT_EQ(client.ticks, expected);
}

TEST(TimerService, SecondCodeTicksOncePerWallClockSecond)
{
    TManualTimerScope scope;
    TickRecorder client;
    Register(&client, kTimerSecondCode);
    scope.Step(125); // 2000 ms
    EXPECT_EQ(client.ticks.size(), 2u);
    for (const auto &t : client.ticks)
        EXPECT_EQ(t.second, 0);
}

TEST(TimerService, CounterAndTickCountWrap)
{
    TManualTimerScope scope(0xFFFFFFF0u);
    Service().SetCounter(0xFFFFFFFFu);
    TickRecorder client;
    Register(&client, 100); // due beyond the 32-bit wrap
    Service().Dispatch();
    EXPECT_EQ(Service().Counter(), 0u);
    scope.Step(6); // 0x50 after the wrap: not yet due
    EXPECT_TRUE(client.ticks.empty());
    scope.Step(); // 0x60: 12 ms late
    ASSERT_EQ(client.ticks.size(), 1u);
    EXPECT_EQ(client.ticks[0].second, 12);
    scope.Step(7);
    EXPECT_EQ(client.ticks.size(), 2u); // and on with the period
}

TEST(TimerService, UnregisterDuringDispatchAndUnknownControls)
{
    TManualTimerScope scope;
    TickRecorder first;
    TickRecorder second;
    TickRecorder stranger;
    Register(&first, 16);
    Register(&second, 16);
    const std::size_t before = Service().Entries().size();
    Unregister(&stranger);
    EXPECT_EQ(Service().Entries().size(), before);

    first.onTick = [&] { Unregister(&first); };
    scope.Step();
    EXPECT_EQ(first.ticks.size(), 1u);
    EXPECT_EQ(second.ticks.size(), 1u);
    EXPECT_EQ(Service().Find(&first), nullptr);
}

TEST(TimerService, TickHandlersCannotNestADispatch)
{
    TManualTimerScope scope;
    TickRecorder client;
    Register(&client, 16);
    const std::uint32_t before = Service().Counter();
    client.onTick = [&] {
        scope.Clock().Advance(16);
        Service().Dispatch();
    };
    scope.Step();
    EXPECT_EQ(client.ticks.size(), 1u);
    EXPECT_EQ(Service().Counter(), before + 1);
}

TEST(TimerService, RangeErrorsAreSwallowedPerEntry)
{
    TManualTimerScope scope;
    TickRecorder failing;
    TickRecorder next;
    failing.onTick = [] { throw std::range_error("range"); };
    Register(&failing, 16);
    Register(&next, 16);
    scope.Step();
    EXPECT_EQ(next.ticks.size(), 1u);

    failing.onTick = [] { throw std::runtime_error("other"); };
    scope.Clock().Advance(16);
    EXPECT_THROW(Service().Dispatch(), std::runtime_error);
}

TEST(TimerService, DestroyedClientLeavesTheList)
{
    TManualTimerScope scope;
    const TTimerEntry *entry = nullptr;
    {
        TickRecorder client;
        Register(&client, 100);
        entry = Service().Find(&client);
        EXPECT_NE(entry, nullptr);
    }
    for (const TTimerEntry &e : Service().Entries())
        EXPECT_NE(e.Control, nullptr);
}

TEST(TimerService, PacingArmsForTheEarliestEntryAndRestsWhenNoneIsLeft)
{
    TManualTimerScope scope(1000);
    Service().SetAutoDispatch(true); // armed for real, but nothing here runs the event loop
    ASSERT_TRUE(Service().Entries().empty());
    TickRecorder slow;
    TickRecorder fast;
    Register(&slow, 1000);
    EXPECT_EQ(Service().NextWake(), 2000u);
    Register(&fast, 100);
    EXPECT_EQ(Service().NextWake(), 1100u);
    EXPECT_TRUE(Service().FlashTimer()->Running());

    scope.Clock().Advance(100);
    Service().Dispatch();
    EXPECT_EQ(fast.ticks.size(), 1u);
    EXPECT_EQ(Service().NextWake(), 1200u);

    Unregister(&fast);
    EXPECT_EQ(Service().NextWake(), 2000u);
    Unregister(&slow);
    EXPECT_EQ(Service().NextWake(), std::nullopt);
    EXPECT_FALSE(Service().FlashTimer()->Running());
}

TEST(TimerService, PacingWakesWhenDueButNeverSoonerThanOneStepAfterADispatch)
{
    struct Case
    {
        const char *name;
        std::uint64_t code;
        std::uint32_t dispatchAfter; // from the registration at 1000
        std::uint32_t nextWake;
    };
    const Case cases[] = {
            {"flash code: every step", 5, 0, 1016},
            {"second code: at the wall-clock second", kTimerSecondCode, 0, 2000},
            {"period on time", 100, 100, 1200},
            {"period 500 ms late: catching up one step apart", 100, 500, 1516},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TManualTimerScope scope(1000);
        Service().SetAutoDispatch(true);
        TickRecorder client;
        Register(&client, c.code);
        scope.Clock().Advance(c.dispatchAfter);
        Service().Dispatch();
        EXPECT_EQ(Service().NextWake(), c.nextWake);
    }
}

TEST(FlashTimer, FirstRegistrationCreatesTheSingleTimer)
{
    TManualTimerScope scope;
    TickRecorder client;
    Register(&client, 100);
    ASSERT_NE(Service().FlashTimer(), nullptr);
    EXPECT_TRUE(Service().FlashTimer()->Active());
    EXPECT_FALSE(Service().FlashTimer()->Running()); // switched off by the manual scope
    EXPECT_EQ(TAbFlashTimer::InstanceCount(), 1);
}

TEST(FlashTimer, SecondInstanceIsRefusedWithAMessage)
{
    TManualTimerScope scope;
    TickRecorder client;
    Register(&client, 100); // makes sure the first instance exists
    MessageRecorder messages;
    TAbFlashTimer second;
    EXPECT_FALSE(second.Active());
    EXPECT_FALSE(second.Running());
    EXPECT_EQ(
            messages.Infos,
            QStringList {QStringLiteral("Only one TAbFlashTimer per Application!\rRemove it...")});
    EXPECT_EQ(messages.Captions, QStringList {QStringLiteral("Error Message")});
}

TEST(FlashTimer, EnabledAndIntervalControlThePacing)
{
    TAbFlash flash;
    EXPECT_EQ(flash.Interval(), 16);
    EXPECT_TRUE(flash.Running());
    flash.SetEnabled(false);
    EXPECT_FALSE(flash.Running());
    flash.SetEnabled(true);
    flash.SetInterval(0);
    EXPECT_FALSE(flash.Running());
}
