#include "instruments/trend_pen_mode.h"

bool ApplyPenMode(QPainter &painter, TPenMode mode)
{
    QPainter::CompositionMode composition = QPainter::CompositionMode_SourceOver;
    switch (mode) {
    case TPenMode::pmBlack:
        composition = QPainter::RasterOp_ClearDestination;
        break;
    case TPenMode::pmWhite:
        composition = QPainter::RasterOp_SetDestination;
        break;
    case TPenMode::pmNop:
        return false;
    case TPenMode::pmNot:
        composition = QPainter::RasterOp_NotDestination;
        break;
    case TPenMode::pmCopy:
        composition = QPainter::CompositionMode_Source;
        break;
    case TPenMode::pmNotCopy:
        composition = QPainter::RasterOp_NotSource;
        break;
    case TPenMode::pmMergePenNot:
        composition = QPainter::RasterOp_SourceOrNotDestination;
        break;
    case TPenMode::pmMaskPenNot:
        composition = QPainter::RasterOp_SourceAndNotDestination;
        break;
    case TPenMode::pmMergeNotPen:
        composition = QPainter::RasterOp_NotSourceOrDestination;
        break;
    case TPenMode::pmMaskNotPen:
        composition = QPainter::RasterOp_NotSourceAndDestination;
        break;
    case TPenMode::pmMerge:
        composition = QPainter::RasterOp_SourceOrDestination;
        break;
    case TPenMode::pmNotMerge:
        composition = QPainter::RasterOp_NotSourceAndNotDestination;
        break;
    case TPenMode::pmMask:
        composition = QPainter::RasterOp_SourceAndDestination;
        break;
    case TPenMode::pmNotMask:
        composition = QPainter::RasterOp_NotSourceOrNotDestination;
        break;
    case TPenMode::pmXor:
        composition = QPainter::RasterOp_SourceXorDestination;
        break;
    case TPenMode::pmNotXor:
        composition = QPainter::RasterOp_NotSourceXorDestination;
        break;
    }
    painter.setCompositionMode(composition);
    return true;
}
