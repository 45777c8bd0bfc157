#pragma once

#include "chart/common_axis_settings.h"
#include "chart/scale_types.h"
#include "chart/tick_rules.h"
#include "platform/color.h"
#include "platform/drawing_types.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QPainter;

enum class TFrameStyle { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };
enum class TColorScheme { csBWG, csSystem };

// One axis: base line, ticks, labels and caption of a linear, logarithmic, time or date/time
// range, and the list of the tick values it drew (the chart's grid reads it).
//
// The chart owns 32 of them, never shows them, keeps their paint suppression on and lets them
// draw transparently onto its control image with DrawOn() while it draws its frame; their
// settings are copies of the layers' TScaleProps (SetAxisSettings). Used on its own, the
// control paints itself (background and frame unless Transparent). Where the ticks go and what
// the labels say comes from the tick rules; this class maps the values to pixels and draws them.
// The axis settings and their getters are TCommonAxisSettings' (Visible: whether the axis is
// drawn at all, in the chart the layer's scale Visible); the setters below store as given.
class TScale : public QWidget, public TCommonAxisSettings
{
public:
    explicit TScale(QWidget *parent = nullptr);

    TScaleType ScaleType() const { return m_scaleType; }
    void SetScaleType(TScaleType value);
    bool Horizontal() const
    {
        return m_scaleType == TScaleType::sctXB || m_scaleType == TScaleType::sctXT;
    }

    void SetRangeLow(double value);
    void SetRangeHigh(double value);
    void SetRange(double low, double high);
    void SetLogarithmic(bool value);

    int NumTicks() const { return static_cast<int>(m_tickList.size()); }
    // The i-th value of the tick list (1-based); 0 outside 1 .. NumTicks.
    double TickValue(int i) const;
    const std::vector<double> &TickList() const { return m_tickList; }

    void SetDecPlaces(int value);
    void SetLabelType(TFigType value);

    bool ShowBaseLine() const { return m_showBaseLine; }
    void SetShowBaseLine(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);

    int MarginTop() const { return m_marginTop; }
    void SetMarginTop(int value);
    int MarginBottom() const { return m_marginBottom; }
    void SetMarginBottom(int value);
    int MarginLeft() const { return m_marginLeft; }
    void SetMarginLeft(int value);
    int MarginRight() const { return m_marginRight; }
    void SetMarginRight(int value);
    void SetMargins(int left, int top, int right, int bottom);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetSize(int width, int height);

    TColor ColorBackGnd() const { return m_colorBackGnd; }
    void SetColorBackGnd(TColor value);
    TFrameStyle FrameStyle() const { return m_frameStyle; }
    void SetFrameStyle(TFrameStyle value);
    TColorScheme ColorScheme() const { return m_colorScheme; }
    void SetColorScheme(TColorScheme value);

    // Every axis setting at once: one change, one repaint.
    void SetAxisSettings(const TAxisSettings &value);

    // Pixel of a value on this axis (x for horizontal types, y for vertical ones).
    int ValueToPixel(double value) const;
    double MappingFactor() const { return m_k; }
    double MappingOffset() const { return m_o; }

    // Own paint suppression: the chart keeps it on and draws through DrawOn().
    bool PaintSuppressed() const { return m_paintSuppressed; }
    void SuppressPaint(bool suppress);

    // Draws the axis onto the target set by SetTarget, or else into the control's own image
    // (with background and frame unless Transparent) that paintEvent shows; nothing while the
    // axis is not visible or painting is suppressed.
    void Paint();
    void SetTarget(QImage *image) { m_target = image; }

    // Draws the axis onto painter (offset (0, 0) of the axis area) whatever the suppression;
    // an invisible axis draws nothing but still rebuilds its tick list. An ink draws line,
    // ticks and texts in that one colour instead of the axis's own (a monochrome picture).
    void DrawOn(QPainter &painter, std::optional<TColor> ink = std::nullopt);
    // Rebuilds the tick list without drawing.
    void UpdateTicks();

    // Hooks (first argument the sender).
    std::function<void(TScale *, QPainter *canvas, TScaleType type, double currentTickPos,
                       int chartX, int chartY)>
            OnScaleTickDrawn;
    std::function<void(TScale *, TScaleType type, double currentTickPos, QString &tickLabel)>
            OnBeforeTickLabel;
    std::function<void(TScale *, QPainter *canvas)> OnBeforeScaleRendered;
    std::function<void(TScale *, QPainter *canvas)> OnAfterScaleRendered;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TTickInput TickInput();
    int BaseLine() const;
    void LimitMinTicks();
    struct Ink
    {
        QColor Line;
        QColor Text;
    };
    void DrawTicks(QPainter &painter, const TTickPlan &plan, int baseLine, const Ink &ink);
    void DrawLabel(QPainter &painter, const QString &text, int pos, int baseLine, const Ink &ink);
    void DrawCaption(QPainter &painter, int baseLine, const Ink &ink);
    void DrawCentredMessage(QPainter &painter, const QString &text, int baseLine, const Ink &ink);
    void DrawBackground(QPainter &painter);
    void DrawControlImage();
    void Changed();
    void AxisChanged() override { Changed(); }
    void UpdateMapping();

    TScaleType m_scaleType = TScaleType::sctXB;
    bool m_showBaseLine = true;
    bool m_transparent = false;
    int m_marginTop = 20;
    int m_marginBottom = 20;
    int m_marginLeft = 20;
    int m_marginRight = 20;
    int m_width = 200;
    int m_height = 50;
    TColor m_colorBackGnd = clBtnFace;
    TFrameStyle m_frameStyle = TFrameStyle::fsLowered;
    TColorScheme m_colorScheme = TColorScheme::csBWG;

    double m_k = 0.0;
    double m_o = 0.0;
    std::vector<double> m_tickList;
    bool m_paintSuppressed = false;
    QImage *m_target = nullptr;
    QImage m_image;
};
