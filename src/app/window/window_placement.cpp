#include "app/window/window_placement.h"

#include <algorithm>

QRect FittedWindowFrame(const QRect &free, QSize wanted, QSize minimum, QSize frameExtra)
{
    const QSize room = (free.size() - frameExtra).expandedTo(minimum);
    QRect frame(QPoint(), wanted.boundedTo(room).expandedTo(minimum) + frameExtra);
    frame.moveCenter(free.center());
    frame.moveTopLeft(
            QPoint(std::max(frame.left(), free.left()), std::max(frame.top(), free.top())));
    return frame;
}
