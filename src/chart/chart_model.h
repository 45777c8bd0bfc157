#pragma once

#include "chart/chart_error.h"
#include "chart/chart_item.h"
#include "chart/display_list.h"
#include "chart/joint_layers.h"
#include "chart/scale_props.h"

#include <QPoint>
#include <QPointF>

#include <array>
#include <bitset>
#include <memory>
#include <vector>

// What a chart model tells the control that draws it. The model calls these where a change must
// become visible; with painting suppressed, range changes cost no drawing.
class TChartView
{
public:
    // Repaint the whole control (nothing while the model's painting is suppressed).
    virtual void Paint() = 0;
    // The list was cleared: the data-area image gets its background.
    virtual void DataAreaCleared() = 0;
    // Margins, shadow or size changed: the data-area image becomes PW + 1 by PH + 1.
    virtual void PlotAreaChanged() = 0;
    // Scale settings or the plot geometry changed: the axes follow them.
    virtual void ScalesChanged() = 0;
    // Only the ranges of one layer (1..16) changed.
    virtual void ScaleRangesChanged(int layer) = 0;

protected:
    ~TChartView() = default;
};

enum class TrcLayout {
    rcl_X1Bottom_Y1Left,
    rcl_X1Bottom_Y2Left,
    rcl_X1Bottom_Y3Left,
    rcl_X1Bottom_Y4Left,
    rcl_X1Bottom_Y2Both,
    rcl_X2Bottom_Y2Left,
    rcl_X2Both_Y2Both
};

// Mapping factors of one layer: pixel = K * value + O (K * ln value + O on a logarithmic axis).
struct TLayerMapping
{
    long double KX = 0, OX = 0, KY = 0, OY = 0;

    bool operator==(const TLayerMapping &) const = default;
};

// Everything of the chart control except its widgets, pixels and mouse: the display list with
// its drawing attributes and data sharing, the 16 layers with their scale settings (plain data),
// joints and ranges, the plot geometry and the mapping between user coordinates and pixels.
//
// The chart control holds a model and registers itself as its view (SetView); it reports its
// size with SetChartSize(). A model without a view works the same, it just shows nothing.
// Used on the user-interface thread only.
class TChartModel
{
public:
    static constexpr int LayerCount = 16;

    TChartModel();
    ~TChartModel();
    TChartModel(const TChartModel &) = delete;
    TChartModel &operator=(const TChartModel &) = delete;

    // ---- Display list -------------------------------------------------------------------
    void AddMoveTo(double x, double y);
    void AddLineTo(double x, double y);
    void AddLine(double x1, double y1, double x2, double y2);
    void RemoveFirstItem();
    void RemoveItem(int index); // any 0 <= index < ItemCount; others: nothing removed
    // Blanks the data area (DataAreaCleared) and empties the list; LastDrawnIndex := 0.
    void ClearItems();
    // Copies item index into item; out of range sets only item.Kind to ikNone.
    void GetItem(int index, TChartItem &item) const;
    int ItemCount() const { return List().ItemCount(); }
    int Capacity() const { return List().Capacity(); }
    // The items 0 .. ItemCount-1, contiguous; valid until the list next changes.
    const TChartItem *Items() const { return List().Items(); }
    // Stored items (a loaded file): replace the list or add after it; then propagate.
    void LoadItems(const TChartItem *items, int count, bool append);

    int AllocSize() const { return m_list.AllocSize(); }
    void SetAllocSize(int value);
    // Room for count items made ready before a run, so that appending never waits for memory;
    // kept across ClearItems (TDisplayList::Reserve).
    void ReserveItems(int count);
    int ActiveLayer() const { return m_activeLayer; }
    void SetActiveLayer(int layer); // 1..16, others ignored; repaints when AutoRedraw
    int LastDrawnIndex() const { return m_lastDrawnIndex; }
    // Set by Redraw/UpdateChart; passes the value on to the charts sharing this list.
    void SetLastDrawnIndex(int index);

    TColor DataColor() const { return m_dataColor; }
    void SetDataColor(TColor value) { m_dataColor = value; }
    TColor FillColor() const { return m_fillColor; }
    void SetFillColor(TColor value) { m_fillColor = value; }
    TPenStyle PenStyle() const { return m_penStyle; }
    void SetPenStyle(TPenStyle value) { m_penStyle = value; }
    std::uint8_t LineWidth() const { return m_lineWidth; }
    void SetLineWidth(std::uint8_t value) { m_lineWidth = value; }
    std::uint8_t ClassDefault() const { return m_classDefault; }
    void SetClassDefault(int value); // 0..254; 255 (and anything else) ignored

