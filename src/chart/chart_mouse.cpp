#include "chart/rchart.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPixmap>

#include <cmath>
#include <limits>

namespace {

TShiftState ShiftStateOf(const QMouseEvent *event)
{
    TShiftState shift;
    const Qt::KeyboardModifiers keys = event->modifiers();
    const Qt::MouseButtons buttons = event->buttons();
    if (keys & Qt::ShiftModifier) {
        shift.Include(TShiftStateItem::ssShift);
    }
    if (keys & Qt::AltModifier) {
        shift.Include(TShiftStateItem::ssAlt);
    }
    if (keys & Qt::ControlModifier) {
        shift.Include(TShiftStateItem::ssCtrl);
    }
    if (buttons & Qt::LeftButton) {
        shift.Include(TShiftStateItem::ssLeft);
    }
    if (buttons & Qt::RightButton) {
        shift.Include(TShiftStateItem::ssRight);
    }
    if (buttons & Qt::MiddleButton) {
        shift.Include(TShiftStateItem::ssMiddle);
    }
    return shift;
}

TMouseButton ButtonOf(const QMouseEvent *event)
{
    switch (event->button()) {
    case Qt::RightButton:
        return TMouseButton::mbRight;
    case Qt::MiddleButton:
        return TMouseButton::mbMiddle;
    default:
        return TMouseButton::mbLeft;
    }
}

bool IsPan(TMouseActMode action)
{
    return action == TMouseActMode::maPan || action == TMouseActMode::maPanHoriz
            || action == TMouseActMode::maPanVert;
}

bool IsRectangle(TMouseActMode action)
{
    return action == TMouseActMode::maRubberBand || action == TMouseActMode::maZoomWind
            || action == TMouseActMode::maZoomWindPos;
}

} // namespace

QCursor TCustomRChart::Pointer(int index)
{
    static const struct
    {
        const char *file;
        int hotX;
        int hotY;
    } pointers[] = {{":/cursors/curhand.png", 13, 5},
                    {":/cursors/curzoomw.png", 12, 12},
                    {":/cursors/curzoomd.png", 12, 12},
                    {":/cursors/curzoomp.png", 12, 12}};
    if (index < 1 || index > 4) {
        return QCursor(Qt::ArrowCursor);
    }
    const auto &p = pointers[index - 1];
    return QCursor(QPixmap(QString::fromLatin1(p.file)), p.hotX, p.hotY);
}

bool TCustomRChart::MouseAffectsLayer(int layer) const
{
    return layer >= 1 && layer <= LayerCount && m_mouseAffectsLayer[static_cast<size_t>(layer - 1)];
}

void TCustomRChart::SetMouseAffectsLayer(int layer, bool enabled)
{
    if (layer >= 1 && layer <= LayerCount) {
        m_mouseAffectsLayer[static_cast<size_t>(layer - 1)] = enabled;
    }
}

void TCustomRChart::mouseMoveEvent(QMouseEvent *event)
{
    SyncSize();
    const QPoint pos = event->position().toPoint();
    const int x = pos.x();
    const int y = pos.y();
    const TShiftState shift = ShiftStateOf(event);
    if (OnMouseMove) {
        OnMouseMove(this, shift, x, y);
    }
    const bool left = event->buttons() & Qt::LeftButton;
    const TMouseActMode action = m_mouseAction;
    if (IsPan(action) || action == TMouseActMode::maZoomDrag) {
        if (!left) {
            m_dragStarted = false;
        } else {
            if (!m_dragStarted) {
                m_dragStart = pos;
                for (int layer = 1; layer <= LayerCount; ++layer) {
                    m_startRanges[static_cast<size_t>(layer - 1)]
                            = {ScaleX(layer).RangeLow(), ScaleX(layer).RangeHigh(),
                               ScaleY(layer).RangeLow(), ScaleY(layer).RangeHigh()};
                }
            } else if (InPlotArea(x, y)) {
                DragRanges(x, y);
            }
            m_dragStarted = true;
        }
    } else if (IsRectangle(action) && m_rectDragging) {
        m_rectEnd = QPoint(std::clamp(x, MarginLeft(), Width() - MarginRight() - ShadowWidth()),
                           std::clamp(y, MarginTop(), Height() - MarginBottom() - ShadowWidth()));
        update();
    } else if (action == TMouseActMode::maDragCrossH) {
        if (!left) {
            m_grabbedCrossHair = 0;
        } else {
            DragCrossHair(x, y);
        }
    }
    UpdatePointer(x, y);
    if (OnMouseMoveInChart) {
        double ux = 0;
        double uy = 0;
        PixelToUser(ActiveLayer(), x, y, ux, uy);
        OnMouseMoveInChart(this, InPlotArea(x, y), shift, ux, uy);
    }
}

