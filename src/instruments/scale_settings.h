#pragma once

#include "instruments/persistent.h"

class QPainter;

// The scale of a meter: appearance settings plus the metrics that Measure derives from the
// labels in the scale font. Paint draws a linear scale whose top value sits at rect's top.
class TScaleSettings : public TAbPersistent
{
public:
    TScaleSettings();

    TColor Color() const { return m_values.Color; }
    TColor PointerColor() const { return m_values.PointerColor; }
    bool DrawLine() const { return m_values.DrawLine; }
    TAbFont &Font() { return m_font; }
    const TAbFont &Font() const { return m_font; }
    bool PosLeftTop() const { return m_values.PosLeftTop; }
    int Steps() const { return m_values.Steps; }
    int SubSteps() const { return m_values.SubSteps; }
    QString ValueFormat() const { return m_values.ValueFormat; }
    QString ValueFormatLog() const { return m_values.ValueFormatLog; }

    void SetColor(TColor v) { SetField(m_values.Color, v); }
    void SetPointerColor(TColor v) { SetField(m_values.PointerColor, v); }
    // Reports even when unchanged.
    void SetDrawLine(bool v);
    void SetFont(const TAbFont &font);
    void SetPosLeftTop(bool v) { SetField(m_values.PosLeftTop, v); }
    // Accepted only in 1 .. 20; reports even when unchanged.
    void SetSteps(int v);
    // Accepted only in 1 .. 10; reports even when unchanged.
    void SetSubSteps(int v);
    void SetValueFormat(const QString &v) { SetField(m_values.ValueFormat, v); }
    void SetValueFormatLog(const QString &v) { SetField(m_values.ValueFormatLog, v); }
    void Assign(const TScaleSettings &source);

    // Builds the labels for top .. bottom and derives the metrics below (painter: any device of
    // the resolution the scale is drawn on).
    void Measure(QPainter &painter, double top, double bottom);
    void Paint(QPainter &painter, const QRect &rect);

    // Metrics from the last Measure.
    QString Labels() const { return m_labels; }
    int LabelWidth() const { return m_labelWidth; }
    int LabelHeight() const { return m_labelHeight; }
    int MajorPen() const { return m_majorPen; }
    int MinorPen() const { return m_minorPen; }
    int Gap() const { return m_gap; }
    int MajorLen() const { return m_majorLen; }
    int MinorLen() const { return m_minorLen; }
    int EndMargin() const { return m_endMargin; }
    int ScaleWidth() const { return m_scaleWidth; }
    int MinLength() const { return m_minLength; }

private:
    void Tick(QPainter &painter, int x, int y, int length, int width) const;

    struct Values
    {
        TColor Color = clBlack;
        TColor PointerColor = 0x00FF00;
        bool DrawLine = true;
        bool PosLeftTop = false;
        int Steps = 5;
        int SubSteps = 2;
        QString ValueFormat = QStringLiteral("##0");
        QString ValueFormatLog = QStringLiteral("0e-0");
    };
    Values m_values;
    TAbFont m_font {QStringLiteral("Arial"), 14};

    QString m_labels;
    int m_labelWidth = 0;
    int m_labelHeight = 0;
    int m_majorPen = 1;
    int m_minorPen = 1;
    int m_gap = 0;
    int m_majorLen = 0;
    int m_minorLen = 0;
    int m_endMargin = 0;
    int m_scaleWidth = 0;
    int m_minLength = 0;
};
