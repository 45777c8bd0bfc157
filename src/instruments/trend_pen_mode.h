#pragma once

#include <QPainter>

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

// Sets the painter's composition to the mode's raster operation. Returns false for pmNop,
// which draws nothing.
bool ApplyPenMode(QPainter &painter, TPenMode mode);
