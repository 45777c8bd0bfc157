#pragma once

#include "chart/axis_scale.h"
#include "chart/chart_control_types.h"
#include "chart/chart_model.h"
#include "chart/chart_palette.h"
#include "chart/crosshair.h"
#include "platform/store_if_changed.h"

#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QWidget>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>

class QPainter;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The chart control: its model (display list, layers, scales, mapping; a member whose
// operations the control offers under their own names) drawn into two off-screen images, with
// the 32 axis controls that draw the scales. ControlImage holds the whole control (background,
// frame, caption, axes and a copy of the data area); DataImage holds the plot area (background,
// grid, items, plot frame). Paint rebuilds both; UpdateChart draws the list again over DataImage;
// SetCrossHairPos only re-presents. What was last presented is what paintEvent shows, so window
// repaint requests never draw and exports leave the window alone. User-interface thread only.
class TCustomRChart : public QWidget, private TChartView
{
public:
    static constexpr int LayerCount = TChartModel::LayerCount;
    using TRenderEvent
            = std::function<void(TCustomRChart *sender, QPainter &canvas, int top, int left)>;

    explicit TCustomRChart(QWidget *parent = nullptr);
    ~TCustomRChart() override;

    TChartModel &Model() { return m_model; }
    const TChartModel &Model() const { return m_model; }

    // ---- Display list (the model's) -----------------------------------------------------
    void AddMoveTo(double x, double y) { m_model.AddMoveTo(x, y); }
    void AddLineTo(double x, double y) { m_model.AddLineTo(x, y); }
    void AddLine(double x1, double y1, double x2, double y2) { m_model.AddLine(x1, y1, x2, y2); }
    void RemoveFirstItem() { m_model.RemoveFirstItem(); }
    void RemoveItem(int index) { m_model.RemoveItem(index); }
    void ClearItems() { m_model.ClearItems(); }
    void GetItem(int index, TChartItem &item) const { m_model.GetItem(index, item); }
    int ItemCount() const { return m_model.ItemCount(); }
    int Capacity() const { return m_model.Capacity(); }
    const TChartItem *Items() const { return m_model.Items(); }
    void LoadItems(const TChartItem *items, int count, bool append)
    {
        m_model.LoadItems(items, count, append);
    }
    int AllocSize() const { return m_model.AllocSize(); }
    void SetAllocSize(int value) { m_model.SetAllocSize(value); }
    void ReserveItems(int count) { m_model.ReserveItems(count); }
    int ActiveLayer() const { return m_model.ActiveLayer(); }
    void SetActiveLayer(int layer) { m_model.SetActiveLayer(layer); }
    int LastDrawnIndex() const { return m_model.LastDrawnIndex(); }
    void SetLastDrawnIndex(int index) { m_model.SetLastDrawnIndex(index); }
    TColor DataColor() const { return m_model.DataColor(); }
    void SetDataColor(TColor value) { m_model.SetDataColor(value); }
    TColor FillColor() const { return m_model.FillColor(); }
    void SetFillColor(TColor value) { m_model.SetFillColor(value); }
    TPenStyle PenStyle() const { return m_model.PenStyle(); }
    void SetPenStyle(TPenStyle value) { m_model.SetPenStyle(value); }
    std::uint8_t LineWidth() const { return m_model.LineWidth(); }
    void SetLineWidth(std::uint8_t value) { m_model.SetLineWidth(value); }
    std::uint8_t ClassDefault() const { return m_model.ClassDefault(); }
    void SetClassDefault(int value) { m_model.SetClassDefault(value); }
    bool AutoRedraw() const { return m_model.AutoRedraw(); }
    void SetAutoRedraw(bool value) { m_model.SetAutoRedraw(value); }
    bool ClassVisible(int itemClass) const { return m_model.ClassVisible(itemClass); }
    void SetClassVisible(int itemClass, bool visible)
    {
        m_model.SetClassVisible(itemClass, visible);
    }
    bool LayerVisible(int layer) const { return m_model.LayerVisible(layer); }
    void SetLayerVisible(int layer, bool visible) { m_model.SetLayerVisible(layer, visible); }
    bool ItemVisible(const TChartItem &item) const { return m_model.ItemVisible(item); }
    // Data sharing: show the list of another chart (nullptr: the own list again).
    TCustomRChart *UseDataOf() const;
    void SetUseDataOf(TCustomRChart *source);

    // ---- Geometry (the model's) ---------------------------------------------------------
    int Width() const { return m_model.Width(); }
    int Height() const { return m_model.Height(); }
    int MinimumChartWidth() const { return m_model.MinimumChartWidth(); }
    int MinimumChartHeight() const { return m_model.MinimumChartHeight(); }
    int MarginLeft() const { return m_model.MarginLeft(); }
    void SetMarginLeft(int value) { m_model.SetMarginLeft(value); }
    int MarginRight() const { return m_model.MarginRight(); }
    void SetMarginRight(int value) { m_model.SetMarginRight(value); }
    int MarginTop() const { return m_model.MarginTop(); }
    void SetMarginTop(int value) { m_model.SetMarginTop(value); }
    int MarginBottom() const { return m_model.MarginBottom(); }
    void SetMarginBottom(int value) { m_model.SetMarginBottom(value); }
    int LRim() const { return m_model.LRim(); }
    void SetLRim(int value) { m_model.SetLRim(value); }
    int RRim() const { return m_model.RRim(); }
    void SetRRim(int value) { m_model.SetRRim(value); }
    int TRim() const { return m_model.TRim(); }
    void SetTRim(int value) { m_model.SetTRim(value); }
    int BRim() const { return m_model.BRim(); }
    void SetBRim(int value) { m_model.SetBRim(value); }
    int ShadowWidth() const { return m_model.ShadowWidth(); }
    void SetShadowWidth(int value) { m_model.SetShadowWidth(value); }
    int PlotWidth() const { return m_model.PlotWidth(); }
    int PlotHeight() const { return m_model.PlotHeight(); }
    bool InPlotArea(int x, int y) const { return m_model.InPlotArea(x, y); }

    // ---- Scales and mapping (the model's) -----------------------------------------------
    TScalePropsHoriz &ScaleX(int layer) { return m_model.ScaleX(layer); }
    TScalePropsVert &ScaleY(int layer) { return m_model.ScaleY(layer); }
    const TScalePropsHoriz &ScaleX(int layer) const { return m_model.ScaleX(layer); }
    const TScalePropsVert &ScaleY(int layer) const { return m_model.ScaleY(layer); }
    TScalePropsHoriz &Scale1X() { return m_model.Scale1X(); }
    TScalePropsHoriz &Scale2X() { return m_model.Scale2X(); }
    TScalePropsHoriz &Scale3X() { return m_model.Scale3X(); }
    TScalePropsHoriz &Scale4X() { return m_model.Scale4X(); }
    TScalePropsVert &Scale1Y() { return m_model.Scale1Y(); }
    TScalePropsVert &Scale2Y() { return m_model.Scale2Y(); }
    TScalePropsVert &Scale3Y() { return m_model.Scale3Y(); }
    TScalePropsVert &Scale4Y() { return m_model.Scale4Y(); }
    void SetScale1X(const TScalePropsHoriz &value) { m_model.SetScale1X(value); }
    void SetScale2X(const TScalePropsHoriz &value) { m_model.SetScale2X(value); }
    void SetScale3X(const TScalePropsHoriz &value) { m_model.SetScale3X(value); }
    void SetScale4X(const TScalePropsHoriz &value) { m_model.SetScale4X(value); }
    void SetScale1Y(const TScalePropsVert &value) { m_model.SetScale1Y(value); }
    void SetScale2Y(const TScalePropsVert &value) { m_model.SetScale2Y(value); }
    void SetScale3Y(const TScalePropsVert &value) { m_model.SetScale3Y(value); }
    void SetScale4Y(const TScalePropsVert &value) { m_model.SetScale4Y(value); }
    bool Isometric() const { return m_model.Isometric(); }
    void SetIsometric(bool value) { m_model.SetIsometric(value); }
    TJointLayers &JointLayers() { return m_model.JointLayers(); }
    const TJointLayers &JointLayers() const { return m_model.JointLayers(); }
    TrcLayout StandardLayout() const { return m_model.StandardLayout(); }
    void SetStandardLayout(TrcLayout value) { m_model.SetStandardLayout(value); }
    void SetRange(int layer, double xLow, double yLow, double xHigh, double yHigh)
    {
        m_model.SetRange(layer, xLow, yLow, xHigh, yHigh);
    }
    void UpdateMapping() { m_model.UpdateMapping(); }
    const TLayerMapping &Mapping(int layer) const { return m_model.Mapping(layer); }
    void UserToPixel(int layer, double x, double y, int &px, int &py) const
    {
        m_model.UserToPixel(layer, x, y, px, py);
    }
    QPoint UserToPixel(int layer, double x, double y) const
    {
        return m_model.UserToPixel(layer, x, y);
    }
    void PixelToUser(int layer, int px, int py, double &x, double &y) const
    {
        m_model.PixelToUser(layer, px, py, x, y);
    }
    QPointF PixelToUser(int layer, int px, int py) const
    {
        return m_model.PixelToUser(layer, px, py);
    }
    bool PaintSuppressed() const { return m_model.PaintSuppressed(); }
    bool Loading() const { return m_model.Loading(); }
    void SetLoading(bool value) { m_model.SetLoading(value); }

    // The axis controls of a layer (1..16, clamped), kept in step with the model's scales;
    // they draw into the control image (never shown as widgets of their own).
    TScale &AxisX(int layer);
    TScale &AxisY(int layer);

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
    // The black-and-white export draws the lines of a layer through this mask: pixel (x, y) is
    // set when bit (x + y) % 16 is. All bits set (the default) draws solid lines; dashes keep
    // curves apart where colour cannot.
    std::uint16_t BlackWhitePattern(int layer) const
    {
        return m_blackWhitePatterns[static_cast<size_t>(std::clamp(layer, 1, LayerCount) - 1)];
    }
    void SetBlackWhitePattern(int layer, std::uint16_t pattern);
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
    void SuppressPaint(bool suppress);
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

private:
    // TChartView
    void DataAreaCleared() override;
    void PlotAreaChanged() override;
    void ScalesChanged() override;
    void ScaleRangesChanged(int layer) override;
    void SyncAxisGeometry(int layer);

    // The chart's own colours, as the window shows them.
    TChartPalette LivePalette() const;

    template<typename T>
    void ChangeLook(T &field, const T &value)
    {
        if (StoreIfChanged(field, value)) {
            ++m_look;
            m_model.RepaintIfAutoRedraw();
        }
    }
    // Not hidden on purpose: a chart that was never shown still draws into its images.
    bool ShowsPicture() const;
    void SyncSize();
    void ResizeDataImage();
    void DrawFrame(QImage &canvas, const TChartPalette &palette);
    void DrawPlotBackground(QImage &canvas, const TChartPalette &palette);
    void DrawCaption(QPainter &painter, const TChartPalette &palette);
    void DrawBackgroundPicture(QPainter &painter, QSize size);
    // Copies a data-area image into a control image at the plot area's place.
    void CopyDataInto(QImage &control, const QImage &data) const;
    void DrawGrid(QPainter &painter, int xOffset, int yOffset);
    void DrawShadow(QPainter &painter, const TChartPalette &palette);
    void DrawCrossHair(QPainter &painter, const TCrossHair &crossHair, int left, int top);
    // The whole control drawn for a file or the clipboard; the shown images stay as they are.
    QImage RenderExport(bool blackWhite);

    // What the shown images were last drawn from. While it holds, the frame in ControlImage and
    // the clean data picture (the first m_pictureItems items, no crosshair) stay valid, and
    // drawing only the items appended since gives the same pixels as drawing the whole picture
    // again: solid pens draw every segment on its own, and an item drawn over itself changes
    // nothing. Paint and UpdateChart use that to keep the update timer's repaints proportional
    // to what arrived, not to the length of the list.
    struct TPictureKey
    {
        std::uint64_t Look = 0;
        std::uint64_t ModelChanges = 0;
        const TChartModel *ListOwner = nullptr;
        QSize ControlSize;
        QSize DataSize;
        std::array<TLayerMapping, LayerCount> Mappings {};

        bool operator==(const TPictureKey &) const = default;
    };
    TPictureKey PictureKey() const;
    // How many items the images already hold under the present settings; -1 when they must be
    // drawn again from the background.
    int ItemsInPicture() const;
    void RememberPicture();
    void ForgetPicture();
    bool HasRenderHooks() const;
    // RenderItems from item first on: the pen starts where the items before it left it.
    void RenderItemRange(QImage &canvas, int xOffset, int yOffset, bool blackWhite, bool grid,
                         int first);

    void DragRanges(int x, int y);
    void PanLayer(int layer, int x, int y);
    void ZoomLayer(int layer, int x, int y);
    void DragCrossHair(int x, int y);
    int NearestCrossHair(int x, int y) const;
    void FinishRectangle(TMouseButton button);
    void UpdatePointer(int x, int y);
    void ResetPointer();
    void RunWithPaintSuppressed(const std::function<void()> &change);
    static std::array<std::uint16_t, LayerCount> FilledPatterns()
    {
        std::array<std::uint16_t, LayerCount> patterns;
        patterns.fill(0xFFFF);
        return patterns;
    }

    TChartModel m_model;
    std::array<std::unique_ptr<TScale>, LayerCount> m_axisX;
    std::array<std::unique_ptr<TScale>, LayerCount> m_axisY;

    TColor m_windColor = clBtnFace;
    TColor m_chartColor = clWhite;
    TColor m_chartFrameColor = clBlack;
    TColor m_gridColor = clBlack;
    GridStyleType m_gridStyle = GridStyleType::gsNone;
    double m_gridDx = 0;
    double m_gridDy = 0;
    TShadowStyle m_shadowStyle = TShadowStyle::ssFlying;
    std::array<std::uint16_t, LayerCount> m_blackWhitePatterns = FilledPatterns();
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
    std::uint64_t m_look = 0; // counts changes of what the control itself draws
    TPictureKey m_pictureKey;
    int m_pictureItems = -1;
    QImage m_pictureData;
    bool m_dataMarked = false; // crosshairs were drawn into DataImage since it was clean

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
