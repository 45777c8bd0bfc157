#include "app/window/window_state.h"

#include <gtest/gtest.h>

namespace {

using enum TDisplayPage;

WindowInputs Inputs(bool running, TDisplayPage page, bool trendMode = false, bool portMode = false,
                    int channels = 1)
{
    WindowInputs in;
    in.Running = running;
    in.Page = page;
    in.ChannelCount = channels;
    in.PortMode = portMode;
    in.TrendMode = trendMode;
    return in;
}

TEST(DeriveWindowControls, IdleAndRunningOnEachPage)
{
    const struct
    {
        const char *name;
        WindowInputs in;
        bool start, stop, settings, fastTools, fastTab, slowTab, terminalTab, trendShown;
    } cases[] = {
            {"idle, fast display", Inputs(false, dpFastDisplay), true, false, true, true, true,
             true, true, true},
            {"idle, slow display", Inputs(false, dpSlowDisplay), true, false, true, false, true,
             true, true, true},
            {"idle, terminal", Inputs(false, dpTerminal), false, false, true, false, true, true,
             true, true},
            {"running, fast display", Inputs(true, dpFastDisplay), false, true, false, false, true,
             false, false, false},
            {"running, slow display", Inputs(true, dpSlowDisplay), false, true, false, false, false,
             true, false, true},
    };
    for (const auto &c : cases) {
        const WindowControls w = DeriveWindowControls(c.in);
        EXPECT_EQ(w.StartEnabled, c.start) << c.name;
        EXPECT_EQ(w.StopEnabled, c.stop) << c.name;
        EXPECT_EQ(w.ActivityIndicatorEnabled, c.stop) << c.name;
        EXPECT_EQ(w.SettingsEnabled, c.settings) << c.name;
        EXPECT_EQ(w.FileMenuEnabled, c.settings) << c.name;
        EXPECT_EQ(w.FastDisplayToolsEnabled, c.fastTools) << c.name;
        EXPECT_EQ(w.FastTabEnabled, c.fastTab) << c.name;
        EXPECT_EQ(w.SlowTabEnabled, c.slowTab) << c.name;
        EXPECT_EQ(w.TerminalTabEnabled, c.terminalTab) << c.name;
        EXPECT_EQ(w.TrendShown, c.trendShown) << c.name;
    }
}

TEST(DeriveWindowControls, ARunWaitingForItsDeviceIsStillARun)
{
    for (const TDisplayPage page : {dpFastDisplay, dpSlowDisplay}) {
        WindowInputs waiting = Inputs(true, page, page == dpFastDisplay);
        waiting.PortLost = true;
        WindowControls expected = DeriveWindowControls(Inputs(true, page, page == dpFastDisplay));
        expected.ActivityIndicatorEnabled = false;
        EXPECT_EQ(DeriveWindowControls(waiting), expected) << int(page);
    }
}

TEST(DeriveWindowControls, ModesAndChannels)
{
    const struct
    {
        const char *name;
        WindowInputs in;
        bool normal, zoom, unchecked, trendSettings, channel2Tab;
    } cases[] = {
            {"normal mode", Inputs(false, dpFastDisplay), true, true, false, true, false},
            {"trend mode chosen", Inputs(false, dpFastDisplay, true), true, false, true, true,
             false},
            {"trend run", Inputs(true, dpFastDisplay, true), false, false, true, true, false},
            {"port mode hides the trend settings", Inputs(false, dpSlowDisplay, false, true), true,
             true, false, false, false},
            {"two channels show their settings", Inputs(false, dpSlowDisplay, false, false, 2),
             true, true, false, true, true},
    };
    for (const auto &c : cases) {
        const WindowControls w = DeriveWindowControls(c.in);
        EXPECT_EQ(w.NormalEnabled, c.normal) << c.name;
        EXPECT_EQ(w.ZoomEnabled, c.zoom) << c.name;
        EXPECT_EQ(w.PanZoomUnchecked, c.unchecked) << c.name;
        EXPECT_EQ(w.TrendSettingsVisible, c.trendSettings) << c.name;
        EXPECT_EQ(w.Channel2TabVisible, c.channel2Tab) << c.name;
    }
}

} // namespace
