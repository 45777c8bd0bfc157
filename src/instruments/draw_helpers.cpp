#include "instruments/draw_helpers.h"

#include "platform/number_text.h"
#include "platform/rounding.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cstddef>
#include <cstring>

void DrawTextAligned(QPainter &painter, int x, int y, int anchor, const QString &text)
{
    const QFontMetrics fm = painter.fontMetrics();
    const int w = fm.horizontalAdvance(text);
    const int h = fm.height();
    const int left = (anchor % 3) == 0 ? x : (anchor % 3) == 1 ? x - w / 2 : x - w;
    const int top = (anchor / 3) == 0 ? y : (anchor / 3) == 1 ? y - h / 2 : y - h;
    if (painter.brush().style() == Qt::SolidPattern)
        painter.fillRect(QRect(left, top, w, h), painter.brush().color());
    painter.drawText(left, top + fm.ascent(), text);
}

void DrawTextLines(QPainter &painter, int x, int y, int anchor, const QString &text, int extra)
{
    const QStringList lines = text.split(QLatin1Char('|'));
    const int pitch = painter.fontMetrics().height() + extra;
    const int count = static_cast<int>(lines.size());
    int top = y;
    if (anchor / 3 == 1)
        top = y - (count - 1) * pitch / 2;
    else if (anchor / 3 == 2)
        top = y - (count - 1) * pitch;
    for (int k = 0; k < count; ++k)
        DrawTextAligned(painter, x, top + k * pitch, anchor, lines[k]);
}

QString BuildLabelList(int steps, const QString &format, double top, double bottom)
{
    steps = std::max(steps, 1);
    QString list;
    for (int k = 0; k <= steps; ++k) {
        const double value = bottom + (steps - k) * (top - bottom) / steps;
        list += FormatFloat(format, value);
        list += QLatin1Char(';');
    }
    return list;
}

QSize MeasureLabelList(QPainter &painter, const QString &list)
{
    const QFontMetrics fm = painter.fontMetrics();
    int width = 0;
    QString rest = list;
    while (!rest.isEmpty())
        width = std::max(width, fm.horizontalAdvance(NextToken(rest)));
    return {width, fm.height()};
}

QString NextToken(QString &list, QChar separator)
{
    const qsizetype at = list.indexOf(separator);
    if (at < 0) {
        QString all = list;
        list.clear();
        return all;
    }
    QString token = list.left(at);
    list.remove(0, at + 1);
    return token;
}

namespace {

// Byte offset of pixel x in a 32-bit scan line.
std::ptrdiff_t PixelBytes(int x)
{
    return static_cast<std::ptrdiff_t>(x) * 4;
}

int Component(TColor c, int shift)
{
    return static_cast<int>((c >> shift) & 0xFF);
}

int BlendComponent(int a, int b, int n, int i)
{
    const double v = a + static_cast<double>(Round(static_cast<double>(b - a) / n * i));
    return std::clamp(static_cast<int>(v), 0, 255);
}

} // namespace

TColor BlendColor(TColor c1, TColor c2, int n, int i)
{
    const TColor a = ColorToRGB(c1);
    const TColor b = ColorToRGB(c2);
    if (a == b)
        return c1;
    if (n == 0)
        n = 1;
    return RGBToColor(BlendComponent(Component(a, 0), Component(b, 0), n, i),
                      BlendComponent(Component(a, 8), Component(b, 8), n, i),
                      BlendComponent(Component(a, 16), Component(b, 16), n, i));
}

bool PointInRect(int x, int y, const QRect &rect)
{
    return rect.x() <= x && x < rect.x() + rect.width() && rect.y() <= y
            && y <= rect.y() + rect.height();
}

void CopyBackground(const QImage &canvas, const QRect &rect, QImage &bitmap)
{
    if (bitmap.size() != rect.size() || bitmap.format() != QImage::Format_RGB32)
        bitmap = QImage(rect.size().expandedTo(QSize(0, 0)), QImage::Format_RGB32);
    if (bitmap.isNull())
        return;
    const QRect part = rect & canvas.rect();
    if (part.isEmpty())
        return;
    const QImage source = canvas.format() == QImage::Format_RGB32
            ? canvas
            : canvas.convertToFormat(QImage::Format_RGB32);
    const int dx = part.x() - rect.x();
    const auto bytes = static_cast<std::size_t>(part.width()) * 4;
    for (int row = 0; row < part.height(); ++row) {
        const uchar *from = source.constScanLine(part.y() + row) + PixelBytes(part.x());
        uchar *to = bitmap.scanLine(part.y() - rect.y() + row) + PixelBytes(dx);
        std::memcpy(to, from, bytes);
    }
}

void BlitImage(QImage &target, const QPoint &at, const QImage &source)
{
    const QRect part = QRect(at, source.size()) & target.rect();
    if (part.isEmpty())
        return;
    const QImage from
            = source.format() == target.format() ? source : source.convertToFormat(target.format());
    const int sx = part.x() - at.x();
    const int sy = part.y() - at.y();
    const auto bytes = static_cast<std::size_t>(part.width()) * 4;
    for (int row = 0; row < part.height(); ++row)
        std::memcpy(target.scanLine(part.y() + row) + PixelBytes(part.x()),
                    from.constScanLine(sy + row) + PixelBytes(sx), bytes);
}

QSize TextExtent(QPainter &painter, const QString &text)
{
    const QFontMetrics fm = painter.fontMetrics();
    return {fm.horizontalAdvance(text), fm.height()};
}

void FrameRectangle(QPainter &painter, const QRect &rect, TColor color)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const QColor c = ToQColor(color);
    const int l = rect.x();
    const int t = rect.y();
    const int r = rect.x() + rect.width() - 1;
    const int b = rect.y() + rect.height() - 1;
    painter.fillRect(QRect(l, t, rect.width(), 1), c);
    painter.fillRect(QRect(l, b, rect.width(), 1), c);
    painter.fillRect(QRect(l, t, 1, rect.height()), c);
    painter.fillRect(QRect(r, t, 1, rect.height()), c);
}

void DrawFrame3D(QPainter &painter, const QRect &rect, TColor topLeft, TColor bottomRight)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const int l = rect.x();
    const int t = rect.y();
    const int w = rect.width();
    const int h = rect.height();
    const QColor a = ToQColor(topLeft);
    const QColor b = ToQColor(bottomRight);
    // The top-left colour owns the top-left corner, the bottom-right colour the other three.
    painter.fillRect(QRect(l, t, std::max(w - 1, 1), 1), a);
    painter.fillRect(QRect(l, t, 1, std::max(h - 1, 1)), a);
    if (w > 1)
        painter.fillRect(QRect(l + w - 1, t, 1, h), b);
    if (h > 1)
        painter.fillRect(QRect(l, t + h - 1, w, 1), b);
}

QImage MakeImage(const QSize &size, const QPaintDevice *device)
{
    QImage image(size.expandedTo(QSize(0, 0)), QImage::Format_RGB32);
    if (device && !image.isNull()) {
        image.setDotsPerMeterX(static_cast<int>(Round(device->logicalDpiX() / 0.0254)));
        image.setDotsPerMeterY(static_cast<int>(Round(device->logicalDpiY() / 0.0254)));
    }
    return image;
}