void TCustomRChart::RunWithPaintSuppressed(const std::function<void()> &change)
{
    const bool before = PaintSuppressed();
    m_model.SuppressPaint(true);
    try {
        change();
    } catch (...) {
        m_model.SuppressPaint(before);
        throw;
    }
    m_model.SuppressPaint(before);
}

void TCustomRChart::DragRanges(int x, int y)
{
    RunWithPaintSuppressed([&] {
        for (int layer = 1; layer <= LayerCount; ++layer) {
            if (!MouseAffectsLayer(layer)) {
                continue;
            }
            if (m_mouseAction == TMouseActMode::maZoomDrag) {
                ZoomLayer(layer, x, y);
            } else {
                PanLayer(layer, x, y);
            }
        }
    });
    if (OnZoomPan) {
        OnZoomPan(this);
    }
}

void TCustomRChart::PanLayer(int layer, int x, int y)
{
    const auto &start = m_startRanges[static_cast<size_t>(layer - 1)];
    const TScaleProps &sx = ScaleX(layer);
    const TScaleProps &sy = ScaleY(layer);
    double xLow = sx.RangeLow();
    double xHigh = sx.RangeHigh();
    double yLow = sy.RangeLow();
    double yHigh = sy.RangeHigh();
    const double pw = PlotWidth();
    const double ph = PlotHeight();
    const int dx = x - m_dragStart.x();
    const int dy = y - m_dragStart.y();
    if (m_mouseAction != TMouseActMode::maPanVert) {
        if (sx.Logarithmic()) {
            const double f = std::exp(std::log(xHigh / xLow) * -dx / pw);
            xLow = start[0] * f;
            xHigh = start[1] * f;
        } else {
            const double r = (xHigh - xLow) * dx / pw;
            xLow = start[0] - r;
            xHigh = start[1] - r;
        }
    }
    if (m_mouseAction != TMouseActMode::maPanHoriz) {
        if (sy.Logarithmic()) {
            const double f = std::exp(std::log(yHigh / yLow) * dy / ph);
            yLow = start[2] * f;
            yHigh = start[3] * f;
        } else {
            const double s = (yHigh - yLow) * dy / ph;
            yLow = start[2] + s;
            yHigh = start[3] + s;
        }
    }
    m_model.ApplyLayerRange(layer, xLow, yLow, xHigh, yHigh);
}

void TCustomRChart::ZoomLayer(int layer, int x, int y)
{
    const auto &start = m_startRanges[static_cast<size_t>(layer - 1)];
    const double fx = 1 - static_cast<double>(x - m_dragStart.x()) / Width();
    const double fy = Isometric() ? fx : 1 + static_cast<double>(y - m_dragStart.y()) / Height();
    const double hx = (start[1] - start[0]) * fx / 2;
    const double hy = (start[3] - start[2]) * fy / 2;
    const double mx = (start[1] + start[0]) / 2;
    const double my = (start[3] + start[2]) / 2;
    m_model.ApplyLayerRange(layer, mx - hx, my - hy, mx + hx, my + hy);
}

