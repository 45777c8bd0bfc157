#include "instruments/scale_settings.h"

#include "instruments/draw_helpers.h"
#include "platform/rounding.h"

#include <QPainter>

TScaleSettings::TScaleSettings()
{
    m_font.SetColor(clBlack);
    m_font.OnChange = [this](TAbPersistent *) { Changed(); };
}

void TScaleSettings::SetDrawLine(bool v)
{
    m_values.DrawLine = v;
    Changed();
}

void TScaleSettings::SetFont(const TAbFont &font)
{
    m_font.Assign(font); // reports through the font's handler
}

void TScaleSettings::SetSteps(int v)
{
    if (v < 1 || v > 20)
        return;
    m_values.Steps = v;
    Changed();
}

void TScaleSettings::SetSubSteps(int v)
{
    if (v < 1 || v > 10)
        return;
    m_values.SubSteps = v;
    Changed();
}

void TScaleSettings::Assign(const TScaleSettings &source)
{
    m_values = source.m_values;
    m_font.Assign(source.m_font);
}

void TScaleSettings::Measure(QPainter &painter, double top, double bottom)
{
    painter.setFont(m_font.Font());
    m_labels = BuildLabelList(m_values.Steps, m_values.ValueFormat, top, bottom);
    const QSize size = MeasureLabelList(painter, m_labels);
    m_labelWidth = size.width();
    m_labelHeight = size.height();
    const int h = m_labelHeight;
    m_majorPen = static_cast<int>(Round(h / 14.0));
    m_gap = h / 3;
    m_majorLen = static_cast<int>(Round(h / 1.4));
    m_minorLen = m_majorPen == 1 ? m_majorLen / 2 : static_cast<int>(Round(m_majorLen / 1.4));
    m_minorPen = 1;
    m_endMargin = m_majorPen / 2 + 3;
    m_scaleWidth = m_labelWidth + m_majorLen + m_gap;
    m_minLength = static_cast<int>(Round(h * m_values.Steps * 1.4));
}

void TScaleSettings::Tick(QPainter &painter, int x, int y, int length, int width) const
{
    if (length <= 0 || width <= 0)
        return;
    const QColor c = ToQColor(m_values.Color);
    const int top = y - (width - 1) / 2;
    if (m_values.PosLeftTop)
        painter.fillRect(QRect(x - length + 1, top, length, width), c);
    else
        painter.fillRect(QRect(x, top, length, width), c);
}

void TScaleSettings::Paint(QPainter &painter, const QRect &rect)
{
    // Ticks and line are filled in Color; the labels take the scale font's colour.
    painter.setFont(m_font.Font());
    painter.setPen(ToQColor(m_font.Color()));
    painter.setBrush(Qt::NoBrush);
    const int n = m_values.Steps;
    const double minor = static_cast<double>(rect.height()) / (n * m_values.SubSteps);
    const double major = m_values.SubSteps * minor;
    const int x = m_values.PosLeftTop ? rect.x() + rect.width() : rect.x();
    const int labelX = m_values.PosLeftTop ? x - m_majorLen - m_gap + 1 : x + m_majorLen + m_gap;
    const int labelAnchor = m_values.PosLeftTop ? 5 : 3;
    const auto yAt = [&](double offset) { return static_cast<int>(Round(offset + rect.y())); };

    if (m_values.DrawLine) {
        const int end = yAt(n * major);
        painter.fillRect(QRect(x, rect.y(), 1, end - rect.y()), ToQColor(m_values.Color));
    }
    QString labels = m_labels;
    for (int g = 0; g < n; ++g) {
        const int y = yAt(g * major);
        Tick(painter, x, y, m_majorLen, m_majorPen);
        DrawTextAligned(painter, labelX, y, labelAnchor, NextToken(labels));
        for (int t = 0; t < m_values.SubSteps; ++t)
            Tick(painter, x, yAt(t * minor + g * major), m_minorLen, 1);
    }
    const int last = yAt(n * major);
    DrawTextAligned(painter, labelX, last, labelAnchor, NextToken(labels));
    Tick(painter, x, last, m_majorLen, m_majorPen);
}
