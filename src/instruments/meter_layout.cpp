#include "instruments/meter_layout.h"

#include "instruments/bevel.h"
#include "platform/rounding.h"

#include <algorithm>

TValueBoxLayout LayoutValueBox(const QRect &area, int textHeight, int sampleWidth, int unitWidth,
                               const TAbSBevel &valueBevel)
{
    TValueBoxLayout box;
    const int c = textHeight / 3;
    const int border = valueBevel.BorderSize();
    box.Height = 2 * border + textHeight;
    const int left = area.x() + (area.width() - sampleWidth - unitWidth - c) / 2 - c;
    box.Bevel = QRect(left, area.y(), sampleWidth + 2 * border + 2 * c, box.Height);
    const QRect inner = valueBevel.ContentRect(box.Bevel);
    box.Unit = QPoint(inner.x() + inner.width() + c, inner.y());
    box.Text = inner.adjusted(c, 0, -c, 0);
    return box;
}

TPanelLayout LayoutPanel(const QSize &client, const TInstrumentParts &parts,
                         const TInstrumentTexts &texts, const TAbSBevel &outer,
                         const TAbSBevel &inner, const TAbSBevel &value, bool valueInside)
{
    TPanelLayout layout;
    layout.ValueInside = valueInside;
    QRect r(QPoint(0, 0), client);
    int a = 0;
    if (parts.BevelOuter) {
        r = outer.ContentRect(r);
        a = outer.Spacing() / 2;
    }
    const auto name = [&](const QSize &size) {
        r.setHeight(r.height() - size.height());
        return QPoint(r.x() + (r.width() - size.width()) / 2, r.y() + r.height() + a);
    };
    if (parts.Name2)
        layout.Name2 = name(texts.Name2);
    if (parts.Name1)
        layout.Name1 = name(texts.Name1);
    const auto valueBox = [&] {
        if (!parts.Value)
            return;
        layout.ValueBox = LayoutValueBox(r, texts.ValueHeight, texts.SampleWidth,
                                         parts.Unit ? texts.UnitWidth : 0, value);
        r.setTop(r.top() + layout.ValueBox.Height + outer.Spacing());
    };
    if (!valueInside)
        valueBox();
    layout.Inner = r;
    if (parts.BevelInner)
        r = inner.ContentRect(r);
    if (valueInside)
        valueBox();
    layout.Content = r;
    return layout;
}

int TScaleLayout::PointerY(int perMille) const
{
    const double length = Bottom - Top;
    return Bottom - static_cast<int>(Round(perMille * length / 1000.0));
}

QRect TScaleLayout::PointerBounds(int perMille) const
{
    const int y = PointerY(perMille);
    return {QPoint(std::min(PointerBaseX, PointerTipX), y - PointerHalf),
            QPoint(std::max(PointerBaseX, PointerTipX), y + PointerHalf)};
}

TScaleLayout LayoutScale(const QRect &content, int controlWidth, int scaleWidth, int majorLen,
                         bool posLeftTop)
{
    TScaleLayout s;
    s.Area = content;
    s.PointerHalf = majorLen / 2;
    const QRect r = content.adjusted(0, s.PointerHalf, 0, -(s.PointerHalf + 1));
    s.NoRoom = r.width() < 2 || r.height() < 2;
    if (s.NoRoom)
        return s;
    s.Top = r.y();
    s.Bottom = r.y() + r.height();
    const int e = (controlWidth - scaleWidth - s.PointerHalf) / 2;
    if (!posLeftTop) {
        s.Scale = QRect(e + s.PointerHalf, r.y(), scaleWidth, r.height());
        s.LineX = s.Scale.x();
        s.PointerBaseX = e;
        s.PointerTipX = e + majorLen;
    } else {
        s.Scale = QRect(e, r.y(), scaleWidth, r.height());
        s.LineX = e + scaleWidth;
        s.PointerBaseX = s.LineX + s.PointerHalf;
        s.PointerTipX = s.PointerBaseX - majorLen;
    }
    return s;
}

QSize ValueIndicatorSize(const TInstrumentParts &parts, const TInstrumentTexts &texts,
                         int outerBorder, int innerBorder, int valueBorder)
{
    const int o = parts.BevelOuter ? 2 * outerBorder : 0;
    const int i = parts.BevelInner ? 2 * innerBorder : 0;
    const int v = 2 * valueBorder;
    const int unit = parts.Unit ? texts.UnitWidth : 0;
    int height = o + i + texts.ValueHeight + v;
    int width = o;
    int last = o;
    if (parts.Name1) {
        height += texts.Name1.height();
        last = o + texts.Name1.width();
        width = std::max(width, last);
    }
    if (parts.Name2) {
        height += texts.Name2.height();
        last = o + texts.Name2.width();
        width = std::max(width, last);
    }
    width = std::max(width, i + last);
    width = std::max(width, o + i + texts.SampleWidth + unit + v + texts.ValueHeight);
    return {width, height};
}
