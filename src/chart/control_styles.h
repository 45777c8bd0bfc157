#pragma once

// Styles shared by the chart's controls (axis, chart, numeric label).

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

enum class TFrameStyle { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };

// Frame colours: csBWG black, grey and white; csSystem the desktop's shadow and highlight.
enum class TColorScheme { csBWG, csSystem };
