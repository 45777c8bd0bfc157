#pragma once

#include "app/run/display_page.h"

// What the main window's controls depend on.
struct WindowInputs
{
    bool Running = false;
    bool PortLost = false; // the run's device went away; the run waits for it
    TDisplayPage Page = TDisplayPage::dpSlowDisplay;
    int ChannelCount = 1;
    bool PortMode = false;
    bool TrendMode = false;
};

// The enabled, checked and visible state of the main window's controls for one set of inputs.
// Every handler that changes an input applies it, so no handler toggles a control by hand.
struct WindowControls
{
    bool StartEnabled = false;
    bool StopEnabled = false;
    bool ActivityIndicatorEnabled = false;
    bool SettingsEnabled = false; // port group, serial settings, settings pages, mode bar, ...
    bool FileMenuEnabled = false;
    bool FastDisplayToolsEnabled = false; // Clear, Reset, menus "Mathematic" and "Tools"
    bool FastTabEnabled = false;
    bool SlowTabEnabled = false;
    bool TerminalTabEnabled = false;
    bool Channel2TabVisible = false;
    bool MoreChannelsTabVisible = false; // channels 3 to 8
    bool TrendShown = false; // enabled and visible
    bool TrendSettingsVisible = false;
    bool NormalEnabled = false;
    bool ZoomEnabled = false;
    bool PanZoomUnchecked = false; // trend mode: neither Normal nor Zoom is checked

    bool operator==(const WindowControls &) const = default;
};

WindowControls DeriveWindowControls(const WindowInputs &in);
