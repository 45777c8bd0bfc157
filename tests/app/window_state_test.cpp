#include "app/window/window_state.h"

#include <gtest/gtest.h>

namespace {

using enum TDisplayPage;

TEST(DeriveWindowControls, IdleAndRunningOnEachPage)
{
    // A control left out of a row is expected off.
    struct Expected
    {
        bool start = false;
        bool stop = false; // also the activity indicator
        bool settings = false; // also the file menu
        bool fastTools = false;
        bool fastTab = false;
        bool slowTab = false;
        bool terminalTab = false;
        bool trendShown = false;
    };
    const struct
    {
        const char *name;
        WindowInputs in;
        Expected out;
    } cases[] = {
            {"idle, fast display",
             {.Running = false, .Page = dpFastDisplay},
             {.start = true,
              .settings = true,
              .fastTools = true,
              .fastTab = true,
              .slowTab = true,
              .terminalTab = true,
              .trendShown = true}},
            {"idle, slow display",
             {.Running = false, .Page = dpSlowDisplay},
             {.start = true,
              .settings = true,
              .fastTab = true,
              .slowTab = true,
              .terminalTab = true,
              .trendShown = true}},
            {"idle, terminal",
             {.Running = false, .Page = dpTerminal},
             {.settings = true,
              .fastTab = true,
              .slowTab = true,
              .terminalTab = true,
              .trendShown = true}},
            {"running, fast display",
             {.Running = true, .Page = dpFastDisplay},
             {.stop = true, .fastTab = true}},
            {"running, slow display",
             {.Running = true, .Page = dpSlowDisplay},
             {.stop = true, .slowTab = true, .trendShown = true}},
    };
    for (const auto &c : cases) {
        const WindowControls w = DeriveWindowControls(c.in);
        EXPECT_EQ(w.StartEnabled, c.out.start) << c.name;
        EXPECT_EQ(w.StopEnabled, c.out.stop) << c.name;
        EXPECT_EQ(w.ActivityIndicatorEnabled, c.out.stop) << c.name;
        EXPECT_EQ(w.SettingsEnabled, c.out.settings) << c.name;
        EXPECT_EQ(w.FileMenuEnabled, c.out.settings) << c.name;
        EXPECT_EQ(w.FastDisplayToolsEnabled, c.out.fastTools) << c.name;
        EXPECT_EQ(w.FastTabEnabled, c.out.fastTab) << c.name;
        EXPECT_EQ(w.SlowTabEnabled, c.out.slowTab) << c.name;
        EXPECT_EQ(w.TerminalTabEnabled, c.out.terminalTab) << c.name;
        EXPECT_EQ(w.TrendShown, c.out.trendShown) << c.name;
    }
}

TEST(DeriveWindowControls, ARunWaitingForItsDeviceIsStillARun)
{
    for (const TDisplayPage page : {dpFastDisplay, dpSlowDisplay}) {
        const WindowInputs running {
                .Running = true, .Page = page, .TrendMode = page == dpFastDisplay};
        WindowInputs waiting = running;
        waiting.PortLost = true;
        WindowControls expected = DeriveWindowControls(running);
        expected.ActivityIndicatorEnabled = false;
        EXPECT_EQ(DeriveWindowControls(waiting), expected) << int(page);
    }
}

TEST(DeriveWindowControls, ModesAndChannels)
{
    // A control left out of a row is expected off.
    struct Expected
    {
        bool normal = false;
        bool zoom = false;
        bool unchecked = false;
        bool trendSettings = false;
        bool channel2Tab = false;
    };
    const struct
    {
        const char *name;
        WindowInputs in;
        Expected out;
    } cases[] = {
            {"normal mode",
             {.Running = false, .Page = dpFastDisplay},
             {.normal = true, .zoom = true, .trendSettings = true}},
            {"trend mode chosen",
             {.Running = false, .Page = dpFastDisplay, .TrendMode = true},
             {.normal = true, .unchecked = true, .trendSettings = true}},
            {"trend run",
             {.Running = true, .Page = dpFastDisplay, .TrendMode = true},
             {.unchecked = true, .trendSettings = true}},
            {"port mode hides the trend settings",
             {.Running = false, .Page = dpSlowDisplay, .PortMode = true},
             {.normal = true, .zoom = true}},
            {"two channels show their settings",
             {.Running = false, .Page = dpSlowDisplay, .ChannelCount = 2},
             {.normal = true, .zoom = true, .trendSettings = true, .channel2Tab = true}},
    };
    for (const auto &c : cases) {
        const WindowControls w = DeriveWindowControls(c.in);
        EXPECT_EQ(w.NormalEnabled, c.out.normal) << c.name;
        EXPECT_EQ(w.ZoomEnabled, c.out.zoom) << c.name;
        EXPECT_EQ(w.PanZoomUnchecked, c.out.unchecked) << c.name;
        EXPECT_EQ(w.TrendSettingsVisible, c.out.trendSettings) << c.name;
        EXPECT_EQ(w.Channel2TabVisible, c.out.channel2Tab) << c.name;
    }
}

} // namespace
