// Draws the chart's four pointer pictures (32 x 32, transparent) into the current directory.
// Build once: g++ -std=c++20 -fPIC make_cursors.cpp $(pkg-config --cflags --libs Qt6Gui)
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

QImage Blank()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

void Outline(QPainter &p, const QPainterPath &path)
{
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(path);
}

// An open hand: palm and four fingers, thumb to the left.
QImage Hand()
{
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(8, 13, 15, 14), 5, 5);
    for (int i = 0; i < 4; ++i) {
        path.addRoundedRect(QRectF(8.5 + i * 3.6, 4 + (i == 0 || i == 3 ? 3 : 0), 3.4, 14), 1.7,
                            1.7);
    }
    path.addRoundedRect(QRectF(3, 15, 8, 3.4), 1.7, 1.7);
    Outline(p, path.simplified());
    return image;
}

// A magnifier with its lens at (12, 12); the caller draws the sign inside the lens.
QImage Magnifier(QPainter &p, QImage &image)
{
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 18), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.setPen(QPen(Qt::black, 1.5));
    return image;
}

QImage ZoomWindow()
{
    QImage image = Blank();
    QPainter p;
    Magnifier(p, image);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.drawRect(QRectF(7.5, 8.5, 9, 7));
    return image;
}

QImage ZoomDrag()
{
    QImage image = Blank();
    QPainter p;
    Magnifier(p, image);
    p.drawLine(QPointF(7, 12), QPointF(17, 12));
    p.drawLine(QPointF(12, 7), QPointF(12, 17));
    p.drawLine(QPointF(7, 12), QPointF(9, 10));
    p.drawLine(QPointF(7, 12), QPointF(9, 14));
    p.drawLine(QPointF(17, 12), QPointF(15, 10));
    p.drawLine(QPointF(17, 12), QPointF(15, 14));
    return image;
}

QImage ZoomPosition()
{
    QImage image = Blank();
    QPainter p;
    Magnifier(p, image);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(8, 12), QPointF(16, 12));
    p.drawLine(QPointF(12, 8), QPointF(12, 16));
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    Hand().save("curhand.png");
    ZoomWindow().save("curzoomw.png");
    ZoomDrag().save("curzoomd.png");
    ZoomPosition().save("curzoomp.png");
    return 0;
}
