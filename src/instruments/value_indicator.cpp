#include "instruments/value_indicator.h"

#include "instruments/draw_helpers.h"

#include <QPainter>

#include <algorithm>

TAbValueInd::TAbValueInd(QWidget *parent)
    : TAbAnalogGControl(parent)
{
    resize(67, 48);
    Loaded();
}

void TAbValueInd::SetOptions(TValueIndOptions v)
{
    m_options = v;
    Invalidate();
}

void TAbValueInd::SettingsChanged()
{
    TAbAnalogGControl::SettingsChanged();
    Invalidate();
    ValueChanged();
}

void TAbValueInd::ValueChanged()
{
    ++m_valueDepth;
    TAbAnalogGControl::ValueChanged();
    --m_valueDepth;
    if (m_valueDepth > 0 || !FrameValid())
        return;
    if (!isVisible()) {
        Invalidate();
        return;
    }
    QPainter painter(&Frame());
    DrawValueText(painter);
    update(ValueBox());
}

QSize TAbValueInd::MeasuredSize()
{
    QImage probe = MakeImage(QSize(1, 1), this);
    QPainter painter(&probe);
    const TSignalSettings &signal = SignalSettings();
    const int o
            = m_options.Contains(TValueIndOption::opBevelOuter) ? 2 * BevelOuter().BorderSize() : 0;
    const int i
            = m_options.Contains(TValueIndOption::opBevelInner) ? 2 * BevelInner().BorderSize() : 0;
    const int v = 2 * BevelValue().BorderSize();

    painter.setFont(Font().Font());
    const QSize name1 = TextExtent(painter, signal.Name1());
    const QSize name2 = TextExtent(painter, signal.Name2());
    painter.setFont(FontValue().Font());
    const QSize sample = TextExtent(painter, signal.SampleText());
    const int unit = m_options.Contains(TValueIndOption::opUnit)
            ? TextExtent(painter, signal.ValueUnit()).width()
            : 0;

    int height = o + i + sample.height() + v;
    int width = o;
    int last = o;
    if (m_options.Contains(TValueIndOption::opName1)) {
        height += name1.height();
        last = o + name1.width();
        width = std::max(width, last);
    }
    if (m_options.Contains(TValueIndOption::opName2)) {
        height += name2.height();
        last = o + name2.width();
        width = std::max(width, last);
    }
    width = std::max(width, i + last);
    width = std::max(width, o + i + sample.width() + unit + v + sample.height());
    return {width, height};
}

void TAbValueInd::AdjustSize()
{
    const QSize needed = MeasuredSize();
    if (AutoSize())
        resize(needed);
    else
        resize(size().expandedTo(needed));
}

void TAbValueInd::RenderFrame(QPainter &painter)
{
    QRect r = rect();
    int a = 0;
    if (m_options.Contains(TValueIndOption::opBevelOuter)) {
        BevelOuter().Paint(painter, r);
        a = BevelOuter().Spacing() / 2;
    }
    painter.setFont(Font().Font());
    painter.setPen(ToQColor(Font().Color()));
    painter.setBrush(Qt::NoBrush);
    const auto name = [&](const QString &text) {
        const QSize size = TextExtent(painter, text);
        r.setBottom(r.bottom() - size.height());
        DrawTextAligned(painter, r.x() + (r.width() - size.width()) / 2, r.y() + r.height() + a, 0,
                        text);
    };
    if (m_options.Contains(TValueIndOption::opName2))
        name(SignalSettings().Name2());
    if (m_options.Contains(TValueIndOption::opName1))
        name(SignalSettings().Name1());
    if (m_options.Contains(TValueIndOption::opBevelInner))
        BevelInner().Paint(painter, r);
    PaintValueBox(painter, r, m_options.Contains(TValueIndOption::opUnit), BevelOuter().Spacing());
    DrawValueText(painter);
}
