#include "chart/axis_scale.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QStringList>

#include <algorithm>

// Drawing of TScale: maps the planned ticks to pixels and draws line, ticks, labels and caption.
// Lines end one pixel short of their end point, like the pen moves the ticks were measured with.

namespace {

// Direction from the base line towards the labels.
int Outwards(TScaleType type)
{
    return (type == TScaleType::sctXT || type == TScaleType::sctYL) ? 1 : -1;
}

void DrawTick(QPainter &painter, bool horizontal, int pos, int baseLine, int length, int dir)
{
    const int end = baseLine + dir * (length - 1);
    if (horizontal)
        painter.drawLine(pos, baseLine, pos, end);
    else
        painter.drawLine(baseLine, pos, end, pos);
}

} // namespace

TTickInput TScale::TickInput()
{
    TTickInput input;
    input.Low = m_axis.RangeLow;
    input.High = m_axis.RangeHigh;
    input.Horizontal = Horizontal();
    input.Logarithmic = m_axis.Logarithmic;
    input.MinTicks = m_axis.MinTicks;
    input.ShortTicks = m_axis.ShortTicks;
    input.DecPlaces = m_axis.DecPlaces;
    input.LabelType = m_axis.LabelType;
    input.UserTickText = m_axis.UserTickText;
    input.ScaleInscript = m_axis.ScaleInscript;
    input.DateFormat = m_axis.DateFormat;
    return input;
}

int TScale::BaseLine() const
{
    switch (m_scaleType) {
    case TScaleType::sctXB:
        return m_height - m_marginBottom - 1;
    case TScaleType::sctXT:
        return m_marginTop;
    case TScaleType::sctYL:
        return m_marginLeft;
    case TScaleType::sctYR:
    default:
        return m_width - m_marginRight - 1;
    }
}

void TScale::LimitMinTicks()
{
    // Horizontal axes keep between 2 and 20 major intervals (0 asks for unit steps).
    if (Horizontal() && m_axis.MinTicks != 0)
        m_axis.MinTicks = std::clamp(m_axis.MinTicks, 2, 20);
}

void TScale::UpdateTicks()
{
    LimitMinTicks();
    m_tickList.clear();
    if (m_axis.RangeLow == m_axis.RangeHigh)
        return;
    m_tickList = PlanTicks(TickInput()).TickList;
}

