#include "chart/num_lab.h"

#include "platform/store_if_changed.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// Text rows are centred with the font's full cell height, whatever characters they hold.
int RowHeight(const QFontMetrics &metrics)
{
    return metrics.height();
}

void DrawTextAt(QPainter &painter, int x, int top, const QString &text)
{
    painter.drawText(x, top + painter.fontMetrics().ascent(), text);
}

} // namespace

TNumLab::TNumLab(QWidget *parent)
    : QWidget(parent)
{
    resize(160, 28);
    Redraw();
}

template<typename T>
void TNumLab::Change(T &field, const T &value)
{
    if (StoreIfChanged(field, value)) {
        Redraw();
    }
}

void TNumLab::SetValue(double value)
{
    Change(m_value, value);
}
void TNumLab::SetDisplayType(TDisplay value)
{
    Change(m_format.DisplayType, value);
}
void TNumLab::SetPrecision(int value)
{
    if (value >= 0) {
        Change(m_format.Precision, std::min(value, 15));
    }
}
void TNumLab::SetEmpty(bool value)
{
    Change(m_empty, value);
}
void TNumLab::SetComma(bool value)
{
    Change(m_format.Comma, value);
}
void TNumLab::SetForcePlusSign(bool value)
{
    Change(m_format.ForcePlusSign, value);
}
void TNumLab::SetOverflowIndicator(const QString &value)
{
    Change(m_format.OverflowIndicator, value);
}
void TNumLab::SetStateText(const QString &value)
{
    Change(m_format.StateText, value);
}
void TNumLab::SetDTFormat(const QString &value)
{
    Change(m_format.DTFormat, value);
}
void TNumLab::SetLeftText(const QString &value)
{
    Change(m_leftText, value);
}
void TNumLab::SetRightText(const QString &value)
{
    Change(m_rightText, value);
}
void TNumLab::SetLeftSpace(int value)
{
    Change(m_leftSpace, std::clamp(value, 0, std::max(width(), 0)));
}
void TNumLab::SetLabelWidth(int value)
{
    Change(m_labelWidth, std::max(value, 0));
}
void TNumLab::SetAlignment(TAlignment value)
{
    Change(m_alignment, value);
}
void TNumLab::SetLeftTextAlignment(TAlignment value)
{
    Change(m_leftTextAlignment, value);
}
void TNumLab::SetRightTextAlignment(TAlignment value)
{
    Change(m_rightTextAlignment, value);
}
void TNumLab::SetColorLabBakG(TColor value)
{
    Change(m_colorLabBakG, value);
}
void TNumLab::SetColorLabText(TColor value)
{
    Change(m_colorLabText, value);
}
void TNumLab::SetColorOutBakG(TColor value)
{
    Change(m_colorOutBakG, value);
}
void TNumLab::SetColorOutText(TColor value)
{
    Change(m_colorOutText, value);
}
void TNumLab::SetFrameStyle(TFrameStyle value)
{
    Change(m_frameStyle, value);
}
void TNumLab::SetColorScheme(TColorScheme value)
{
    Change(m_colorScheme, value);
}
void TNumLab::SetEnabled(bool value)
{
    setEnabled(value); // changeEvent redraws
}
void TNumLab::SetTransparent(bool value)
{
    Change(m_transparent, value);
}

QString TNumLab::ComposeText()
{
    if (m_empty) {
        return {};
    }
    QString text = NumLabText(m_format, m_value);
    if (OnBeforeDisplay) {
        OnBeforeDisplay(this, text);
    }
    if (m_format.DisplayType != TDisplay::dtState
        && QFontMetrics(font()).horizontalAdvance(text) > m_labelWidth - 6) {
        text = m_format.OverflowIndicator;
    }
    return text;
}

void TNumLab::Redraw()
{
    m_shownText = ComposeText();
    m_image = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
    m_image.fill(m_transparent ? QColor(Qt::white) : ToQColor(m_colorOutBakG));
    QPainter painter(&m_image);
    QFont aliased = font();
    aliased.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(aliased);
    const int y = (height() - RowHeight(painter.fontMetrics())) / 2;
    DrawSideTexts(painter, y);
    DrawField(painter);
    DrawNumber(painter, y);
    painter.end();
    update();
}

