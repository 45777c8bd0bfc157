#include "app/window/activity_indicator.h"

#include <QEvent>
#include <QPainter>

namespace {
constexpr int kSegments = 12;
}

TActivityIndicator::TActivityIndicator(QWidget *parent)
    : QWidget(parent)
{
    m_timer.setInterval(kStepMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_phase = (m_phase + 1) % kSegments;
        update();
    });
}

void TActivityIndicator::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (isEnabled())
            m_timer.start();
        else
            m_timer.stop();
        update();
    }
    QWidget::changeEvent(event);
}

void TActivityIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(rect()).center();
    const double outer = std::min(width(), height()) / 2.0 - 1.0;
    painter.translate(centre);
    for (int k = 0; k < kSegments; ++k) {
        // The segment at the current phase is darkest; the others fade behind it.
        const int age = (m_phase - k + kSegments) % kSegments;
        const int shade = isEnabled() ? 60 + age * 15 : 200;
        painter.setPen(QPen(QColor(shade, shade, shade), 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.save();
        painter.rotate(360.0 * k / kSegments);
        painter.drawLine(QPointF(0, -outer * 0.45), QPointF(0, -outer));
        painter.restore();
    }
}
