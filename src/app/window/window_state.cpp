#include "app/window/window_state.h"

WindowControls DeriveWindowControls(const WindowInputs &in)
{
    const bool idle = !in.Running;
    const bool fast = in.Page == TDisplayPage::dpFastDisplay;
    const bool slow = in.Page == TDisplayPage::dpSlowDisplay;
    WindowControls c;
    c.StartEnabled = idle && in.Page != TDisplayPage::dpTerminal;
    c.StopEnabled = in.Running;
    c.ActivityIndicatorEnabled = in.Running && !in.PortLost;
    c.SettingsEnabled = idle;
    c.FileMenuEnabled = idle;
    c.FastDisplayToolsEnabled = idle && fast;
    // A run keeps its own page: the other pages cannot be chosen until it ends.
    c.FastTabEnabled = idle || fast;
    c.SlowTabEnabled = idle || slow;
    c.TerminalTabEnabled = idle;
    c.Channel2TabVisible = in.ChannelCount >= 2;
    c.MoreChannelsTabVisible = in.ChannelCount >= 3;
    // A fast display run does not keep the trend recorder busy.
    c.TrendShown = idle || slow;
    c.TrendSettingsVisible = !in.PortMode;
    c.NormalEnabled = !(in.Running && in.TrendMode);
    c.ZoomEnabled = !in.TrendMode;
    c.PanZoomUnchecked = in.TrendMode;
    return c;
}