void TNumLab::DrawSideTexts(QPainter &painter, int y)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int leftWidth = metrics.horizontalAdvance(m_leftText);
    int leftX = 7;
    if (m_leftTextAlignment == TAlignment::taRightJustify) {
        leftX = m_leftSpace - 5 - leftWidth;
    } else if (m_leftTextAlignment == TAlignment::taCenter) {
        leftX = (m_leftSpace - leftWidth) / 2;
    }
    const int rightWidth = metrics.horizontalAdvance(m_rightText);
    int rightX = m_leftSpace + m_labelWidth + 7;
    if (m_rightTextAlignment == TAlignment::taRightJustify) {
        rightX = width() - 6 - rightWidth;
    } else if (m_rightTextAlignment == TAlignment::taCenter) {
        rightX = m_leftSpace + m_labelWidth + 1
                + (width() - m_leftSpace - m_labelWidth - rightWidth) / 2;
    }
    const auto draw = [&](int dx, const QColor &colour) {
        painter.setPen(colour);
        DrawTextAt(painter, leftX + dx, y + dx, m_leftText);
        DrawTextAt(painter, rightX + dx, y + dx, m_rightText);
    };
    if (isEnabled()) {
        draw(0, ToQColor(m_colorOutText));
    } else {
        draw(1, Qt::white);
        draw(0, ToQColor(clGray));
    }
}

void TNumLab::DrawField(QPainter &painter)
{
    const QColor dark = ToQColor(clBlack);
    const QColor grey = ToQColor(m_colorScheme == TColorScheme::csBWG ? clGray : clBtnShadow);
    const QColor light = ToQColor(m_colorScheme == TColorScheme::csBWG ? clWhite : clBtnHighlight);
    const int left = m_leftSpace;
    const int right = m_leftSpace + m_labelWidth + 1; // last column of the field
    painter.setBrush(ToQColor(m_colorLabBakG));
    if (m_frameStyle == TFrameStyle::fsNone || m_frameStyle == TFrameStyle::fsSimple) {
        painter.setPen(m_frameStyle == TFrameStyle::fsNone ? ToQColor(m_colorLabBakG) : grey);
        painter.drawRect(left, 0, right - left, height() - 1);
        return;
    }
    const int top = 1;
    const int bottom = height() - 1;
    painter.setPen(ToQColor(m_colorLabBakG));
    painter.drawRect(left, top, right - left, bottom - top);
    const auto edges = [&](int inset, const QColor &topLeft, const QColor &bottomRight) {
        const int l = left + inset, t = top + inset, r = right - inset, b = bottom - inset;
        painter.setPen(topLeft);
        painter.drawLine(l, b, l, t);
        painter.drawLine(l, t, r, t);
        painter.setPen(bottomRight);
        painter.drawLine(r, t, r, b);
        painter.drawLine(r, b, l, b);
    };
    switch (m_frameStyle) {
    case TFrameStyle::fsLowered:
        edges(0, grey, light);
        edges(1, dark, grey);
        break;
    case TFrameStyle::fsRaised:
        edges(0, light, dark);
        edges(1, light, grey);
        break;
    case TFrameStyle::fsEmbossed:
        edges(0, light, grey);
        edges(1, grey, light);
        break;
    default: // engraved
        edges(0, grey, light);
        edges(1, light, grey);
        break;
    }
}

void TNumLab::DrawNumber(QPainter &painter, int y)
{
    if (m_shownText.isEmpty()) {
        return;
    }
    const int textWidth = painter.fontMetrics().horizontalAdvance(m_shownText);
    int x = m_leftSpace + 4;
    if (m_alignment == TAlignment::taRightJustify) {
        x = m_leftSpace + m_labelWidth - 2 - textWidth;
    } else if (m_alignment == TAlignment::taCenter) {
        x = m_leftSpace + (m_labelWidth - textWidth) / 2 + 2;
    }
    painter.setClipRect(QRect(QPoint(m_leftSpace + 3, 2),
                              QPoint(m_leftSpace + m_labelWidth - 1, height() - 3)));
    painter.setPen(isEnabled() ? ToQColor(m_colorLabText) : ToQColor(clGray));
    DrawTextAt(painter, x, y, m_shownText);
    painter.setClipping(false);
}

void TNumLab::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void TNumLab::resizeEvent(QResizeEvent *)
{
    m_leftSpace = std::min(m_leftSpace, width());
    Redraw();
}

void TNumLab::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) {
        Redraw();
    }
    QWidget::changeEvent(event);
}
