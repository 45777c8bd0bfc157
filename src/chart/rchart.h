#pragma once

#include "chart/chart_control_types.h"
#include "chart/chart_model.h"
#include "chart/crosshair.h"

#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include <array>
#include <bitset>
#include <functional>
#include <memory>

class QPainter;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The chart control: the model (display list, layers, scales, mapping) drawn into two
// off-screen images. ControlImage holds the whole control (background, frame, caption, axes and
// a copy of the data area); DataImage holds the plot area (background, grid, items, plot frame).
// Paint rebuilds both; UpdateChart draws the list again over DataImage; SetCrossHairPos only
// re-presents. What was last presented is what paintEvent shows, so window repaint requests
// never draw and exports leave the window alone. User-interface thread only.
class TCustomRChart : public QWidget, public TChartModel
{
public:
    using TRenderEvent
            = std::function<void(TCustomRChart *sender, QPainter &canvas, int top, int left)>;

    explicit TCustomRChart(QWidget *parent = nullptr);
    ~TCustomRChart() override;

    // ---- Appearance (setters repaint when AutoRedraw) -----------------------------------
    TColor WindColor() const { return m_windColor; }
    void SetWindColor(TColor value) { ChangeLook(m_windColor, value); }
    TColor ChartColor() const { return m_chartColor; }
    void SetChartColor(TColor value) { ChangeLook(m_chartColor, value); }
    TColor ChartFrameColor() const { return m_chartFrameColor; }
    void SetChartFrameColor(TColor value) { ChangeLook(m_chartFrameColor, value); }
    TColor GridColor() const { return m_gridColor; }
    void SetGridColor(TColor value) { ChangeLook(m_gridColor, value); }
    GridStyleType GridStyle() const { return m_gridStyle; }
    void SetGridStyle(GridStyleType value) { ChangeLook(m_gridStyle, value); }
    double GridDx() const { return m_gridDx; }
    void SetGridDx(double value); // values below -3 are ignored
    double GridDy() const { return m_gridDy; }
    void SetGridDy(double value);
    TShadowStyle ShadowStyle() const { return m_shadowStyle; }
    void SetShadowStyle(TShadowStyle value) { ChangeLook(m_shadowStyle, value); }
    TColor ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(TColor value) { ChangeLook(m_shadowColor, value); }
    TColor ShadowBakColor() const { return m_shadowBakColor; }
    void SetShadowBakColor(TColor value) { ChangeLook(m_shadowBakColor, value); }

    const QString &Caption() const { return m_caption; }
    void SetCaption(const QString &value) { ChangeLook(m_caption, value); }
    int CaptionPosX() const { return m_captionPosX; }
    void SetCaptionPosX(int value) { ChangeLook(m_captionPosX, value); }
    int CaptionPosY() const { return m_captionPosY; }
    void SetCaptionPosY(int value) { ChangeLook(m_captionPosY, value); }
    TAlignment CaptionAlignment() const { return m_captionAlignment; }
    void SetCaptionAlignment(TAlignment value) { ChangeLook(m_captionAlignment, value); }
    TCaptionAnchorHoriz CaptionAnchorHoriz() const { return m_captionAnchorHoriz; }
    void SetCaptionAnchorHoriz(TCaptionAnchorHoriz value)
    {
        ChangeLook(m_captionAnchorHoriz, value);
    }
    TCaptionAnchorVert CaptionAnchorVert() const { return m_captionAnchorVert; }
    void SetCaptionAnchorVert(TCaptionAnchorVert value) { ChangeLook(m_captionAnchorVert, value); }
    // The caption font (its colour is the caption's colour).
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &value) { ChangeLook(m_font, value); }

    TCrossHair &CrossHair1() { return *m_crossHairs[0]; }
    TCrossHair &CrossHair2() { return *m_crossHairs[1]; }
    TCrossHair &CrossHair3() { return *m_crossHairs[2]; }
    TCrossHair &CrossHair4() { return *m_crossHairs[3]; }
    // index 1..4
    TCrossHair &CrossHair(int index);

    const TBakGndImg &BackGroundImg() const { return m_backGroundImg; }
    void SetBackGroundImg(const TBakGndImg &value);

    TRenderEvent OnBeforeRenderData;
    TRenderEvent OnDataRendered;
    TRenderEvent OnScalesRendered;

    // ---- Drawing ------------------------------------------------------------------------
    const QImage &ControlImage() const { return m_controlImage; }
    const QImage &DataImage() const { return m_dataImage; }
    // The picture the window shows now (the last one presented).
    QImage PresentedImage() const;

    // Position and size in the parent; the size is raised to the chart's minimum.
    void SetBounds(int left, int top, int width, int height);

    void Paint() override;
    void Redraw();
    void UpdateChart();
    void SuppressPaint(bool suppress) override;
    // index 1..4; a visible crosshair is re-presented without drawing the items again.
    void SetCrossHairPos(int index, double x, double y);

    void DrawFrame(QImage &canvas);
    virtual void DrawDataBackground(QImage &canvas, int left, int top);
    virtual void RenderItems(QImage &canvas, int xOffset, int yOffset, bool blackWhite,
                             int gridIndex);
    // Draws the crosshairs into image (shifted by -left, -top) and shows it at (left, top).
    void PresentImage(int left, int top, QImage &image);

    // ---- Mouse --------------------------------------------------------------------------
    TMouseActMode MouseAction() const { return m_mouseAction; }
    void SetMouseAction(TMouseActMode value) { m_mouseAction = value; }
    bool MouseAffectsLayer(int layer) const;
    void SetMouseAffectsLayer(int layer, bool enabled);
    bool MouseCursorFixed() const { return m_mouseCursorFixed; }
    void SetMouseCursorFixed(bool value) { m_mouseCursorFixed = value; }
    // The pointers 1..4: hand, zoom window, zoom drag, zoom at position.
    static QCursor Pointer(int index);

    std::function<void(TCustomRChart *sender, bool inChart, TShiftState shift, double rMousePosX,
                       double rMousePosY)>
            OnMouseMoveInChart;
    std::function<void(TCustomRChart *sender)> OnZoomPan;
    std::function<void(TCustomRChart *sender, int layer, double loX, double loY, double hiX,
                       double hiY)>
            OnRubberBand;
    std::function<void(TCustomRChart *sender, TCrossHair *crossHair)> OnCrossHairMove;
    std::function<void(TCustomRChart *sender, TShiftState shift, int x, int y)> OnMouseMove;
    std::function<void(TCustomRChart *sender, TMouseButton button, TShiftState shift, int x, int y)>
            OnMouseDown;
    std::function<void(TCustomRChart *sender, TMouseButton button, TShiftState shift, int x, int y)>
            OnMouseUp;
    std::function<void(TCustomRChart *sender)> OnDblClick;
    std::function<void(TCustomRChart *sender)> OnMouseEnter;
    std::function<void(TCustomRChart *sender)> OnMouseLeave;

    // ---- Files and export ---------------------------------------------------------------
    // Writes the display list as 104-byte records; raises EInOutError when it cannot.
    void SaveData(const QString &fileName);
    // Reads a file of records, replacing the list or appending to it; raises EInOutError when
    // the file cannot be opened or read, leaving the list as it was.
    void LoadData(const QString &fileName, bool append);
    // Writes the whole control as a BMP file named by BitmapFileName.
    void SaveAsBitmap(const QString &fileName, bool blackWhite);
    void CopyToClipboard(bool blackWhite);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

    void DataAreaCleared() override;
    void PlotAreaChanged() override;