    bool AutoRedraw() const { return m_autoRedraw; }
    void SetAutoRedraw(bool value) { m_autoRedraw = value; }

    bool ClassVisible(int itemClass) const;
    void SetClassVisible(int itemClass, bool visible);
    bool LayerVisible(int layer) const;
    void SetLayerVisible(int layer, bool visible);
    // Whether the renderer draws the item (its class and layer are switched on).
    bool ItemVisible(const TChartItem &item) const
    {
        return m_classVisible[item.ItemClass] && item.Layer >= 1 && item.Layer <= LayerCount
                && m_layerVisible[static_cast<size_t>(item.Layer - 1)];
    }

    // Counts the changes that alter items already in the list or whether they are drawn:
    // removing, clearing, replacing by a load, switching a class or layer. Appending does not
    // count, so an unchanged count means the items drawn before are still the list's first ones.
    std::uint64_t PictureChanges() const
    {
        return (m_source ? m_source->m_listRewrites : m_listRewrites) + m_visibilityChanges;
    }

    // Data sharing: show the list of another chart (nullptr: the own list again).
    TChartModel *UseDataOf() const { return m_source; }
    void SetUseDataOf(TChartModel *source);
    const std::vector<TChartModel *> &DataUsers() const { return m_users; }

    // ---- Geometry -----------------------------------------------------------------------
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The control's size, raised to the minimum; returns the size applied.
    QSize SetChartSize(int width, int height);
    int MinimumChartWidth() const { return m_marginLeft + m_marginRight + m_shadowWidth + 80; }
    int MinimumChartHeight() const { return m_marginTop + m_marginBottom + m_shadowWidth + 20; }

    int MarginLeft() const { return m_marginLeft; }
    void SetMarginLeft(int value);
    int MarginRight() const { return m_marginRight; }
    void SetMarginRight(int value);
    int MarginTop() const { return m_marginTop; }
    void SetMarginTop(int value);
    int MarginBottom() const { return m_marginBottom; }
    void SetMarginBottom(int value);
    int LRim() const { return m_marginLeft; }
    void SetLRim(int value) { SetMarginLeft(value); }
    int RRim() const { return m_marginRight; }
    void SetRRim(int value) { SetMarginRight(value); }
    int TRim() const { return m_marginTop; }
    void SetTRim(int value) { SetMarginTop(value); }
    int BRim() const { return m_marginBottom; }
    void SetBRim(int value) { SetMarginBottom(value); }
    int ShadowWidth() const { return m_shadowWidth; }
    void SetShadowWidth(int value); // clamped to 0..32

    // PW and PH: the plot area spans MarginLeft .. MarginLeft + PW and MarginTop .. MarginTop + PH.
    int PlotWidth() const { return m_width - m_marginLeft - m_marginRight - m_shadowWidth; }
    int PlotHeight() const { return m_height - m_marginTop - m_marginBottom - m_shadowWidth; }
    bool InPlotArea(int x, int y) const;

    // ---- Scales and mapping -------------------------------------------------------------
    // layer is 1..16 (clamped).
    TScalePropsHoriz &ScaleX(int layer);
    TScalePropsVert &ScaleY(int layer);
    const TScalePropsHoriz &ScaleX(int layer) const;
    const TScalePropsVert &ScaleY(int layer) const;
    TScalePropsHoriz &Scale1X() { return ScaleX(1); }
    TScalePropsHoriz &Scale2X() { return ScaleX(2); }
    TScalePropsHoriz &Scale3X() { return ScaleX(3); }
    TScalePropsHoriz &Scale4X() { return ScaleX(4); }
    TScalePropsVert &Scale1Y() { return ScaleY(1); }
    TScalePropsVert &Scale2Y() { return ScaleY(2); }
    TScalePropsVert &Scale3Y() { return ScaleY(3); }
    TScalePropsVert &Scale4Y() { return ScaleY(4); }
    void SetScale1X(const TScalePropsHoriz &value) { ScaleX(1).Assign(value); }
    void SetScale2X(const TScalePropsHoriz &value) { ScaleX(2).Assign(value); }
    void SetScale3X(const TScalePropsHoriz &value) { ScaleX(3).Assign(value); }
    void SetScale4X(const TScalePropsHoriz &value) { ScaleX(4).Assign(value); }
    void SetScale1Y(const TScalePropsVert &value) { ScaleY(1).Assign(value); }
    void SetScale2Y(const TScalePropsVert &value) { ScaleY(2).Assign(value); }
    void SetScale3Y(const TScalePropsVert &value) { ScaleY(3).Assign(value); }
    void SetScale4Y(const TScalePropsVert &value) { ScaleY(4).Assign(value); }

