#include "instruments/trend_pen_mode.h"

QRgb MixPenPixel(TPenMode mode, QRgb pen, QRgb below)
{
    QRgb mixed = below;
    switch (mode) {
    case TPenMode::pmBlack:
        mixed = 0;
        break;
    case TPenMode::pmWhite:
        mixed = ~0u;
        break;
    case TPenMode::pmNop:
        break;
    case TPenMode::pmNot:
        mixed = ~below;
        break;
    case TPenMode::pmCopy:
        mixed = pen;
        break;
    case TPenMode::pmNotCopy:
        mixed = ~pen;
        break;
    case TPenMode::pmMergePenNot:
        mixed = pen | ~below;
        break;
    case TPenMode::pmMaskPenNot:
        mixed = pen & ~below;
        break;
    case TPenMode::pmMergeNotPen:
        mixed = ~pen | below;
        break;
    case TPenMode::pmMaskNotPen:
        mixed = ~pen & below;
        break;
    case TPenMode::pmMerge:
        mixed = pen | below;
        break;
    case TPenMode::pmNotMerge:
        mixed = ~(pen | below);
        break;
    case TPenMode::pmMask:
        mixed = pen & below;
        break;
    case TPenMode::pmNotMask:
        mixed = ~(pen & below);
        break;
    case TPenMode::pmXor:
        mixed = pen ^ below;
        break;
    case TPenMode::pmNotXor:
        mixed = ~(pen ^ below);
        break;
    }
    return mixed | 0xFF000000u;
}