void TScale::DrawOn(QPainter &painter, std::optional<TColor> ink)
{
    if (!m_axis.Visible) {
        UpdateTicks();
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(ToQFont(m_axis.Font));
    if (OnBeforeScaleRendered)
        OnBeforeScaleRendered(this, &painter);
    const Ink colours = ink ? Ink {ToQColor(*ink), ToQColor(*ink)}
                            : Ink {ToQColor(m_axis.ColorScale), ToQColor(m_axis.Font.Color)};
    painter.setPen(colours.Line);
    if (m_transparent)
        painter.setBrush(Qt::NoBrush);
    else
        painter.setBrush(ToQColor(m_colorBackGnd));
    const int baseLine = BaseLine();
    LimitMinTicks();
    m_tickList.clear();
    if (m_axis.RangeLow != m_axis.RangeHigh) {
        const TTickPlan plan = PlanTicks(TickInput());
        m_tickList = plan.TickList;
        if (!plan.Message.isEmpty())
            DrawCentredMessage(painter, plan.Message, baseLine, colours);
        else
            DrawTicks(painter, plan, baseLine, colours);
    }
    DrawCaption(painter, baseLine, colours);
    if (m_showBaseLine) {
        painter.setPen(colours.Line);
        if (Horizontal())
            painter.drawLine(m_marginLeft, baseLine, m_width - m_marginRight - 1, baseLine);
        else
            painter.drawLine(baseLine, m_marginTop, baseLine, m_height - m_marginBottom - 1);
    }
    if (OnAfterScaleRendered)
        OnAfterScaleRendered(this, &painter);
    painter.restore();
}

void TScale::DrawTicks(QPainter &painter, const TTickPlan &plan, int baseLine, const Ink &ink)
{
    const bool horizontal = Horizontal();
    const int dir = Outwards(m_scaleType);
    for (const TTickMark &mark : plan.Marks) {
        const int pos = ValueToPixel(mark.Value);
        painter.setPen(ink.Line);
        DrawTick(painter, horizontal, pos, baseLine, mark.Major ? (horizontal ? 7 : 6) : 4, dir);
        if (mark.HasLabel) {
            QString text = mark.Label;
            if (OnBeforeTickLabel)
                OnBeforeTickLabel(this, m_scaleType, mark.Value, text);
            DrawLabel(painter, text, pos, baseLine, ink);
        }
        if (OnScaleTickDrawn) {
            const int x = horizontal ? pos : baseLine;
            const int y = horizontal ? baseLine : pos;
            OnScaleTickDrawn(this, &painter, m_scaleType, mark.Value, x, y);
        }
    }
}

void TScale::DrawLabel(QPainter &painter, const QString &text, int pos, int baseLine,
                       const Ink &ink)
{
    if (text.isEmpty())
        return;
    const QFontMetrics metrics(painter.font());
    const QStringList lines = text.split(QLatin1Char('\n'));
    int textWidth = 0;
    for (const QString &line : lines)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    const int textHeight = metrics.height() * static_cast<int>(lines.size());
    int left = 0;
    int top = 0;
    if (Horizontal()) {
        const int w = textWidth / 2;
        left = pos + w < m_width - 2 ? pos - std::min(pos - 2, w) : m_width - 2 * w - 2;
        top = m_scaleType == TScaleType::sctXT ? baseLine + 7 : baseLine - textHeight - 7;
    } else {
        top = pos - metrics.height() / 2;
        left = m_scaleType == TScaleType::sctYL ? baseLine + 8 : baseLine - textWidth - 8;
    }
    painter.setPen(ink.Text);
    const int align = Horizontal()
            ? Qt::AlignHCenter
            : (m_scaleType == TScaleType::sctYL ? Qt::AlignLeft : Qt::AlignRight);
    painter.drawText(QRect(left, top, textWidth, textHeight),
                     align | Qt::AlignTop | Qt::TextDontClip, text);
}

void TScale::DrawCaption(QPainter &painter, int baseLine, const Ink &ink)
{
    if (m_axis.Caption.isEmpty())
        return;
    int x = 0;
    int y = 0;
    if (Horizontal()) {
        const int anchors[]
                = {m_marginLeft, m_marginLeft + (m_width - m_marginLeft - m_marginRight) / 2,
                   m_width - m_marginRight};
        x = m_axis.CaptionPosX + anchors[static_cast<int>(m_axis.CaptionAnchor)];
        y = baseLine + m_axis.CaptionPosY;
    } else {
        const int anchors[]
                = {m_marginTop, m_marginTop + (m_height - m_marginTop - m_marginBottom) / 2,
                   m_height - m_marginBottom};
        x = baseLine + m_axis.CaptionPosX;
        y = m_axis.CaptionPosY + anchors[static_cast<int>(m_axis.CaptionAnchor)];
    }
    const QFontMetrics metrics(painter.font());
    const int textWidth = metrics.horizontalAdvance(m_axis.Caption);
    if (m_axis.CaptionAlignment == TAlignment::taRightJustify)
        x -= textWidth;
    else if (m_axis.CaptionAlignment == TAlignment::taCenter)
        x -= textWidth / 2;
    painter.setPen(ink.Text);
    painter.drawText(QRect(x, y, textWidth, metrics.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, m_axis.Caption);
}

void TScale::DrawCentredMessage(QPainter &painter, const QString &text, int baseLine,
                                const Ink &ink)
{
    const QFontMetrics metrics(painter.font());
    const int textWidth = metrics.horizontalAdvance(text);
    const int textHeight = metrics.height();
    int left = 0;
    int top = 0;
    const int dir = Outwards(m_scaleType);
    if (Horizontal()) {
        left = m_marginLeft + (m_width - m_marginLeft - m_marginRight - textWidth) / 2;
        top = dir > 0 ? baseLine + 7 : baseLine - textHeight - 7;
    } else {
        top = m_marginTop + (m_height - m_marginTop - m_marginBottom - textHeight) / 2;
        left = dir > 0 ? baseLine + 8 : baseLine - textWidth - 8;
    }
    painter.setPen(ink.Text);
    painter.drawText(QRect(left, top, textWidth, textHeight),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void TScale::DrawBackground(QPainter &painter)
{
    const QRect area(0, 0, m_width, m_height);
    painter.fillRect(area, ToQColor(m_colorBackGnd));
    const bool system = m_colorScheme == TColorScheme::csSystem;
    const QColor dark = system ? ToQColor(clBtnShadow) : QColor(Qt::darkGray);
    const QColor light = system ? ToQColor(clBtnHighlight) : QColor(Qt::white);
    auto frame = [&](const QRect &r, const QColor &topLeft, const QColor &bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    const QRect outer = area.adjusted(0, 0, -1, -1);
    switch (m_frameStyle) {
    case TFrameStyle::fsNone:
        break;
    case TFrameStyle::fsSimple:
        frame(outer, Qt::black, Qt::black);
        break;
    case TFrameStyle::fsLowered:
        frame(outer, dark, light);
        break;
    case TFrameStyle::fsRaised:
        frame(outer, light, dark);
        break;
    case TFrameStyle::fsEmbossed:
        frame(outer, light, dark);
        frame(outer.adjusted(1, 1, -1, -1), dark, light);
        break;
    case TFrameStyle::fsEngraved:
        frame(outer, dark, light);
        frame(outer.adjusted(1, 1, -1, -1), light, dark);
        break;
    }
}

void TScale::DrawControlImage()
{
    m_image = QImage(std::max(m_width, 1), std::max(m_height, 1), QImage::Format_RGB32);
    m_image.fill(ToQColor(m_colorBackGnd));
    QPainter painter(&m_image);
    if (!m_transparent)
        DrawBackground(painter);
    DrawOn(painter);
}

void TScale::paintEvent(QPaintEvent *)
{
    if (m_image.size() != QSize(std::max(m_width, 1), std::max(m_height, 1)))
        DrawControlImage();
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}
