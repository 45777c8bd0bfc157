#include "app/window/channel_legend.h"

#include "platform/number_text.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int kPad = 4;
constexpr int kSwatch = 14;
} // namespace

ChannelLegend::ChannelLegend(QWidget &display, Qt::Corner corner)
    : QWidget(&display)
    , m_corner(corner)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    display.installEventFilter(this);
    hide();
}

void ChannelLegend::SetEntries(std::vector<Entry> entries)
{
    if (entries == m_entries)
        return;
    m_entries = std::move(entries);
    setVisible(!m_entries.empty());
    Place();
    update();
}

void ChannelLegend::SetPlotCorner(int marginSide, int marginTop)
{
    m_marginSide = marginSide;
    m_marginTop = marginTop;
    Place();
}

QString ChannelLegend::RowText(const Entry &entry) const
{
    if (!entry.Value)
        return entry.Name;
    return entry.Name + QStringLiteral("  ") + FloatToStrFixed(*entry.Value, 7, 4);
}

void ChannelLegend::FollowPlot(std::function<QRect()> plot)
{
    m_plot = std::move(plot);
    Place();
}

// The box grows with its longest row, so the values do not make it jump while the cursor moves
// less than the widest value it may show.
void ChannelLegend::Place()
{
    if (m_plot) {
        m_plotFollowed = m_plot();
        m_marginSide = m_corner == Qt::TopLeftCorner
                ? m_plotFollowed.left()
                : parentWidget()->width() - 1 - m_plotFollowed.right();
        m_marginTop = m_plotFollowed.top();
    }
    const QFontMetrics metrics(font());
    int width = 0;
    for (const Entry &entry : m_entries) {
        Entry widest = entry;
        widest.Value = -8888.8888;
        width = std::max({width, metrics.horizontalAdvance(RowText(entry)),
                          metrics.horizontalAdvance(RowText(widest))});
    }
    const int rowHeight = metrics.height();
    const QSize size(width + kSwatch + 3 * kPad, int(m_entries.size()) * rowHeight + 2 * kPad);
    const int x = m_corner == Qt::TopLeftCorner
            ? m_marginSide + kPad
            : parentWidget()->width() - m_marginSide - size.width() - kPad;
    setGeometry(QRect(QPoint(x, m_marginTop + kPad), size));
}

void ChannelLegend::paintEvent(QPaintEvent *)
{
    // The display has painted before its children: its plot is up to date.
    if (m_plot && m_plot() != m_plotFollowed)
        QMetaObject::invokeMethod(this, &ChannelLegend::Place, Qt::QueuedConnection);
    QPainter painter(this);
    painter.setPen(QColor(Qt::darkGray));
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QFontMetrics metrics(font());
    int y = kPad;
    for (const Entry &entry : m_entries) {
        const int mid = y + metrics.height() / 2;
        painter.setPen(QPen(ToQColor(entry.Color), 3));
        painter.drawLine(kPad, mid, kPad + kSwatch, mid);
        painter.setPen(QColor(Qt::black));
        painter.drawText(QRect(2 * kPad + kSwatch, y, width(), metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, RowText(entry));
        y += metrics.height();
    }
}

bool ChannelLegend::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        Place();
    return QWidget::eventFilter(watched, event);
}
