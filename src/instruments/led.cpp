#include "instruments/led.h"

#include "instruments/draw_helpers.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

void TLED::SetWidth(int v)
{
    if (v < 4 || v > 80)
        return;
    SetField(m_values.Width, v);
}

void TLED::SetHeight(int v)
{
    if (v < 4 || v > 80)
        return;
    SetField(m_values.Height, v);
}

void TLED::Assign(const TLED &source)
{
    m_values = source.m_values;
    Changed();
}

QSize TLED::BoxSize() const
{
    if (m_values.Shape == TLEDShape::sRound) {
        const int side = std::max(m_values.Width, m_values.Height);
        return {side, side};
    }
    return {m_values.Width, m_values.Height};
}

namespace {

QPolygon ShapeOutline(TLEDShape shape, const QRect &box)
{
    const int l = box.x();
    const int t = box.y();
    const int r = box.x() + box.width() - 1;
    const int b = box.y() + box.height() - 1;
    const int cx = l + (box.width() - 1) / 2;
    const int cy = t + (box.height() - 1) / 2;
    switch (shape) {
    case TLEDShape::sArrowLeft:
        return QPolygon({QPoint(l, cy), QPoint(r, t), QPoint(r, b)});
    case TLEDShape::sArrowRight:
        return QPolygon({QPoint(r, cy), QPoint(l, t), QPoint(l, b)});
    case TLEDShape::sArrowUp:
        return QPolygon({QPoint(cx, t), QPoint(r, b), QPoint(l, b)});
    case TLEDShape::sArrowDown:
        return QPolygon({QPoint(cx, b), QPoint(l, t), QPoint(r, t)});
    case TLEDShape::sDiamondLeft:
        return QPolygon({QPoint(l, cy), QPoint(cx, t), QPoint(r, cy), QPoint(cx, b)});
    case TLEDShape::sDiamondRight:
        return QPolygon({QPoint(r, cy), QPoint(cx, t), QPoint(l, cy), QPoint(cx, b)});
    default:
        return {};
    }
}

} // namespace

void TLED::Draw(QPainter &painter, const QRect &box, bool on) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(ToQColor(clBtnShadow), 1));
    painter.setBrush(ToQColor(on ? m_values.ColorOn : m_values.ColorOff));
    const QRect outline(box.x(), box.y(), box.width() - 1, box.height() - 1);
    switch (m_values.Shape) {
    case TLEDShape::sRound: {
        painter.drawEllipse(outline);
        const int inset = box.width() / 5;
        const int penWidth = std::max(box.width() / 8, 1);
        painter.setPen(QPen(ToQColor(clBtnHighlight), penWidth));
        painter.setBrush(Qt::NoBrush);
        // A highlight on the upper left: from the top centre to the middle of the left edge.
        painter.drawArc(outline.adjusted(inset, inset, -inset, -inset), 90 * 16, 90 * 16);
        break;
    }
    case TLEDShape::sRectangle:
        painter.drawRoundedRect(outline, 1, 1);
        break;
    default:
        painter.drawPolygon(ShapeOutline(m_values.Shape, box));
        break;
    }
    painter.restore();
}

TAbLED::TAbLED(QWidget *parent)
    : TAbBinGControl(parent)
{
    resize(73, 33);
    m_led.OnChange = [this](TAbPersistent *) { Refresh(); };
}

void TAbLED::SetLED_Position(TLEDPos v)
{
    m_position = v;
    Refresh();
}

void TAbLED::SetSpacing(int v)
{
    m_spacing = v;
    Refresh();
}

QString TAbLED::Caption() const
{
    return m_captionSet ? m_caption : objectName();
}

void TAbLED::SetCaption(const QString &caption)
{
    m_captionSet = true;
    if (caption == m_caption)
        return;
    m_caption = caption;
    Refresh();
}

QRect TAbLED::LampRect() const
{
    const QSize box = m_led.BoxSize();
    const int w = box.width();
    const int h = box.height();
    const int W = width();
    const int H = height();
    switch (m_position) {
    case TLEDPos::lpLeft:
        return {0, H / 2 - h / 2, w, h};
    case TLEDPos::lpRight:
        return {W - w, H / 2 - h / 2, w, h};
    case TLEDPos::lpTop:
        return {W / 2 - w / 2, 0, w, h};
    case TLEDPos::lpBottom:
        return {W / 2 - w / 2, H - h, w, h};
    }
    return {};
}

void TAbLED::Refresh()
{
    m_frameDirty = true;
    update();
}

void TAbLED::PaintCaption(QPainter &painter, const QRect &lamp) const
{
    painter.setFont(font());
    // Always the active colour: the LEDs sit in a disabled, display-only group.
    painter.setPen(palette().color(QPalette::Active, QPalette::WindowText));
    painter.setBrush(Qt::NoBrush);
    const int W = width();
    const int H = height();
    const QString caption = Caption();
    switch (m_position) {
    case TLEDPos::lpLeft:
        DrawTextLines(painter, lamp.x() + lamp.width() + m_spacing, H / 2, 3, caption, 0);
        break;
    case TLEDPos::lpRight:
        DrawTextLines(painter, lamp.x() - m_spacing, H / 2, 5, caption, 0);
        break;
    case TLEDPos::lpTop:
        DrawTextLines(painter, W / 2, lamp.y() + lamp.height() + m_spacing, 1, caption, 0);
        break;
    case TLEDPos::lpBottom:
        DrawTextLines(painter, W / 2, lamp.y() - m_spacing, 7, caption, 0);
        break;
    }
}

void TAbLED::EnsureFrame()
{
    if (!m_frameDirty || m_painting)
        return;
    m_painting = true;
    m_frameDirty = false;
    m_frame = MakeImage(size(), this);
    if (!m_frame.isNull()) {
        m_frame.fill(palette().color(QPalette::Window));
        const QRect lamp = LampRect();
        {
            QPainter painter(&m_frame);
            PaintCaption(painter, lamp);
        }
        CopyBackground(m_frame, lamp, m_lampOn);
        m_lampOff = m_lampOn;
        for (const bool on : {true, false}) {
            QPainter painter(on ? &m_lampOn : &m_lampOff);
            m_led.Draw(painter, QRect(QPoint(0, 0), lamp.size()), on);
        }
        BlitImage(m_frame, lamp.topLeft(), Checked() ? m_lampOn : m_lampOff);
    }
    m_painting = false;
}

void TAbLED::DrawLamp(bool on)
{
    if (m_frameDirty || m_frame.isNull())
        return; // the pending full repaint draws it
    const QRect lamp = LampRect();
    BlitImage(m_frame, lamp.topLeft(), on ? m_lampOn : m_lampOff);
    update(lamp);
}

void TAbLED::ShowStatus()
{
    DrawLamp(Checked());
}

void TAbLED::FlashTick(bool on)
{
    DrawLamp(on);
}

void TAbLED::paintEvent(QPaintEvent *event)
{
    EnsureFrame();
    if (m_frame.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(event->rect(), m_frame, event->rect());
}

void TAbLED::resizeEvent(QResizeEvent *)
{
    Refresh();
}

void TAbLED::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        Refresh();
    QWidget::changeEvent(event);
}
