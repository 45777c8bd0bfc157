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
    if (m_valueDepth > 0 || !FrameValid() || ValueText() == m_textDrawn)
        return;
    if (!isVisible()) {
        Invalidate();
        return;
    }
    QPainter painter(&Frame());
    DrawValueText(painter);
    m_textDrawn = ValueText();
    update(ValueBox());
}

TInstrumentParts TAbValueInd::Parts() const
{
    TInstrumentParts parts;
    parts.BevelOuter = m_options.Contains(TValueIndOption::opBevelOuter);
    parts.BevelInner = m_options.Contains(TValueIndOption::opBevelInner);
    parts.Value = true;
    parts.Name1 = m_options.Contains(TValueIndOption::opName1);
    parts.Name2 = m_options.Contains(TValueIndOption::opName2);
    parts.Unit = m_options.Contains(TValueIndOption::opUnit);
    return parts;
}

QSize TAbValueInd::MeasuredSize() const
{
    return ValueIndicatorSize(Parts(), MeasureTexts(), BevelOuter().BorderSize(),
                              BevelInner().BorderSize(), BevelValue().BorderSize());
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
    const TInstrumentParts parts = Parts();
    PaintPanel(painter, parts,
               LayoutPanel(size(), parts, MeasureTexts(), BevelOuter(), BevelInner(), BevelValue(),
                           true));
    DrawValueText(painter);
    m_textDrawn = ValueText();
}
