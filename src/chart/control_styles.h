#pragma once

#include "platform/drawing_types.h"

// Frame styles shared by the chart's controls (axis, numeric label).

enum class TFrameStyle { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };

// Frame colours: csBWG black, grey and white; csSystem the desktop's shadow and highlight.
enum class TColorScheme { csBWG, csSystem };