private:
    class BlackWhiteScheme;

    template<typename T>
    void ChangeLook(T &field, const T &value)
    {
        if (field == value) {
            return;
        }
        field = value;
        RepaintIfAutoRedraw();
    }
    // Not hidden on purpose: a chart that was never shown still draws into its images.
    bool ShowsPicture() const;
    void SyncSize();
    void ResizeDataImage();
    void DrawCaption(QPainter &painter);
    void DrawBackgroundPicture(QPainter &painter, QSize size);
    void CopyDataIntoControl(const QImage &data);
    void DrawGrid(QPainter &painter, int xOffset, int yOffset);
    void DrawShadow(QPainter &painter);
    void DrawCrossHair(QPainter &painter, const TCrossHair &crossHair, int left, int top);
    void RenderExport(bool blackWhite);

    void DragRanges(int x, int y);
    void PanLayer(int layer, int x, int y);
    void ZoomLayer(int layer, int x, int y);
    void DragCrossHair(int x, int y);
    int NearestCrossHair(int x, int y) const;
    void FinishRectangle(TMouseButton button);
    void UpdatePointer(int x, int y);
    void ResetPointer();
    void RunWithPaintSuppressed(const std::function<void()> &change);

    TColor m_windColor = clBtnFace;
    TColor m_chartColor = clWhite;
    TColor m_chartFrameColor = clBlack;
    TColor m_gridColor = clBlack;
    GridStyleType m_gridStyle = GridStyleType::gsNone;
    double m_gridDx = 0;
    double m_gridDy = 0;
    TShadowStyle m_shadowStyle = TShadowStyle::ssFlying;
    TColor m_shadowColor = clGrayText;
    TColor m_shadowBakColor = clBtnFace;
    QString m_caption;
    int m_captionPosX = 0;
    int m_captionPosY = -15;
    TAlignment m_captionAlignment = TAlignment::taRightJustify;
    TCaptionAnchorHoriz m_captionAnchorHoriz = TCaptionAnchorHoriz::cahChartRight;
    TCaptionAnchorVert m_captionAnchorVert = TCaptionAnchorVert::cavChartTop;
    TFont m_font;
    std::array<std::unique_ptr<TCrossHair>, 4> m_crossHairs;
    TBakGndImg m_backGroundImg;

    QImage m_controlImage;
    QImage m_dataImage;
    QImage m_screen;
    bool m_dataPresented = false; // the window shows DataImage over m_screen's data area
    bool m_windowCreated = false;
    bool m_quietPaint = false; // exports lift the suppression without painting

    TMouseActMode m_mouseAction = TMouseActMode::maNone;
    std::bitset<LayerCount> m_mouseAffectsLayer {1};
    bool m_mouseCursorFixed = false;
    bool m_dragStarted = false;
    QPoint m_dragStart;
    std::array<std::array<double, 4>, LayerCount> m_startRanges {};
    bool m_rectDragging = false;
    QPoint m_rectStart;
    QPoint m_rectEnd;
    int m_grabbedCrossHair = 0;
    bool m_doubleClicked = false;
    bool m_pointerOverridden = false;
    std::array<QCursor, 4> m_pointers; // loaded once per chart
};

class TRChart : public TCustomRChart
{
public:
    using TCustomRChart::TCustomRChart;
};

// The bitmap export's file name: the last extension replaced by ".bmp" (a name already ending
// in ".bmp", in any case, stays; a name without extension gets ".bmp").
QString BitmapFileName(const QString &fileName);
