#pragma once

#include <QRect>
#include <QSize>

// The smallest main window whose controls all show, the settings pages scrolled where needed:
// small enough for 960 x 540, what 1920 x 1080 at 200 % leaves.
inline constexpr QSize kMinimumWindowSize {920, 460};

// Where a window goes on a screen whose free area is `free`: its client size `wanted` where the
// screen has room for it, less where not (never below `minimum`), its frame (client plus
// `frameExtra`) centred in the free area, but with the top left corner, title bar and menu, on
// the screen when the frame is larger. Returns the frame's rectangle.
QRect FittedWindowFrame(const QRect &free, QSize wanted, QSize minimum, QSize frameExtra);