    bool Isometric() const { return m_isometric; }
    void SetIsometric(bool value);
    TJointLayers &JointLayers() { return m_joints; }
    const TJointLayers &JointLayers() const { return m_joints; }
    TrcLayout StandardLayout() const { return m_standardLayout; }
    void SetStandardLayout(TrcLayout value);

    // Layer 0: all 16 layers one after the other; 1..16 one layer.
    void SetRange(int layer, double xLow, double yLow, double xHigh, double yHigh);
    // A range change of one layer through the joints (a controlled direction keeps its range)
    // and to the layers it controls, without widening equal bounds: the mouse's path.
    void ApplyLayerRange(int layer, double xLow, double yLow, double xHigh, double yHigh);
    // Stores the range where it is wide enough (and valid on a logarithmic scale), tells the
    // view and updates the mapping.
    void SetLayerRange(int layer, double xLow, double yLow, double xHigh, double yHigh);

    // Recomputes the factors of all layers; raises EChartError for a logarithmic range with a
    // bound <= 0 (the factors computed before stay).
    void UpdateMapping();
    const TLayerMapping &Mapping(int layer) const;

    void UserToPixel(int layer, double x, double y, int &px, int &py) const;
    QPoint UserToPixel(int layer, double x, double y) const;
    void PixelToUser(int layer, int px, int py, double &x, double &y) const;
    QPointF PixelToUser(int layer, int px, int py) const;

    // ---- View -------------------------------------------------------------------------
    TChartView *View() const { return m_view; }
    void SetView(TChartView *view) { m_view = view; }
    bool PaintSuppressed() const { return m_paintSuppressed; }
    // Stores the switch; lifting it paints at once. Unchanged value: nothing.
    void SuppressPaint(bool suppress);
    // Asks the view to repaint the whole control.
    void Paint();
    // Repaints the control when AutoRedraw is on.
    void RepaintIfAutoRedraw();

    // While loading a stored form no mapping is computed and no log-scale check is made.
    bool Loading() const { return m_loading; }
    void SetLoading(bool value);

private:
    friend class TJointLayers;

    const TDisplayList &List() const { return m_source ? m_source->m_list : m_list; }
    TDisplayList &List() { return m_source ? m_source->m_list : m_list; }
    TChartModel &DataOwner() { return m_source ? *m_source : *this; }
    void Append(TItemKind kind, double x1, double y1, double x2, double y2);
    void PropagateData();
    void DetachUsers();

    void ScalePropsChanged();
    void GeometryChanged();
    void ScalesChanged();
    void ScaleRangesChanged(int layer);
    static bool WideEnough(const TScaleProps &scale, double low, double high);
    static void StoreLayerRange(TScaleProps &scale, double low, double high);
    void FollowJoints(int layer);
    void WidenEqualBounds(int layer, double &xLow, double &yLow, double &xHigh,
                          double &yHigh) const;
    void MakeIsometric(int layer, double xLow, double xHigh, double &yLow, double &yHigh) const;
    void UpdateLayerMapping(int layer);
    void ApplyStandardLayout(TrcLayout layout);
    static int ClampLayer(int layer);

    // Display list.
    TDisplayList m_list;
    TChartModel *m_source = nullptr;
    std::vector<TChartModel *> m_users;
    int m_activeLayer = 1;
    int m_lastDrawnIndex = 0;
    TColor m_dataColor = clBlack;
    TColor m_fillColor = clSilver;
    TPenStyle m_penStyle = TPenStyle::psSolid;
    std::uint8_t m_lineWidth = 1;
    std::uint8_t m_classDefault = 0;
    bool m_autoRedraw = true;
    std::bitset<256> m_classVisible;
    std::bitset<LayerCount> m_layerVisible;
    std::uint64_t m_listRewrites = 0; // of the own list, also by charts that share it
    std::uint64_t m_visibilityChanges = 0;

    // Geometry.
    int m_width = 280;
    int m_height = 200;
    int m_marginLeft = 50;
    int m_marginRight = 10;
    int m_marginTop = 16;
    int m_marginBottom = 32;
    int m_shadowWidth = 0;

    // Scales.
    std::array<TScalePropsHoriz, LayerCount> m_scaleX;
    std::array<TScalePropsVert, LayerCount> m_scaleY;
    std::array<TLayerMapping, LayerCount> m_mapping;
    TJointLayers m_joints;
    bool m_isometric = false;
    TrcLayout m_standardLayout = TrcLayout::rcl_X1Bottom_Y1Left;

    TChartView *m_view = nullptr;
    bool m_paintSuppressed = true;
    bool m_loading = false;
    int m_scaleNotifyDepth = 0;
};
