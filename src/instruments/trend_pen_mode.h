#pragma once

#include <QRgb>

// Mix modes of a pen: how the pen's colour combines with the pixels below.
enum class TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

// The opaque pixel a pen of colour pen leaves on the pixel below in the given mode
// (pmNotMask: NOT (below AND pen)).
QRgb MixPenPixel(TPenMode mode, QRgb pen, QRgb below);