int TCustomRChart::NearestCrossHair(int x, int y) const
{
    int best = 1;
    double bestDistance = std::numeric_limits<double>::max();
    for (int i = 1; i <= 4; ++i) {
        const TCrossHair &c = *m_crossHairs[static_cast<size_t>(i - 1)];
        const TCrossHMode mode = c.Mode();
        const QPoint p = UserToPixel(c.Layer(), c.PosX(), c.PosY());
        double distance = 0;
        bool measured = false;
        if (mode == TCrossHMode::chVert || mode == TCrossHMode::chBoth) {
            distance += std::pow(p.x() - x, 2.0);
            measured = true;
        }
        if (mode == TCrossHMode::chHoriz || mode == TCrossHMode::chBoth) {
            distance += std::pow(p.y() - y, 2.0);
            measured = true;
        }
        if (measured && distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

void TCustomRChart::DragCrossHair(int x, int y)
{
    if (m_grabbedCrossHair == 0) {
        m_grabbedCrossHair = NearestCrossHair(x, y);
        return;
    }
    TCrossHair &crossHair = CrossHair(m_grabbedCrossHair);
    double ux = 0;
    double uy = 0;
    PixelToUser(crossHair.Layer(), x, y, ux, uy);
    crossHair.MoveTo(ux, uy);
    Paint();
    if (OnCrossHairMove) {
        OnCrossHairMove(this, &crossHair);
    }
}

void TCustomRChart::mousePressEvent(QMouseEvent *event)
{
    if (m_doubleClicked) {
        m_doubleClicked = false;
        return;
    }
    SyncSize();
    const QPoint pos = event->position().toPoint();
    if (OnMouseDown) {
        OnMouseDown(this, ButtonOf(event), ShiftStateOf(event), pos.x(), pos.y());
    }
    if (IsRectangle(m_mouseAction) && !m_rectDragging && event->button() == Qt::LeftButton
        && InPlotArea(pos.x(), pos.y())) {
        m_rectDragging = true;
        m_rectStart = m_rectEnd = pos;
    }
}

void TCustomRChart::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_doubleClicked) {
        m_doubleClicked = false;
        return;
    }
    const QPoint pos = event->position().toPoint();
    const TMouseButton button = ButtonOf(event);
    if (OnMouseUp) {
        OnMouseUp(this, button, ShiftStateOf(event), pos.x(), pos.y());
    }
    if (IsRectangle(m_mouseAction) && m_rectDragging) {
        m_rectDragging = false;
        update(); // erases the rectangle
        FinishRectangle(button);
    }
}

void TCustomRChart::FinishRectangle(TMouseButton button)
{
    if (button != TMouseButton::mbLeft || m_rectStart.x() == m_rectEnd.x()
        || m_rectStart.y() == m_rectEnd.y()) {
        return;
    }
    const TMouseActMode action = m_mouseAction;
    RunWithPaintSuppressed([&] {
        for (int layer = 1; layer <= LayerCount; ++layer) {
            if (!MouseAffectsLayer(layer)) {
                continue;
            }
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            PixelToUser(layer, m_rectStart.x(), m_rectStart.y(), x1, y1);
            PixelToUser(layer, m_rectEnd.x(), m_rectEnd.y(), x2, y2);
            if (action != TMouseActMode::maZoomWind) {
                // Keep each axis's direction.
                const auto order = [](double &lo, double &hi, double rangeLow, double rangeHigh) {
                    if ((lo > hi) != (rangeLow > rangeHigh)) {
                        std::swap(lo, hi);
                    }
                };
                order(x1, x2, ScaleX(layer).RangeLow(), ScaleX(layer).RangeHigh());
                order(y1, y2, ScaleY(layer).RangeLow(), ScaleY(layer).RangeHigh());
            }
            if (action == TMouseActMode::maRubberBand) {
                if (OnRubberBand) {
                    OnRubberBand(this, layer, x1, y1, x2, y2);
                }
            } else {
                m_model.ApplyLayerRange(layer, x1, y1, x2, y2);
            }
        }
        if (OnZoomPan) {
            OnZoomPan(this);
        }
    });
}

void TCustomRChart::mouseDoubleClickEvent(QMouseEvent *)
{
    m_doubleClicked = true;
    if (OnDblClick) {
        OnDblClick(this);
    }
}

void TCustomRChart::enterEvent(QEnterEvent *)
{
    if (OnMouseEnter) {
        OnMouseEnter(this);
    }
}

void TCustomRChart::leaveEvent(QEvent *)
{
    ResetPointer();
    if (OnMouseLeave) {
        OnMouseLeave(this);
    }
}

void TCustomRChart::UpdatePointer(int x, int y)
{
    if (!InPlotArea(x, y) || m_mouseCursorFixed) {
        ResetPointer();
        return;
    }
    QCursor pointer;
    switch (m_mouseAction) {
    case TMouseActMode::maNone:
        pointer = QCursor(Qt::CrossCursor);
        break;
    case TMouseActMode::maPan:
    case TMouseActMode::maPanHoriz:
    case TMouseActMode::maPanVert:
        pointer = m_pointers[0];
        break;
    case TMouseActMode::maZoomWind:
        pointer = m_pointers[1];
        break;
    case TMouseActMode::maZoomDrag:
        pointer = m_pointers[2];
        break;
    case TMouseActMode::maZoomWindPos:
        pointer = m_pointers[3];
        break;
    case TMouseActMode::maRubberBand:
    case TMouseActMode::maDragCrossH:
    case TMouseActMode::maDragLabel:
        ResetPointer();
        return;
    default:
        return; // zoom and rotation leave the pointer as it is
    }
    if (m_pointerOverridden) {
        QGuiApplication::changeOverrideCursor(pointer);
    } else {
        QGuiApplication::setOverrideCursor(pointer);
        m_pointerOverridden = true;
    }
}

void TCustomRChart::ResetPointer()
{
    if (m_pointerOverridden) {
        QGuiApplication::restoreOverrideCursor();
        m_pointerOverridden = false;
    }
}
